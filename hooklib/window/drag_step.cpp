#include "hooklib/window/drag_step.h"

#include "hooklib/window/drag_geometry.h"

namespace quor {

Rect MovedWindowRect(const SnapTargets& targets, const Rect& window, const Insets& insets, const StepRules& rules) {
    Rect frame = VisibleFrameOf(window, insets);
    if (rules.keepInside) KeepInside(frame, targets.area);
    if (rules.snap) SnapMove(targets, frame, rules.distance);
    if (rules.keepInside) KeepInside(frame, targets.area);
    return WindowRectFor(frame, insets);
}

Rect SizedWindowRect(const SnapTargets& targets, const Rect& window, const Insets& insets, const StepRules& rules,
                     const int32_t sized[4]) {
    Rect frame = VisibleFrameOf(window, insets);
    if (rules.snap) SnapSize(targets, frame, rules.distance, sized);
    if (rules.keepInside) ClipToArea(frame, targets.area);
    return WindowRectFor(frame, insets);
}

}  // namespace quor
