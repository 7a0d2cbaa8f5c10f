// WH_MOUSE: runs in the thread that owns the window about to receive a mouse message.
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"

namespace quor {

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    return ::CallNextHookEx(Block().MouseHook, code, wParam, lParam);
}

}  // namespace quor
