#pragma once
// Windows hidden behind icons of their own in the notification area.
#include <windows.h>

namespace quor {

constexpr UINT kTrayCallbackBase = 1524;

int FindFreeTraySlot() noexcept;
int FindTraySlot(HWND window) noexcept;
// Removes the icon of a slot and brings its window back. Nothing waits for the window, so a
// busy or hung one is shown as soon as it takes its messages, and no window is lost.
void RestoreTraySlot(int slot) noexcept;
void RestoreFromTray(HWND window) noexcept;
void RestoreAllFromTray() noexcept;

// Hiding a window into the notification area arrives with the tray feature itself;
// until then the callers reach this and nothing is hidden.
void MinimizeToTray(HWND window) noexcept;

// Stores the TaskTray setting with its transitions: off restores every hidden window,
// on after off starts from empty tables.
void ApplyTaskTraySetting(int value) noexcept;

// Window procedure of the hidden "QuorDummy" window that owns the icons.
LRESULT CALLBACK TrayWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace quor
