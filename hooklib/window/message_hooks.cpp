// WH_GETMESSAGE and WH_CALLWNDPROC: run in the thread of the window receiving the message.
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"

namespace quor {

LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    return ::CallNextHookEx(Block().MessageHook, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    return ::CallNextHookEx(Block().WindowHook, code, wParam, lParam);
}

}  // namespace quor
