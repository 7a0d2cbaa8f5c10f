#pragma once
// The arithmetic of one drag step: keeping a window inside an area, holding the cursor,
// extended sizing and the minimum size. No platform calls.
#include <cstdint>

#include "hooklib/window/geometry.h"

namespace quor {

// Which sides follow the cursor while sizing, indexed by side (0 top, 1 right, 2 bottom, 3 left).
struct SizedSides {
    int32_t side[4];
};

// Sides sized by a sizing hit-test code (HTLEFT 10 .. HTBOTTOMRIGHT 17); all zero for others.
SizedSides SidesForHitCode(int hitCode);

// Moves `r` back inside `area`: bottom, right, top, left in that order, so a rectangle larger
// than the area ends at the area's top and left.
void KeepInside(Rect& r, const Rect& area);

// Clamps `p` into `area`, bounds included; returns whether it changed.
bool ClampPoint(Point& p, const Rect& area);

// Extended sizing: a cursor that leaves the window's extent on the other axis adds the
// perpendicular side, never the opposite one. Zeroes the grip of an axis that gains a side.
void ExtendSizedSides(SizedSides& sides, Point& grip, const Rect& window, Point cursor);

// The sized sides follow the cursor, keeping the grip offsets.
void FollowCursor(Rect& r, const SizedSides& sides, Point grip, Point cursor);

// Clips the sized rectangle to the area (keep-inside while sizing).
void ClipToArea(Rect& r, const Rect& area);

// Grows a rectangle below the minimum size from its sized sides: left, top, then right, bottom.
void ApplyMinimumSize(Rect& r, const SizedSides& sides, int32_t minCx, int32_t minCy);

// Cursor shape for the sized sides: 0 none, 1 the NE-SW diagonal, 2 the NW-SE diagonal.
int DiagonalCursorFor(const SizedSides& sides);

}  // namespace quor
