#pragma once
// The statistics dialog's table as texts: which counter each of its 34 rows shows, the texts of
// its cells, which cells a refresh has to write, and the tab-separated copy. No platform calls.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quor {

constexpr int kStatisticsRows = 34;
constexpr int kStatisticsColumns = 4;  // the label, total, per hour, ratio

// What a ratio cell shows while its divisor (all clicks, all wheel notches or all keys) is 0.
constexpr const char kNoRatio[] = "-";

// The library's counters, as one refresh reads them.
struct StatisticsCounters {
    uint32_t totalTime = 0;  // seconds of use
    double travel = 0;       // pixels
    uint32_t mouse[5] = {};  // left, middle, right presses; wheel away, wheel towards
    uint32_t keys[26] = {};  // A to Z
};

struct StatisticsRow {
    enum class Kind { kTravel, kBlank, kMouse, kKey };
    Kind kind;
    int counter;  // the index into mouse or keys; 0 for the others
};
// Row 0 the travel, 2 to 6 the mouse counters, 8 to 33 the keys A to Z, 1 and 7 blank.
StatisticsRow StatisticsRowAt(int row);

// The first column of every row: `named` holds, in this order, the labels of the travel and of
// the five mouse counters (left, middle, right, wheel up, wheel down); the key rows get their
// letters and the blank rows nothing. Narrow or wide texts alike.
template <typename Text>
std::array<Text, kStatisticsRows> StatisticsLabels(const std::array<Text, 6>& named) {
    std::array<Text, kStatisticsRows> labels;
    for (int row = 0; row < kStatisticsRows; ++row) {
        const StatisticsRow what = StatisticsRowAt(row);
        switch (what.kind) {
            case StatisticsRow::Kind::kTravel: labels[row] = named[0]; break;
            case StatisticsRow::Kind::kMouse: labels[row] = named[1 + what.counter]; break;
            case StatisticsRow::Kind::kKey: labels[row] = Text(1, static_cast<char>('A' + what.counter)); break;
            case StatisticsRow::Kind::kBlank: break;
        }
    }
    return labels;
}

// The texts of every cell; column 0 (the labels) is left empty here.
using StatisticsCells = std::array<std::array<std::string, kStatisticsColumns>, kStatisticsRows>;
StatisticsCells StatisticsCellsFor(const StatisticsCounters& counters);

// The total time box's text.
std::string TotalTimeText(uint32_t seconds);

// The cells of columns 1 to 3 whose text differs between what the table shows and what it should.
struct CellPlace {
    int row;
    int column;
    bool operator==(const CellPlace&) const = default;
};
std::vector<CellPlace> CellsToWrite(const StatisticsCells& shown, const StatisticsCells& next);

// The table as tab-separated text: a line with the total time, then one line of four fields per
// row (labels from `labels`, the rest from `cells`), each ended with LF.
std::string StatisticsCopyText(uint32_t totalTime, const std::array<std::string, kStatisticsRows>& labels,
                               const StatisticsCells& cells);

}  // namespace quor
