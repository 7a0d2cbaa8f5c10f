#pragma once
// The desktop's icons: the list view of the shell's desktop view, wherever the shell keeps it.
#include <windows.h>

namespace quor {

// The SysListView32 of the desktop's SHELLDLL_DefView, under "Progman" or, where the shell moved
// it there (a wallpaper slideshow, programs that draw behind the icons), under a top-level
// "WorkerW"; null when there is none. Asks no window anything, so it never waits.
HWND FindDesktopListView() noexcept;

}  // namespace quor
