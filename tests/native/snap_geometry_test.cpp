#include "hooklib/window/snap_geometry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace quor {
namespace {

const Rect kArea{0, 0, 1280, 990};

struct Scene {
    std::vector<Rect> windows;
    bool inside = false;
    SnapTargets targets() const {
        return {windows.data(), static_cast<int>(windows.size()), kArea, inside};
    }
};

Rect Moved(const Scene& s, Rect r, int snap = 20) {
    SnapMove(s.targets(), r, snap);
    return r;
}

TEST(SnapMove, WorkAreaEdgeSnapsBelowTheDistanceOnly) {
    Scene empty;
    EXPECT_EQ(Moved(empty, {15, 300, 415, 600}), (Rect{0, 300, 400, 600})) << "15 px: snaps";
    EXPECT_EQ(Moved(empty, {20, 300, 420, 600}), (Rect{20, 300, 420, 600})) << "20 px: strict, stays";
    EXPECT_EQ(Moved(empty, {19, 300, 419, 600}), (Rect{0, 300, 400, 600})) << "19 px: snaps";
    EXPECT_EQ(Moved(empty, {300, 300, 700, 975}), (Rect{300, 315, 700, 990})) << "bottom edge";
}

TEST(SnapMove, NoSnapAtZeroOrNegativeDistance) {
    Scene empty;
    const Rect r{1, 1, 401, 301};
    EXPECT_EQ(Moved(empty, r, 0), r);
    EXPECT_EQ(Moved(empty, r, -5), r);
}

TEST(SnapMove, NeighbourLineNeedsOverlapOnTheOtherAxis) {
    Scene s{{{600, 200, 900, 500}}};
    EXPECT_EQ(Moved(s, {195, 300, 595, 450}), (Rect{200, 300, 600, 450})) << "5 px left of it: moves to touch";
    EXPECT_EQ(Moved(s, {195, 520, 595, 700}), (Rect{195, 520, 595, 700})) << "entirely below: not a line";
    EXPECT_EQ(Moved(s, {195, 500, 595, 700}), (Rect{200, 500, 600, 700})) << "touching counts as overlapping";
}

TEST(SnapMove, TiesGoLeftThenBottom) {
    Scene empty;
    // 10 px from the left and 10 px from the right edge of the area: the left side's line wins.
    EXPECT_EQ(Moved(empty, {10, 400, 1270, 500}), (Rect{0, 400, 1260, 500}));
    // 10 px from the top and from the bottom: the bottom side's line wins.
    EXPECT_EQ(Moved(empty, {400, 10, 500, 980}), (Rect{400, 20, 500, 990}));
}

TEST(SnapMove, FirstFoundLineWinsOnEqualMagnitude) {
    // The window target 5 px left of my right edge is found before the area, which is 5 px right.
    Scene t{{{1285, 0, 1400, 400}}};  // its left edge 1285
    // My right at 1280: outside line of the target at -5, the area's right at 0 -> the area wins strictly.
    EXPECT_EQ(Moved(t, {900, 100, 1280, 300}), (Rect{900, 100, 1280, 300}));
    // My right at 1290: target line +5, area line +10 -> the target wins.
    EXPECT_EQ(SnapDistance(t.targets(), {900, 100, 1290, 300}, kRight), 5);
    // Two targets at +5 and -5: the one first in Z order stays.
    Scene u{{{1000, 0, 1100, 400}, {1010, 0, 1100, 400}}};
    EXPECT_EQ(SnapDistance(u.targets(), {600, 100, 1005, 300}, kRight), 5);
    Scene v{{{1010, 0, 1100, 400}, {1000, 0, 1100, 400}}};
    EXPECT_EQ(SnapDistance(v.targets(), {600, 100, 1005, 300}, kRight), -5);
}

TEST(SnapMove, SideBySideWindowsLineUpWithoutInsideSnapping) {
    Scene s{{{600, 200, 900, 500}}};
    // Dragged 5 px left of the neighbour and 8 px lower: first touches it, then lines up its top.
    EXPECT_EQ(Moved(s, {195, 208, 595, 400}), (Rect{200, 200, 600, 392}));
}

TEST(SnapMove, InsideLinesOnlyWhenAsked) {
    Scene s{{{600, 200, 900, 500}}};
    const Rect r{608, 300, 800, 400};  // left edge 8 px inside the target's left edge
    EXPECT_EQ(Moved(s, r), r);
    s.inside = true;
    EXPECT_EQ(Moved(s, r), (Rect{600, 300, 792, 400}));
}

TEST(SnapMove, HorizontalStepRunsAgainAfterTheVerticalOne) {
    // Below the target at first, so its left line does not count; the vertical snap brings
    // the window up into its rows, and the second horizontal step then finds the line.
    Scene s{{{600, 200, 900, 500}}};
    const Rect r{205, 508, 605, 700};
    EXPECT_EQ(Moved(s, r), (Rect{200, 500, 600, 692}));
}

TEST(SnapMove, ManyTargetsAreAllConsulted) {
    std::vector<Rect> windows(256, Rect{2000, 2000, 2100, 2100});
    windows[255] = {600, 200, 900, 500};
    Scene s{windows};
    EXPECT_EQ(Moved(s, {195, 300, 595, 450}), (Rect{200, 300, 600, 450}));
}

TEST(SnapSize, CornerDragMovesOnlyTheSizedSides) {
    Scene empty;
    const int32_t bottomRight[4] = {0, 1, 1, 0};
    Rect r{10, 10, 1270, 980};  // every side is 10 px from the area
    SnapSize(empty.targets(), r, 20, bottomRight);
    EXPECT_EQ(r, (Rect{10, 10, 1280, 990}));
}

TEST(SnapSize, SecondPassSeesTheFirstPassMoves) {
    Scene s{{{600, 200, 900, 500}}};
    const int32_t rightAndBottom[4] = {0, 1, 1, 0};
    // The bottom is 8 px below the target's bottom but the right edge is not beside it yet:
    // pass one puts the right edge on the target's left, pass two lines up the bottom.
    Rect r{300, 100, 595, 508};
    SnapSize(s.targets(), r, 20, rightAndBottom);
    EXPECT_EQ(r, (Rect{300, 100, 600, 500}));
}

TEST(SnapDistance, ExtremeCoordinatesDoNotOverflow) {
    Scene s{{{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}}};
    EXPECT_EQ(SnapDistance(s.targets(), {INT32_MAX - 10, 0, INT32_MAX, 10}, kLeft), -10);
    EXPECT_EQ(SnapDistance(s.targets(), {INT32_MIN + 5, 0, INT32_MIN + 10, 10}, kLeft), kNoSnapLine);
}

}  // namespace
}  // namespace quor

namespace quor {
namespace {

// SnapMove as its definition composes it from SnapDistance: the right and left sides (left wins
// a tie), then top and bottom (bottom wins a tie), then right and left again.
Rect SnapMoveByDefinition(const SnapTargets& t, Rect r, int32_t snap) {
    auto horizontal = [&] {
        const int32_t dR = SnapDistance(t, r, kRight), dL = SnapDistance(t, r, kLeft);
        const int32_t m = std::abs(dR) < std::abs(dL) ? dR : dL;
        if (std::abs(m) < snap) r.offset(-m, 0);
    };
    horizontal();
    const int32_t dT = SnapDistance(t, r, kTop), dB = SnapDistance(t, r, kBottom);
    const int32_t m = std::abs(dT) < std::abs(dB) ? dT : dB;
    if (std::abs(m) < snap) r.offset(0, -m);
    horizontal();
    return r;
}

TEST(SnapMove, AgreesWithItsDefinitionOnRandomScenes) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> coord(0, 1000), size(5, 400), count(0, 40), coin(0, 1);
    for (int scene = 0; scene < 3000; ++scene) {
        std::vector<Rect> windows;
        for (int i = count(rng); i > 0; --i) {
            const int x = coord(rng), y = coord(rng);
            windows.push_back({x, y, x + size(rng), y + size(rng)});
        }
        // Some windows placed exactly beside the dragged one, so alignment lines take part.
        const int x = coord(rng), y = coord(rng);
        const Rect r{x, y, x + size(rng), y + size(rng)};
        if (coin(rng)) windows.push_back({r.right, r.top + 3, r.right + 100, r.bottom + 7});
        const SnapTargets targets{windows.data(), static_cast<int>(windows.size()), {0, 0, 1280, 990}, coin(rng) == 1};
        Rect fast = r;
        SnapMove(targets, fast, 20);
        ASSERT_EQ(fast, SnapMoveByDefinition(targets, r, 20)) << "scene " << scene;
    }
}

TEST(MonitorContaining, RightAndBottomEdgesBelongToTheNeighbour) {
    const Rect monitors[] = {{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}, {1280, 900, 1600, 1200}};
    EXPECT_EQ(MonitorContaining(monitors, 2, {0, 0}), 0);
    EXPECT_EQ(MonitorContaining(monitors, 2, {1279, 1023}), 0);
    EXPECT_EQ(MonitorContaining(monitors, 2, {1280, 500}), 1) << "a right edge is the next monitor's";
    EXPECT_EQ(MonitorContaining(monitors, 2, {500, 1024}), kNoMonitor) << "below the bottom edge";
    EXPECT_EQ(MonitorContaining(monitors, 2, {-1, 10}), kNoMonitor);
    EXPECT_EQ(MonitorContaining(monitors, 3, {1300, 950}), kSeveralMonitors) << "overlapping: the platform decides";
    EXPECT_EQ(MonitorContaining(monitors, 0, {10, 10}), kNoMonitor);
}

}  // namespace
}  // namespace quor
