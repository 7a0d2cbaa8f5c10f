// WH_MOUSE_LL: runs on the resident program's thread. Usage counting arrives with the statistics.
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"

namespace quor {

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    return ::CallNextHookEx(Block().LLMouseHook, code, wParam, lParam);
}

}  // namespace quor
