#pragma once
// Collecting the snap lines of a drag: the work area (or MDI parent's client area) and the
// visible frames of the other visible windows, into the shared block, with the dragged window's
// own insets.
#include <windows.h>

#include "hooklib/window/geometry.h"
#include "hooklib/window/snap_geometry.h"

namespace quor {

void CollectSnapTargets(POINT cursor, HWND dragged) noexcept;

// The targets the block holds from the last collection.
SnapTargets CollectedTargets() noexcept;

}  // namespace quor
