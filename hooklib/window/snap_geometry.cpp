#include "hooklib/window/snap_geometry.h"

namespace quor {
namespace {

int64_t Magnitude(int64_t v) { return v < 0 ? -v : v; }

// Strictly nearer lines replace the best; on a tie the line found first stays.
// Differences are taken in 64 bits so that no coordinate can overflow them; the best
// never grows past its start, so it fits 32 bits again.
void Consider(int64_t& best, int64_t d) {
    if (Magnitude(d) < Magnitude(best)) best = d;
}

bool OverlapsOnOtherAxis(const Rect& r, const Rect& t, int side) {
    if (side == kTop || side == kBottom) return t.left <= r.right && r.left <= t.right;
    return t.top <= r.bottom && r.top <= t.bottom;
}

// Side-by-side windows line up tops and bottoms; stacked ones lefts and rights.
bool StandsBeside(const Rect& r, const Rect& t, int side) {
    if (side == kTop || side == kBottom) return r.right == t.left || r.left == t.right;
    return r.bottom == t.top || r.top == t.bottom;
}

void SnapHorizontally(const SnapTargets& targets, Rect& r, int32_t snap) {
    const int32_t dRight = SnapDistance(targets, r, kRight);
    const int32_t dLeft = SnapDistance(targets, r, kLeft);
    const int32_t m = Magnitude(dRight) < Magnitude(dLeft) ? dRight : dLeft;
    if (Magnitude(m) < snap) r.offset(-m, 0);
}

void SnapVertically(const SnapTargets& targets, Rect& r, int32_t snap) {
    const int32_t dTop = SnapDistance(targets, r, kTop);
    const int32_t dBottom = SnapDistance(targets, r, kBottom);
    const int32_t m = Magnitude(dTop) < Magnitude(dBottom) ? dTop : dBottom;
    if (Magnitude(m) < snap) r.offset(0, -m);
}

}  // namespace

int32_t SnapDistance(const SnapTargets& targets, const Rect& r, int side) {
    side &= 3;
    const int opposite = OppositeSide(side);
    const int64_t edge = EdgeOf(r, side);
    int64_t best = kNoSnapLine;
    for (int i = 0; i < targets.count; ++i) {
        const Rect& t = targets.windows[i];
        if (!OverlapsOnOtherAxis(r, t, side)) continue;
        Consider(best, edge - EdgeOf(t, opposite));
        if (StandsBeside(r, t, side)) Consider(best, edge - EdgeOf(t, side));
        if (targets.snapInside) Consider(best, edge - EdgeOf(t, side));
    }
    Consider(best, edge - EdgeOf(targets.area, side));
    return static_cast<int32_t>(best);
}

void SnapMove(const SnapTargets& targets, Rect& r, int32_t snap) {
    SnapHorizontally(targets, r, snap);
    SnapVertically(targets, r, snap);
    SnapHorizontally(targets, r, snap);
}

void SnapSize(const SnapTargets& targets, Rect& r, int32_t snap, const int32_t sized[4]) {
    for (int pass = 0; pass < 2; ++pass) {
        for (int side = 0; side < 4; ++side) {
            if (!sized[side]) continue;
            const int32_t d = SnapDistance(targets, r, side);
            if (Magnitude(d) < snap) SetEdgeOf(r, side, EdgeOf(r, side) - d);
        }
    }
}

}  // namespace quor
