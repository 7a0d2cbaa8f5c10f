// WH_KEYBOARD_LL: runs on the resident program's thread. Disabled keys and key counting arrive later.
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"

namespace quor {

LRESULT CALLBACK LowLevelKeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    return ::CallNextHookEx(Block().KeyboardHook, code, wParam, lParam);
}

}  // namespace quor
