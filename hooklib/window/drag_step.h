#pragma once
// Where one drag step puts the window: snapping and keeping inside work on the window's visible
// frame, and the window is placed by its window rectangle, so an invisible border may lie outside
// the area or over a neighbour, as it does when the system itself snaps. No platform calls.
#include <cstdint>

#include "hooklib/window/frame_insets.h"
#include "hooklib/window/geometry.h"
#include "hooklib/window/snap_geometry.h"

namespace quor {

struct StepRules {
    bool keepInside;  // keep the frame inside the area
    bool snap;        // snap the frame onto the targets' lines
    int32_t distance;  // the snap distance
};

// A moved window: `window` is the window rectangle where the cursor takes it; the result is where
// it goes after keep-inside, snapping and keep-inside again.
Rect MovedWindowRect(const SnapTargets& targets, const Rect& window, const Insets& insets, const StepRules& rules);

// A sized window: the sides flagged in `sized` snap, then the frame is clipped to the area.
Rect SizedWindowRect(const SnapTargets& targets, const Rect& window, const Insets& insets, const StepRules& rules,
                     const int32_t sized[4]);

}  // namespace quor
