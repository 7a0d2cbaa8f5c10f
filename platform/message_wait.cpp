#include "platform/message_wait.h"

namespace quor {

bool WaitTakingSentMessages(HANDLE object, DWORD waitMs) noexcept {
    const DWORD started = ::GetTickCount();
    for (;;) {
        const DWORD spent = ::GetTickCount() - started;
        if (spent >= waitMs) return ::WaitForSingleObject(object, 0) == WAIT_OBJECT_0;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &object, FALSE, waitMs - spent, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace quor
