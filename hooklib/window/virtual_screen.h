#pragma once
// Two virtual screens: the windows of the screen being left are minimized and remembered, those
// remembered when the other screen was left are restored.
#include <windows.h>

namespace quor {

// Switches when `direction` points to the other screen (0 always switches): towards the user
// (negative) leads from screen 0 to 1, away from the user (positive) from 1 to 0.
void SwitchVirtualScreen(short direction) noexcept;

// The EnumWindows callback that gathers the windows of the screen being left.
BOOL CALLBACK CollectScreenWindows(HWND window, LPARAM) noexcept;

}  // namespace quor
