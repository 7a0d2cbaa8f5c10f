#pragma once
// The usage counters between the settings file and the hook library, which counts them.
#include "app/framework/ini_document.h"
#include "app/resident/statistics_file.h"

namespace quor {

void LoadStatisticsIntoLibrary(const IniDocument& file) noexcept;
void PutStatisticsIntoLibrary(const StatisticsRecord& record) noexcept;
StatisticsRecord StatisticsOfLibrary() noexcept;

}  // namespace quor
