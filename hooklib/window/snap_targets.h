#pragma once
// Collecting the snap lines of a drag: the work area (or MDI parent's client area) and the
// rectangles of the other visible windows, into the shared block.
#include <windows.h>

#include "hooklib/window/geometry.h"

namespace quor {

void CollectSnapTargets(POINT cursor, HWND dragged) noexcept;

// The block's collected targets applied to a rectangle (screen coordinates).
void SnapMoveToTargets(Rect& r) noexcept;
void SnapSizeToTargets(Rect& r) noexcept;

}  // namespace quor
