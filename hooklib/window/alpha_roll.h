#pragma once
// Per-window effects remembered in the shared block: wheel transparency and title-bar roll-up.
#include <windows.h>

namespace quor {

// Records the window's alpha. With all 256 entries taken, the entry of a window that no
// longer exists is reused; if every recorded window still exists, nothing is recorded.
void SetWindowAlpha(HWND window, int alpha) noexcept;
int GetWindowAlpha(HWND window) noexcept;
void WheelAlphaStep(HWND window, int wheelDelta) noexcept;

bool IsRolledUp(HWND window) noexcept;
// Rolls the window up to its title bar. With the table full, the entries of destroyed windows
// are freed first; a window is not rolled up when all 256 still exist, since its height could
// not be given back.
void RollUp(HWND window) noexcept;
void Unroll(HWND window) noexcept;
// Gives every rolled-up window its height back and empties the table: the library is about to
// stop and no hook would carry out a message later. A shown window is resized without waiting for
// it; a minimized one is asked to give the height to the place it is restored to, and all of them
// together are waited for a moment at most (kGiveHeightBackTimeoutMs).
void UnrollAll() noexcept;
// The height given back in the window's own thread: to its restored place when it is minimized.
void GiveHeightBack(HWND window, int height) noexcept;
// Sent as the unroll message's wParam, with the height as lParam: give that height back now.
constexpr WPARAM kGiveHeightBack = 1;
constexpr UINT kGiveHeightBackTimeoutMs = 500;
int CaptionOnlyHeight(HWND window) noexcept;

}  // namespace quor
