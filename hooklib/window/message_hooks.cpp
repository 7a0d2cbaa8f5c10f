// WH_GETMESSAGE and WH_CALLWNDPROC: run in the thread of the window receiving the message.
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_roll.h"
#include "platform/unique_any.h"

namespace quor {

// Carries out the roll messages, which are posted to a window so that they run in its own thread.
LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const SharedBlock& b = Block();
    if (code < 0 || b.UnAvailable || lParam == 0) return ::CallNextHookEx(b.MessageHook, code, wParam, lParam);
    const MSG& m = *reinterpret_cast<const MSG*>(lParam);
    if (b.RollMsg != 0 && m.message == b.RollMsg) {
        last_error_context keepLastError;
        RollUp(m.hwnd);
        return 1;
    }
    if (b.UnrollMsg != 0 && m.message == b.UnrollMsg) {
        last_error_context keepLastError;
        Unroll(m.hwnd);
        return 1;
    }
    return ::CallNextHookEx(b.MessageHook, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    return ::CallNextHookEx(Block().WindowHook, code, wParam, lParam);
}

}  // namespace quor
