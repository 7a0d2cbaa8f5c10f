#include "app/tools/statistics_table.h"

#include <cstdio>

namespace quor {
namespace {

constexpr int kFirstMouseRow = 2;
constexpr int kFirstKeyRow = 8;

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[64] = {};
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

std::string CountText(uint32_t count) { return Format("%10u", count); }

std::string PerHourText(double amount, double seconds) { return Format("%10.0f", amount / seconds * 3600.0); }

std::string RatioText(double count, double divisor) {
    if (divisor == 0) return kNoRatio;
    return Format("%6.2f %%", count / divisor * 100.0);
}

void FillCounterRow(std::array<std::string, kStatisticsColumns>& row, uint32_t count, double seconds,
                    double divisor) {
    row[1] = CountText(count);
    row[2] = PerHourText(count, seconds);
    row[3] = RatioText(count, divisor);
}

}  // namespace

StatisticsRow StatisticsRowAt(int row) {
    if (row == 0) return {StatisticsRow::Kind::kTravel, 0};
    if (row >= kFirstMouseRow && row < kFirstMouseRow + 5) return {StatisticsRow::Kind::kMouse, row - kFirstMouseRow};
    if (row >= kFirstKeyRow && row < kFirstKeyRow + 26) return {StatisticsRow::Kind::kKey, row - kFirstKeyRow};
    return {StatisticsRow::Kind::kBlank, 0};
}

std::string TotalTimeText(uint32_t seconds) { return Format("%10.0f sec", static_cast<double>(seconds)); }

StatisticsCells StatisticsCellsFor(const StatisticsCounters& counters) {
    // Per hour over no time at all would divide by zero: a second stands in for it.
    const double seconds = counters.totalTime == 0 ? 1.0 : counters.totalTime;
    const double clicks = static_cast<double>(counters.mouse[0]) + counters.mouse[1] + counters.mouse[2];
    const double wheel = static_cast<double>(counters.mouse[3]) + counters.mouse[4];
    double keys = 0;
    for (const uint32_t count : counters.keys) keys += count;

    StatisticsCells cells;
    for (int row = 0; row < kStatisticsRows; ++row) {
        const StatisticsRow what = StatisticsRowAt(row);
        switch (what.kind) {
            case StatisticsRow::Kind::kTravel:
                cells[row][1] = Format("%12.0f pixel", counters.travel);
                cells[row][2] = Format("%10.0f pixel", counters.travel / seconds * 3600.0);
                break;
            case StatisticsRow::Kind::kMouse:
                FillCounterRow(cells[row], counters.mouse[what.counter], seconds, what.counter < 3 ? clicks : wheel);
                break;
            case StatisticsRow::Kind::kKey:
                FillCounterRow(cells[row], counters.keys[what.counter], seconds, keys);
                break;
            case StatisticsRow::Kind::kBlank: break;
        }
    }
    return cells;
}

std::vector<CellPlace> CellsToWrite(const StatisticsCells& shown, const StatisticsCells& next) {
    std::vector<CellPlace> places;
    for (int row = 0; row < kStatisticsRows; ++row)
        for (int column = 1; column < kStatisticsColumns; ++column)
            if (shown[row][column] != next[row][column]) places.push_back({row, column});
    return places;
}

std::string StatisticsCopyText(uint32_t totalTime, const std::array<std::string, kStatisticsRows>& labels,
                               const StatisticsCells& cells) {
    std::string text = "Total time\t" + TotalTimeText(totalTime) + "\n";
    for (int row = 0; row < kStatisticsRows; ++row) {
        text += labels[row];
        for (int column = 1; column < kStatisticsColumns; ++column) {
            text += '\t';
            text += cells[row][column];
        }
        text += '\n';
    }
    return text;
}

}  // namespace quor
