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
// The same, when the window's program is activated; not within a moment of the window's hiding.
void RestoreFromTrayOnActivation(HWND window) noexcept;
constexpr DWORD kHideActivationGraceMs = 500;
void RestoreAllFromTray() noexcept;
// A window destroyed while hidden: its slot is freed and its icon taken away.
void ForgetTrayWindow(HWND window) noexcept;
// The same for every recorded window that no longer exists; their icons are taken away when the
// shell still has them.
void ForgetGoneTrayWindows(bool shellHasTheirIcons) noexcept;

// Hides a top-level window with a minimize box behind an icon of its own, in the first free slot.
void MinimizeToTray(HWND window) noexcept;

// Stores the TaskTray setting with its transitions: off restores every hidden window,
// on after off starts from empty tables.
void ApplyTaskTraySetting(int value) noexcept;

// Window procedure of the hidden "QuorDummy" window that owns the icons: a click on an icon
// restores its window, and "TaskbarCreated" (the shell made its notification area anew) gives
// back every recorded icon.
LRESULT CALLBACK TrayWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace quor
