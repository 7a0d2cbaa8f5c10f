#include "hooklib/window/drag_geometry.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

const Rect kArea{0, 0, 1280, 990};

TEST(KeepInside, PullsBackPastEachEdge) {
    Rect r{1000, 100, 1400, 400};
    KeepInside(r, kArea);
    EXPECT_EQ(r, (Rect{880, 100, 1280, 400}));
    r = {-50, -20, 350, 280};
    KeepInside(r, kArea);
    EXPECT_EQ(r, (Rect{0, 0, 400, 300}));
}

TEST(KeepInside, LargerThanTheAreaEndsAtTopAndLeft) {
    Rect r{100, 50, 1500, 1150};  // 1400 x 1100
    KeepInside(r, kArea);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.height(), 1100);
}

TEST(ClampPoint, BoundsThemselvesAreAllowed) {
    Point p{1280, 990};
    EXPECT_FALSE(ClampPoint(p, kArea));
    p = {1300, 1010};
    EXPECT_TRUE(ClampPoint(p, kArea));
    EXPECT_EQ(p.x, 1280);
    EXPECT_EQ(p.y, 990);
    p = {-4, -1};
    EXPECT_TRUE(ClampPoint(p, kArea));
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(ExtendedSizing, RightEdgeBecomesBottomRightCornerAndStays) {
    SizedSides s = SidesForHitCode(11);  // right edge
    Point grip{-3, 0};
    const Rect window{100, 100, 500, 400};
    ExtendSizedSides(s, grip, window, {520, 300});  // out to the right: right already sized
    EXPECT_EQ(grip.x, -3) << "right is already sized: nothing changes";
    ExtendSizedSides(s, grip, window, {520, 450});  // below the bottom
    EXPECT_EQ(s.side[kBottom], 1);
    EXPECT_EQ(grip.y, 0);
    Rect r = window;
    FollowCursor(r, s, grip, {520, 450});
    EXPECT_EQ(r, (Rect{100, 100, 523, 450})) << "the bottom edge jumps to the cursor";
    ExtendSizedSides(s, grip, r, {520, 300});  // back up: nothing is removed
    EXPECT_EQ(s.side[kBottom], 1);
}

TEST(ExtendedSizing, OppositeSideIsNeverAdded) {
    SizedSides s = SidesForHitCode(10);  // left edge
    Point grip{2, 0};
    ExtendSizedSides(s, grip, {100, 100, 500, 400}, {600, 200});
    EXPECT_EQ(s.side[kRight], 0);
    s = SidesForHitCode(15);  // bottom edge
    ExtendSizedSides(s, grip, {100, 100, 500, 400}, {300, 50});
    EXPECT_EQ(s.side[kTop], 0);
    ExtendSizedSides(s, grip, {100, 100, 500, 400}, {50, 300});
    EXPECT_EQ(s.side[kLeft], 1) << "a perpendicular side is added";
}

TEST(MinimumSize, CornerStopsAtTheMinimum) {
    Rect r{100, 100, 150, 120};
    ApplyMinimumSize(r, SidesForHitCode(17), 300, 200);
    EXPECT_EQ(r, (Rect{100, 100, 400, 300}));
}

TEST(MinimumSize, LeftEdgePastTheRightKeepsTheRightFixed) {
    Rect r{700, 100, 500, 400};  // left dragged past the right edge
    ApplyMinimumSize(r, SidesForHitCode(10), 300, 200);
    EXPECT_EQ(r, (Rect{200, 100, 500, 400}));
}

TEST(ClipToArea, SizedRectangleIsClipped) {
    Rect r{-10, 20, 1300, 1000};
    ClipToArea(r, kArea);
    EXPECT_EQ(r, (Rect{0, 20, 1280, 990}));
}

}  // namespace
}  // namespace quor
