#include "hooklib/window/alpha_table.h"

#include <gtest/gtest.h>

#include <vector>

namespace quor {
namespace {

TEST(NextAlpha, AwayFromTheUserBecomesOpaque) {
    EXPECT_EQ(NextAlpha(235, 120).kind, AlphaChange::kMakeOpaque) << "235 + 20 reaches 255";
    EXPECT_EQ(NextAlpha(215, 120).kind, AlphaChange::kAdjust);
    EXPECT_EQ(NextAlpha(245, 120).kind, AlphaChange::kMakeOpaque);
    EXPECT_EQ(NextAlpha(245, 120).alpha, 255);
    EXPECT_EQ(NextAlpha(255, 120).kind, AlphaChange::kMakeOpaque);
    EXPECT_EQ(NextAlpha(200, 120).alpha, 220);
}

TEST(NextAlpha, PartialDeltasGiveNoStep) {
    EXPECT_EQ(NextAlpha(255, 5).kind, AlphaChange::kMakeOpaque);
    EXPECT_EQ(NextAlpha(255, -5).kind, AlphaChange::kMakeOpaque) << "delta / 6 truncates to 0";
    EXPECT_EQ(NextAlpha(100, -5).alpha, 100);
    EXPECT_EQ(NextAlpha(100, -5).kind, AlphaChange::kAdjust);
    EXPECT_EQ(NextAlpha(100, 7).alpha, 101);
}

TEST(NextAlpha, HugeDeltasStayInRange) {
    EXPECT_EQ(NextAlpha(255, -32768).alpha, 32);
    EXPECT_EQ(NextAlpha(32, 32767).alpha, 255);
}

TEST(AlphaTable, RecordsOverwritesAndStopsWhenFull) {
    std::vector<AlphaEntry> table(4, AlphaEntry{0xdead, 0xdead});
    int count = 0;
    EXPECT_EQ(RecordedAlpha(table.data(), count, 7), 255u) << "no entry: opaque";
    EXPECT_TRUE(RecordAlpha(table.data(), count, 3, 7, 100));
    EXPECT_TRUE(RecordAlpha(table.data(), count, 3, 8, 90));
    EXPECT_TRUE(RecordAlpha(table.data(), count, 3, 7, 80));
    EXPECT_EQ(count, 2) << "an existing entry is overwritten";
    EXPECT_EQ(RecordedAlpha(table.data(), count, 7), 80u);
    EXPECT_TRUE(RecordAlpha(table.data(), count, 3, 9, 70));
    EXPECT_FALSE(RecordAlpha(table.data(), count, 3, 10, 60)) << "full";
    EXPECT_EQ(count, 3);
    EXPECT_EQ(table[3].window, 0xdeadu) << "nothing written past the capacity";
    EXPECT_TRUE(RecordAlpha(table.data(), count, 3, 9, 50)) << "a recorded window still updates when full";
}

}  // namespace
}  // namespace quor
