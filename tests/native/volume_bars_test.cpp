#include "app/resident/volume_bars.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(VolumeBars, LitBarsFollowTheLevel) {
    EXPECT_EQ(LastLitBar(32767), 49) << "half: bars 0 to 49 lit";
    EXPECT_EQ(LastLitBar(0), -1) << "silent (or muted): none";
    EXPECT_EQ(LastLitBar(65535), 99) << "full: all";
    EXPECT_EQ(LastLitBar(600), 0) << "under a hundredth of the scale: the first bar";
    EXPECT_EQ(LastLitBar(656), 1) << "just over: two bars";
}

TEST(VolumeBars, OneRowAcrossTheWorkArea) {
    // 1280 pixels wide: a pitch of 12, bars 9 pixels wide (half 6, times 0.8, truncated: 4).
    const BarRect first = VolumeBar(0, 1280, 85);
    EXPECT_EQ(first.left, 20 + 6 - 4);
    EXPECT_EQ(first.right, 20 + 6 + 4);
    EXPECT_EQ(first.top, 10);
    EXPECT_EQ(first.bottom, 75);
    const BarRect last = VolumeBar(99, 1280, 85);
    EXPECT_EQ(last.left, 20 + 99 * 12 + 6 - 4);
    EXPECT_LE(last.right, 1280 - 20) << "within the margin";
}

}  // namespace
}  // namespace quor
