#include "app/resident/statistics_file.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace quor {
namespace {

TEST(StatisticsFile, ThirtyThreeKeysRoundTrip) {
    StatisticsRecord record{};
    record.totalTime = 3600;
    record.mouseMove = 1234.6;
    for (int i = 0; i < 5; ++i) record.mouse[i] = 10 + i;
    for (int i = 0; i < 26; ++i) record.keys[i] = 100 + i;
    record.keys[25] = 3'000'000'000u;  // above the largest signed value
    IniDocument file("[Config]\r\nSnap=20\r\n");
    WriteStatistics(file, record);
    const std::string text = file.Text();
    EXPECT_NE(text.find("[Stat]\r\nTotalTime=3600\r\nMouseMove=           1235\r\nMouse0=10\r\n"), std::string::npos)
        << "the travel as eleven spaces and 1235";
    EXPECT_NE(text.find("Key25=-1294967296\r\n"), std::string::npos) << "written as a signed decimal";
    size_t keys = 0;
    for (size_t at = text.find("[Stat]"); (at = text.find('=', at + 1)) != std::string::npos;) ++keys;
    EXPECT_EQ(keys, 33u);
    const StatisticsRecord back = ReadStatistics(IniDocument(text));
    EXPECT_EQ(back.totalTime, 3600u);
    EXPECT_EQ(back.mouseMove, 1235.0);
    EXPECT_EQ(back.mouse[4], 14u);
    EXPECT_EQ(back.keys[0], 100u);
    EXPECT_EQ(back.keys[25], 3'000'000'000u) << "and read back as the same count";
}

TEST(StatisticsFile, MissingAndNonsenseValuesAreZero) {
    const StatisticsRecord none = ReadStatistics(IniDocument(""));
    EXPECT_EQ(none.totalTime, 0u);
    EXPECT_EQ(none.mouseMove, 0.0);
    EXPECT_EQ(none.keys[12], 0u);
    EXPECT_EQ(ReadStatistics(IniDocument("[Stat]\nMouseMove=far\n")).mouseMove, 0.0);
    EXPECT_EQ(ReadStatistics(IniDocument("[Stat]\nMouseMove=nan\n")).mouseMove, 0.0);
    StatisticsRecord broken{};
    broken.mouseMove = std::numeric_limits<double>::quiet_NaN();
    IniDocument file;
    WriteStatistics(file, broken);
    EXPECT_EQ(file.Get("Stat", "MouseMove"), "0") << "a travel that is no number is saved as 0";
}

}  // namespace
}  // namespace quor
