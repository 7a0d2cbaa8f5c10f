#pragma once
#include <windows.h>

namespace quor {

// Runs the command of a mouse-shortcut slot for `window` (null for the desktop and taskbar
// slots): one of the 34 named commands, or the text as a command line. 1 when the shortcut was
// consumed, 0 when nothing was done: the slot holds "none", the command does not fit the window,
// or the text is not the one the resident program set.
int ExecuteMouseCut(int slot, HWND window) noexcept;

}  // namespace quor
