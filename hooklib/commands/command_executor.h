#pragma once
#include <windows.h>

namespace quor {

// Runs the command of a mouse-shortcut slot for `window` (null for the desktop and taskbar
// slots); 1 when the shortcut was consumed, 0 when nothing was done.
//
// Until the command set is built, this executor records the call (slot, window, count) in the
// shared block and performs nothing; it answers 0 for a slot holding no command (empty or the
// first command name, "none") and 1 otherwise, which is what the dispatcher's callers rely on.
int ExecuteMouseCut(int slot, HWND window) noexcept;

}  // namespace quor
