#include "hooklib/core/desktop_watch.h"

#include "hooklib/core/shared_block.h"
#include "platform/desktop_window.h"

namespace quor {

void FindDesktopListViewAgain(bool shellRestarted) noexcept {
    SharedBlock& b = Block();
    const HWND held = b.DeskListView;
    if (!shellRestarted && held && ::IsWindow(held)) return;
    b.DeskListView = FindDesktopListView();
}

}  // namespace quor
