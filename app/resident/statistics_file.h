#pragma once
// The usage counters as section "Stat" of the settings file keeps them: 33 keys. No platform calls.
#include <cstdint>

#include "app/framework/ini_document.h"

namespace quor {

struct StatisticsRecord {
    uint32_t totalTime;  // seconds of use
    double mouseMove;    // pixels travelled
    uint32_t mouse[5];   // left, middle, right, wheel away, wheel towards
    uint32_t keys[26];   // A ... Z
};

// Missing keys, and a travel that is no number, read as 0.
StatisticsRecord ReadStatistics(const IniDocument& file);
// Two records' counts added up (each count wrapping as the library's counters do).
StatisticsRecord SumOf(const StatisticsRecord& a, const StatisticsRecord& b);
// The counts as signed decimals, the travel as "%15.0f"; a travel that is no finite distance (the
// shared counters may hold anything) is written as 0.
void WriteStatistics(IniDocument& file, const StatisticsRecord& record);

}  // namespace quor
