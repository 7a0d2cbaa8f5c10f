#include "app/resident/statistics_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quor {
namespace {

constexpr char kSection[] = "Stat";

std::string Numbered(const char* prefix, int i) { return prefix + std::to_string(i); }

uint32_t ReadCount(const IniDocument& file, const std::string& key) {
    return static_cast<uint32_t>(file.GetInt(kSection, key, 0));
}

void WriteCount(IniDocument& file, const std::string& key, uint32_t value) {
    file.SetInt(kSection, key, static_cast<int32_t>(value));  // above 2^31 - 1 it reads as negative
}

}  // namespace

StatisticsRecord ReadStatistics(const IniDocument& file) {
    StatisticsRecord record{};
    record.totalTime = ReadCount(file, "TotalTime");
    const std::string travel = file.Get(kSection, "MouseMove").value_or("0");
    const double value = std::strtod(travel.c_str(), nullptr);
    record.mouseMove = std::isfinite(value) && value > 0 ? value : 0.0;
    for (int i = 0; i < 5; ++i) record.mouse[i] = ReadCount(file, Numbered("Mouse", i));
    for (int i = 0; i < 26; ++i) record.keys[i] = ReadCount(file, Numbered("Key", i));
    return record;
}

StatisticsRecord SumOf(const StatisticsRecord& a, const StatisticsRecord& b) {
    StatisticsRecord sum{};
    sum.totalTime = a.totalTime + b.totalTime;
    sum.mouseMove = a.mouseMove + b.mouseMove;
    for (int i = 0; i < 5; ++i) sum.mouse[i] = a.mouse[i] + b.mouse[i];
    for (int i = 0; i < 26; ++i) sum.keys[i] = a.keys[i] + b.keys[i];
    return sum;
}

void WriteStatistics(IniDocument& file, const StatisticsRecord& record) {
    WriteCount(file, "TotalTime", record.totalTime);
    char travel[64];
    const double distance = std::isfinite(record.mouseMove) && record.mouseMove > 0 ? record.mouseMove : 0.0;
    std::snprintf(travel, sizeof travel, "%15.0f", distance);
    file.Set(kSection, "MouseMove", travel);
    for (int i = 0; i < 5; ++i) WriteCount(file, Numbered("Mouse", i), record.mouse[i]);
    for (int i = 0; i < 26; ++i) WriteCount(file, Numbered("Key", i), record.keys[i]);
}

}  // namespace quor
