// Snapping and keeping inside by a window's visible frame, with the invisible resize border of
// current systems (7 pixels left, right and bottom at 100 %) outside it.
#include <gtest/gtest.h>

#include <vector>

#include "hooklib/window/drag_step.h"
#include "hooklib/window/frame_insets.h"

namespace quor {
namespace {

const Rect kWork{0, 0, 1280, 990};
constexpr Insets kBorder{7, 0, 7, 7};
constexpr StepRules kSnapAndKeepInside{true, true, 20};

SnapTargets Targets(const std::vector<Rect>& frames) {
    return {frames.data(), static_cast<int>(frames.size()), kWork, false};
}

TEST(VisibleFrame, MovingSnapsTheVisibleEdgesNotTheBorder) {
    const std::vector<Rect> none;
    // The window rectangle 15 px right of the work area's left edge: its visible edge is 22 px away.
    EXPECT_EQ(MovedWindowRect(Targets(none), {15, 300, 415, 600}, kBorder, kSnapAndKeepInside),
              (Rect{15, 300, 415, 600})) << "22 px of visible gap: no snap";
    EXPECT_EQ(MovedWindowRect(Targets(none), {5, 300, 405, 600}, kBorder, kSnapAndKeepInside),
              (Rect{-7, 300, 393, 600})) << "the visible left edge on the work area's: the rectangle at -7";
    EXPECT_EQ(MovedWindowRect(Targets(none), {300, 600, 700, 990}, kBorder, kSnapAndKeepInside),
              (Rect{300, 607, 700, 997})) << "the visible bottom snaps onto the work area's bottom";
    // Two such windows side by side touch visibly: the neighbour's visible frame is the target.
    const Rect neighbourWindow{100, 100, 500, 400};
    const std::vector<Rect> frames{VisibleFrameOf(neighbourWindow, kBorder)};
    const Rect moved = MovedWindowRect(Targets(frames), {495, 100, 895, 400}, kBorder, kSnapAndKeepInside);
    EXPECT_EQ(VisibleFrameOf(moved, kBorder).left, VisibleFrameOf(neighbourWindow, kBorder).right)
        << "no gap between the visible frames";
    EXPECT_EQ(moved.left, 486) << "the two invisible borders overlap by 14 px, as when the system snaps";
}

TEST(VisibleFrame, KeepInsideHoldsTheVisibleFrame) {
    const std::vector<Rect> none;
    constexpr StepRules keepOnly{true, false, 20};
    EXPECT_EQ(MovedWindowRect(Targets(none), {300, 800, 700, 1100}, kBorder, keepOnly), (Rect{300, 697, 700, 997}))
        << "the visible bottom on the work area's bottom, the border below it";
    EXPECT_EQ(MovedWindowRect(Targets(none), {-50, 100, 350, 400}, kBorder, keepOnly), (Rect{-7, 100, 393, 400}));
    EXPECT_EQ(MovedWindowRect(Targets(none), {-50, 100, 350, 400}, kNoInsets, keepOnly), (Rect{0, 100, 400, 400}))
        << "without insets nothing changes";
    constexpr StepRules free{false, false, 20};
    EXPECT_EQ(MovedWindowRect(Targets(none), {-50, 100, 350, 400}, kBorder, free), (Rect{-50, 100, 350, 400}));
}

TEST(VisibleFrame, SizingSnapsAndClipsTheVisibleSides) {
    const std::vector<Rect> none;
    const int32_t right[4] = {0, 1, 0, 0};
    const int32_t bottom[4] = {0, 0, 1, 0};
    EXPECT_EQ(SizedWindowRect(Targets(none), {100, 100, 1275, 500}, kBorder, kSnapAndKeepInside, right),
              (Rect{100, 100, 1287, 500})) << "the visible right side onto the work area's edge";
    EXPECT_EQ(SizedWindowRect(Targets(none), {100, 100, 600, 1200}, kBorder, kSnapAndKeepInside, bottom),
              (Rect{100, 100, 600, 997})) << "clipped by the visible bottom";
}

TEST(VisibleFrame, InsetsOnlyWhenTheFrameLiesWithinABorder) {
    EXPECT_EQ(InsetsBetween({100, 100, 500, 400}, {107, 100, 493, 393}), kBorder);
    EXPECT_EQ(InsetsBetween({100, 100, 500, 400}, {100, 100, 500, 400}), kNoInsets);
    EXPECT_EQ(InsetsBetween({100, 100, 500, 400}, {90, 100, 493, 393}), kNoInsets) << "a frame outside";
    EXPECT_EQ(InsetsBetween({100, 100, 500, 400}, {125, 125, 375, 300}), kNoInsets)
        << "a frame in another scale, not a border";
}

// At each scale the system's border is about 7 pixels in the units of a program that is not
// aware of the monitor's DPI; the frame comes in physical pixels.
TEST(VisibleFrame, PhysicalInsetsInTheCallersUnits) {
    struct Scale {
        int32_t ownWidth, physicalWidth;
        int dpi;
        Insets physical, own;
    };
    const Scale scales[] = {
        {400, 400, 96, {7, 0, 7, 7}, {7, 0, 7, 7}},        // 100 %
        {400, 500, 120, {9, 0, 9, 9}, {7, 0, 7, 7}},       // 125 %: 7.2
        {400, 600, 144, {11, 1, 11, 11}, {7, 1, 7, 7}},    // 150 %: 7.33, 0.67
        {400, 800, 192, {14, 0, 14, 15}, {7, 0, 7, 8}},    // 200 %: 7.5 rounds up
    };
    for (const Scale& s : scales) {
        EXPECT_EQ(DpiFromWidths(s.physicalWidth, s.ownWidth), s.dpi);
        EXPECT_EQ(InsetsAtDpi(s.physical, s.dpi), s.own) << s.dpi << " dpi";
    }
    // The whole path: the rectangle as a program scaled to 150 % sees it, the same rectangle in
    // physical pixels, and the frame the window manager reports.
    EXPECT_EQ(InsetsInOwnUnits({100, 100, 500, 400}, {150, 150, 750, 600}, {161, 150, 739, 589}),
              (Insets{7, 0, 7, 7}));
    EXPECT_EQ(InsetsInOwnUnits({100, 100, 500, 400}, {100, 100, 500, 400}, {107, 100, 493, 393}), kBorder)
        << "at 100 % the insets are the frame's";
    EXPECT_EQ(InsetsInOwnUnits({100, 100, 500, 400}, {150, 150, 750, 600}, {107, 100, 493, 393}), kNoInsets)
        << "a frame that is not within the physical rectangle";
    EXPECT_EQ(DpiFromWidths(0, 400), 96) << "no width: no scaling";
    EXPECT_EQ(DpiFromWidths(1203, 999), 116) << "an odd width still gives the nearest";
    EXPECT_EQ(InsetsAtDpi({7, 0, 7, 7}, 0), (Insets{7, 0, 7, 7})) << "no DPI: unchanged";
}

}  // namespace
}  // namespace quor
