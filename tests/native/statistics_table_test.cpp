#include "app/tools/statistics_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quor {
namespace {

const std::array<std::string, 6> kNamed = {"travel", "left", "middle", "right", "up", "down"};

TEST(StatisticsTable, RowsAndTheirLabels) {
    const std::array<std::string, kStatisticsRows> labels = StatisticsLabels(kNamed);
    EXPECT_EQ(labels[0], "travel");
    EXPECT_EQ(labels[1], "") << "a blank row between travel and clicks";
    EXPECT_EQ(labels[2], "left");
    EXPECT_EQ(labels[3], "middle") << "the middle button before the right one";
    EXPECT_EQ(labels[4], "right");
    EXPECT_EQ(labels[6], "down");
    EXPECT_EQ(labels[7], "");
    EXPECT_EQ(labels[8], "A");
    EXPECT_EQ(labels[33], "Z");
    EXPECT_EQ(StatisticsRowAt(4).kind, StatisticsRow::Kind::kMouse);
    EXPECT_EQ(StatisticsRowAt(4).counter, 2) << "row 4: the right button's counter";
    EXPECT_EQ(StatisticsRowAt(20).kind, StatisticsRow::Kind::kKey);
    EXPECT_EQ(StatisticsRowAt(20).counter, 12) << "row 20: M";
}

TEST(StatisticsTable, CellTextsOfKnownCounters) {
    StatisticsCounters counters;
    counters.totalTime = 1800;
    counters.travel = 1234.4;
    counters.mouse[0] = 2;  // left
    counters.mouse[1] = 1;
    counters.mouse[2] = 1;
    counters.mouse[3] = 3;  // wheel away
    counters.mouse[4] = 1;
    counters.keys[0] = 3;
    counters.keys[1] = 1;
    const StatisticsCells cells = StatisticsCellsFor(counters);
    EXPECT_EQ(TotalTimeText(1800), "      1800 sec");
    EXPECT_EQ(cells[0][1], "        1234 pixel");
    EXPECT_EQ(cells[0][2], "      2469 pixel") << "1234.4 in half an hour";
    EXPECT_EQ(cells[0][3], "") << "no ratio for the travel";
    EXPECT_EQ(cells[2][1], "         2");
    EXPECT_EQ(cells[2][2], "         4") << "2 in half an hour: 4 an hour";
    EXPECT_EQ(cells[2][3], " 50.00 %") << "2 of 4 clicks";
    EXPECT_EQ(cells[3][3], " 25.00 %") << "middle: 1 of 4 clicks";
    EXPECT_EQ(cells[5][3], " 75.00 %") << "wheel away: 3 of 4 notches, not of the clicks";
    EXPECT_EQ(cells[6][3], " 25.00 %");
    EXPECT_EQ(cells[8][1], "         3");
    EXPECT_EQ(cells[8][3], " 75.00 %") << "A: 3 of 4 keys";
    EXPECT_EQ(cells[10][3], "  0.00 %") << "C: none of 4";
    for (const int blank : {1, 7})
        for (int column = 0; column < kStatisticsColumns; ++column) EXPECT_EQ(cells[blank][column], "");
}

TEST(StatisticsTable, AllOfOneKindIsAHundredPercent) {
    StatisticsCounters counters;
    counters.totalTime = 3;
    counters.keys[25] = 7;
    counters.mouse[1] = 4'000'000'000u;  // beyond the largest signed value
    const StatisticsCells cells = StatisticsCellsFor(counters);
    EXPECT_EQ(cells[33][3], "100.00 %");
    EXPECT_EQ(cells[3][1], "4000000000") << "a large count is never shown negative";
    EXPECT_EQ(cells[3][3], "100.00 %");
}

TEST(StatisticsTable, ZeroTimeAndZeroDivisors) {
    StatisticsCounters counters;
    counters.mouse[3] = 2;  // only the wheel moved, in no time
    counters.mouse[4] = 2;
    counters.travel = 10;
    const StatisticsCells cells = StatisticsCellsFor(counters);
    EXPECT_EQ(TotalTimeText(0), "         0 sec");
    EXPECT_EQ(cells[0][2], "     36000 pixel") << "no time: divided by one second";
    EXPECT_EQ(cells[5][2], "      7200");
    for (const int row : {2, 3, 4}) {
        EXPECT_EQ(cells[row][1], "         0") << row;
        EXPECT_EQ(cells[row][3], kNoRatio) << "no clicks: no ratio for row " << row;
    }
    EXPECT_EQ(cells[5][3], " 50.00 %");
    EXPECT_EQ(cells[6][3], " 50.00 %") << "the wheel rows add up to 100 %";
    for (int row = 8; row < kStatisticsRows; ++row) EXPECT_EQ(cells[row][3], kNoRatio) << "no keys, row " << row;
    EXPECT_STREQ(kNoRatio, "-");
}

TEST(StatisticsTable, ARefreshWritesOnlyTheCellsThatChanged) {
    const StatisticsCells empty{};
    StatisticsCounters counters;
    counters.totalTime = 100;
    const StatisticsCells first = StatisticsCellsFor(counters);
    // 1. The first refresh fills every cell that has a text: 2 of the travel, 3 of 31 counters.
    EXPECT_EQ(CellsToWrite(empty, first).size(), 2u + 3u * 31u) << "1. the first refresh";
    // 2. The same counters again: nothing to write.
    EXPECT_TRUE(CellsToWrite(first, StatisticsCellsFor(counters)).empty()) << "2. nothing changed";
    // 3. One key pressed (C): its three cells, and the ratio of every other key (0.00 % from -).
    counters.keys[2] = 1;
    const std::vector<CellPlace> places = CellsToWrite(first, StatisticsCellsFor(counters));
    ASSERT_EQ(places.size(), 3u + 25u) << "3. one key";
    EXPECT_EQ(places[0], (CellPlace{8, 3})) << "3. A's ratio";
    EXPECT_EQ(places[2], (CellPlace{10, 1})) << "3. C's count";
    EXPECT_EQ(places[4], (CellPlace{10, 3}));
    EXPECT_EQ(places[5], (CellPlace{11, 3}));
    // 4. Time passing changes only the per-hour cells of counters that are not 0.
    StatisticsCounters later = counters;
    later.totalTime = 200;
    const std::vector<CellPlace> hour = CellsToWrite(StatisticsCellsFor(counters), StatisticsCellsFor(later));
    ASSERT_EQ(hour.size(), 1u) << "4. time alone";
    EXPECT_EQ(hour[0], (CellPlace{10, 2}));
}

TEST(StatisticsTable, TheCopyHasThirtyFiveTabSeparatedLines) {
    StatisticsCounters counters;
    counters.totalTime = 7200;
    counters.travel = 500;
    counters.mouse[0] = 1;
    const std::string text = StatisticsCopyText(7201, StatisticsLabels(kNamed), StatisticsCellsFor(counters));
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(text.back(), '\n') << "the last line ended too";
    EXPECT_EQ(lines[0], "Total time\t      7201 sec") << "the total time as it is when copying";
    EXPECT_EQ(lines[1], "travel\t         500 pixel\t       250 pixel\t");
    EXPECT_EQ(lines[2], "\t\t\t") << "a blank row: three tabs";
    EXPECT_EQ(lines[3], "left\t         1\t         0\t100.00 %");
    EXPECT_EQ(lines[4], "middle\t         0\t         0\t  0.00 %");
    EXPECT_EQ(lines[6], "up\t         0\t         0\t-") << "no wheel notches";
    EXPECT_EQ(lines[8], "\t\t\t");
    EXPECT_EQ(lines[34], "Z\t         0\t         0\t-");
}

}  // namespace
}  // namespace quor
