#pragma once
// Snapping a moved or sized rectangle onto the nearest lines: pure arithmetic over
// the collected targets, no platform calls.
#include <cstdint>

#include "hooklib/window/geometry.h"

namespace quor {

constexpr int32_t kNoSnapLine = 100000;

struct SnapTargets {
    const Rect* windows;  // other windows' rectangles, topmost first
    int count;
    Rect area;          // work area (or the MDI parent's client area)
    bool snapInside;    // also snap to the inside of other windows' edges
};

// Signed distance from side `side` of `r` to its nearest line; positive when the
// side lies right of or below the line.
int32_t SnapDistance(const SnapTargets& targets, const Rect& r, int side);

// Moves `r` as a whole onto the nearest lines closer than `snap` pixels.
void SnapMove(const SnapTargets& targets, Rect& r, int32_t snap);

// Which of `count` monitor rectangles holds the point (right and bottom edges excluded, as the
// platform's monitor look-up has them): its index, kNoMonitor, or kSeveralMonitors where
// rectangles overlap and only the platform can say.
constexpr int kNoMonitor = -1;
constexpr int kSeveralMonitors = -2;
int MonitorContaining(const Rect* monitors, int count, Point p);

// Moves only the sides flagged in `sized` (indexed by side) onto lines closer than `snap`.
void SnapSize(const SnapTargets& targets, Rect& r, int32_t snap, const int32_t sized[4]);

}  // namespace quor
