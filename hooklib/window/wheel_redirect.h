#pragma once
#include <windows.h>

namespace quor {

// Offers a wheel message to the redirection: over the taskbar it switches the virtual screen,
// over the desktop icons it changes the volume, anywhere else the notch is posted to the window
// under the cursor (which, with RedirectActive, is activated first). True when it took the wheel,
// which is then swallowed; false also when the wheel's own target is the window under the cursor,
// which then gets the notch as it is. `peeked`: the call for a message the thread only peeked at
// (it comes again when taken).
bool RedirectWheel(const MOUSEHOOKSTRUCTEX& m, bool peeked = false) noexcept;

// The window under a point, as WindowFromPoint answers; the answer is remembered for 50 ms, for
// the notches that follow at the same point.
HWND WindowUnderPoint(POINT pt) noexcept;

}  // namespace quor
