#pragma once
// Which windows the library may move, size or maximize, and the small window questions
// the other behaviours share.
#include <windows.h>

namespace quor {

// True when the library may handle the window; sets the block's DragIsChild for an MDI child.
bool IsEligibleWindow(HWND window) noexcept;

HWND TopLevelAncestor(HWND window) noexcept;
bool IsTopmost(HWND window) noexcept;
bool IsMdiChild(HWND window) noexcept;
bool IsToolWindow(HWND window) noexcept;
bool HasMaximizeBox(HWND window) noexcept;
bool HasMinimizeBox(HWND window) noexcept;
bool IsTaskbarWindow(HWND window) noexcept;

// Whether an item of the list view lies under the screen point. The list view may belong to
// another process, and that process may be hung: the answer is then "an item", so no shortcut fires.
bool IsIconAtPoint(HWND listView, POINT pt) noexcept;

// How long a hook waits for another thread's window before giving up on it.
constexpr UINT kForeignSendTimeoutMs = 200;

// Whether the window's thread answers: always for this thread's windows, otherwise within the
// bound above. Calls that send to another thread's window (a style change, a show) ask first,
// so that a hung window cannot hang the program we run in.
bool IsResponsive(HWND window) noexcept;

// The window's title in `title` (terminated; empty when there is none or no answer): read without
// a message for windows of this thread and of other processes, asked within the bound above of
// another thread of this process.
void TitleWithoutWaiting(HWND window, char* title, int size) noexcept;

}  // namespace quor
