#include "platform/message_wait.h"

namespace quor {

int WaitTakingSentMessages(const HANDLE* objects, DWORD count, DWORD waitMs) noexcept {
    const DWORD started = ::GetTickCount();
    for (;;) {
        DWORD left = INFINITE;
        if (waitMs != INFINITE) {
            const DWORD spent = ::GetTickCount() - started;
            left = spent >= waitMs ? 0 : waitMs - spent;
        }
        const DWORD woke = ::MsgWaitForMultipleObjects(count, objects, FALSE, left, QS_SENDMESSAGE);
        if (woke < WAIT_OBJECT_0 + count) return static_cast<int>(woke - WAIT_OBJECT_0);
        if (woke != WAIT_OBJECT_0 + count || left == 0) return -1;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

bool WaitTakingSentMessages(HANDLE object, DWORD waitMs) noexcept {
    return WaitTakingSentMessages(&object, 1, waitMs) == 0;
}

}  // namespace quor
