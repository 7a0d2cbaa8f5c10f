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

// The distances of two opposite sides in one pass over the targets: the same lines, in the same
// order, as two SnapDistance calls (SnapMove runs on every mouse move of a drag).
struct SidePair {
    int64_t first;   // right, or top
    int64_t second;  // left, or bottom
};

SidePair HorizontalDistances(const SnapTargets& targets, const Rect& r) {
    SidePair best{kNoSnapLine, kNoSnapLine};
    const int64_t right = r.right, left = r.left;
    for (int i = 0; i < targets.count; ++i) {
        const Rect& t = targets.windows[i];
        if (!(t.top <= r.bottom && r.top <= t.bottom)) continue;
        Consider(best.first, right - t.left);
        Consider(best.second, left - t.right);
        if (targets.snapInside || r.bottom == t.top || r.top == t.bottom) {
            Consider(best.first, right - t.right);
            Consider(best.second, left - t.left);
        }
    }
    Consider(best.first, right - targets.area.right);
    Consider(best.second, left - targets.area.left);
    return best;
}

SidePair VerticalDistances(const SnapTargets& targets, const Rect& r) {
    SidePair best{kNoSnapLine, kNoSnapLine};
    const int64_t top = r.top, bottom = r.bottom;
    for (int i = 0; i < targets.count; ++i) {
        const Rect& t = targets.windows[i];
        if (!(t.left <= r.right && r.left <= t.right)) continue;
        Consider(best.first, top - t.bottom);
        Consider(best.second, bottom - t.top);
        if (targets.snapInside || r.right == t.left || r.left == t.right) {
            Consider(best.first, top - t.top);
            Consider(best.second, bottom - t.bottom);
        }
    }
    Consider(best.first, top - targets.area.top);
    Consider(best.second, bottom - targets.area.bottom);
    return best;
}

void SnapHorizontally(const SnapTargets& targets, Rect& r, int32_t snap) {
    const SidePair d = HorizontalDistances(targets, r);  // right, left
    const int64_t m = Magnitude(d.first) < Magnitude(d.second) ? d.first : d.second;
    if (Magnitude(m) < snap) r.offset(static_cast<int32_t>(-m), 0);
}

void SnapVertically(const SnapTargets& targets, Rect& r, int32_t snap) {
    const SidePair d = VerticalDistances(targets, r);  // top, bottom
    const int64_t m = Magnitude(d.first) < Magnitude(d.second) ? d.first : d.second;
    if (Magnitude(m) < snap) r.offset(0, static_cast<int32_t>(-m));
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

int MonitorContaining(const Rect* monitors, int count, Point p) {
    int found = kNoMonitor;
    for (int i = 0; i < count; ++i) {
        const Rect& m = monitors[i];
        if (p.x < m.left || p.x >= m.right || p.y < m.top || p.y >= m.bottom) continue;
        if (found != kNoMonitor) return kSeveralMonitors;
        found = i;
    }
    return found;
}

}  // namespace quor
