// WH_GETMESSAGE and WH_CALLWNDPROC: run in the thread of the window receiving the message.
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_roll.h"
#include "platform/unique_any.h"

namespace quor {

// Carries out the roll messages, which are posted to a window so that they run in its own thread.
// A message posted to a thread has no window, and nothing to roll.
LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const SharedBlock& b = Block();
    if (code < 0 || b.UnAvailable || lParam == 0) return ::CallNextHookEx(b.MessageHook, code, wParam, lParam);
    const MSG& m = *reinterpret_cast<const MSG*>(lParam);
    if (m.hwnd != nullptr && b.RollMsg != 0 && m.message == b.RollMsg) {
        last_error_context keepLastError;
        RollUp(m.hwnd);
        return 1;
    }
    if (m.hwnd != nullptr && b.UnrollMsg != 0 && m.message == b.UnrollMsg) {
        last_error_context keepLastError;
        Unroll(m.hwnd);
        return 1;
    }
    return ::CallNextHookEx(b.MessageHook, code, wParam, lParam);
}

// Writes back the saved extended style of a window restored from the notification area, in the
// window's own thread: the restore, run in another thread, must not wait for this one.
LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const SharedBlock& b = Block();
    if (code >= 0 && lParam != 0 && b.TrayStyleMsg != 0) {
        const CWPSTRUCT& c = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (c.message == b.TrayStyleMsg && c.hwnd != nullptr) {
            last_error_context keepLastError;
            ::SetWindowLongPtrA(c.hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(c.lParam));
        }
    }
    return ::CallNextHookEx(b.WindowHook, code, wParam, lParam);
}

}  // namespace quor
