#include "app/resident/statistics_io.h"

#include "hooklib/quordll.h"

namespace quor {

void LoadStatisticsIntoLibrary(const IniDocument& file) noexcept { PutStatisticsIntoLibrary(ReadStatistics(file)); }

void PutStatisticsIntoLibrary(const StatisticsRecord& record) noexcept {
    SetStatTotalTime(record.totalTime);
    SetStatMouseMove(record.mouseMove);
    for (int i = 0; i < 5; ++i) SetStatMouse(i, record.mouse[i]);
    for (int i = 0; i < 26; ++i) SetStatKeyboard(i, record.keys[i]);
}

StatisticsRecord StatisticsOfLibrary() noexcept {
    StatisticsRecord record{};
    record.totalTime = GetStatTotalTime();
    record.mouseMove = GetStatMouseMove();
    for (int i = 0; i < 5; ++i) record.mouse[i] = GetStatMouse(i);
    for (int i = 0; i < 26; ++i) record.keys[i] = GetStatKeyboard(i);
    return record;
}

}  // namespace quor
