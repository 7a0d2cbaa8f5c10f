#pragma once
// Placing a window on command: maximize toggling, centring, maximizing along one axis.
#include <windows.h>

namespace quor {

// Posts the restore or maximize command; true when it posted one.
bool ToggleMaximize(HWND window) noexcept;
void CenterWindow(HWND window) noexcept;
void MaximizeVertical(HWND window) noexcept;
void MaximizeHorizontal(HWND window) noexcept;

}  // namespace quor
