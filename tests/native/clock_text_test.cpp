#include "app/resident/clock_text.h"
#include "app/resident/clock_tip.h"

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>
#include <string>
#include <vector>

namespace quor {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

const LocalTime kMonday{2010, 12, 6, 1, 14, 5, 9};

TEST(ClockText, JapaneseFormWithEraDateWeekdayAndSeconds) {
    const auto lines = Lines(ClockText(kMonday, true, 0.3));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "平成 22 年");
    EXPECT_EQ(lines[1], "2010/12/06");
    EXPECT_EQ(lines[2], "月曜日");
    EXPECT_EQ(lines[3], "14:05:09");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "月齢   0.3") << "one decimal, right-aligned in four characters";
    EXPECT_EQ(Lines(ClockText({2026, 12, 7, 1, 9, 0, 0}, true, 17.25))[0], "令和  8 年");
    EXPECT_EQ(Lines(ClockText({2026, 12, 7, 1, 9, 0, 0}, true, 17.25))[5], "月齢  17.2");
}

TEST(ClockText, OtherLocalesShowDayMonthYearAndNoSeconds) {
    const auto lines = Lines(ClockText(kMonday, false, 29.96));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "06/12/2010");
    EXPECT_EQ(lines[1], "Mon");
    EXPECT_EQ(lines[2], "14:05");
    EXPECT_EQ(lines[4], "moon's age 30.0");
    EXPECT_EQ(ClockText({2010, 12, 6, 7, 0, 0, 0}, false, 1), "") << "no weekday, no text";
}

TEST(ClockText, EraAndYearOnEitherSideOfEachChange) {
    struct Case {
        int y, m, d;
        std::string era;
        int year;
    };
    const Case cases[] = {
        {1989, 1, 7, "昭和", 64}, {1989, 1, 8, "平成", 1},  {2019, 4, 30, "平成", 31},
        {2019, 5, 1, "令和", 1},  {2026, 12, 7, "令和", 8}, {1926, 12, 25, "昭和", 1},
        {1912, 7, 30, "大正", 1}, {1900, 1, 1, "明治", 33},
    };
    for (const Case& c : cases) {
        const JapaneseEra era = EraOf(c.y, c.m, c.d);
        EXPECT_EQ(era.name, c.era) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(era.year, c.year) << c.y << "-" << c.m << "-" << c.d;
    }
}

// 1970-01-02 01:01:01 local time, as calendar seconds, in Japan (UTC+9).
constexpr int64_t kJapanBase = 16 * 3600 + 61;

int64_t Utc(int y, int mo, int d, int h, int mi) {
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    return static_cast<int64_t>(timegm(&tm));
}

// Published new moons (UTC). The formula keeps two periodic terms and starts from local time, so
// it is off by hours, never by half a day.
TEST(MoonAge, NearZeroAtPublishedNewMoonsAndBoundedEverywhere) {
    const int64_t newMoons[] = {Utc(2010, 12, 5, 17, 36), Utc(2024, 1, 11, 11, 57), Utc(2024, 4, 8, 18, 21),
                                Utc(2025, 1, 29, 12, 36)};
    for (int64_t t : newMoons) {
        const double age = MoonAge(t, kJapanBase);
        EXPECT_TRUE(age <= 0.5 || age >= 29.53 - 0.5) << "at a new moon: " << age;
        const double dayAfter = MoonAge(t + 86400, kJapanBase);
        EXPECT_GE(dayAfter, 0.5);
        EXPECT_LE(dayAfter, 1.5) << "a day after";
        EXPECT_NEAR(MoonAge(t + 15 * 86400, kJapanBase), 15.0, 0.5) << "full moon, two weeks on";
    }
    for (int64_t t = Utc(2026, 1, 1, 0, 0); t < Utc(2027, 1, 1, 0, 0); t += 3 * 3600) {
        const double age = MoonAge(t, kJapanBase);
        ASSERT_GE(age, 0.0);
        ASSERT_LE(age, 30.0);
    }
}

TEST(ClockText, TheTooltipIsRebuiltAtMostOnceASecond) {
    EXPECT_TRUE(TipIsDue(0, 1'796'000'000)) << "never built";
    EXPECT_FALSE(TipIsDue(1'796'000'000, 1'796'000'000)) << "the same second";
    EXPECT_TRUE(TipIsDue(1'796'000'000, 1'796'000'001));
    EXPECT_TRUE(TipIsDue(1'796'000'000, 1'795'999'000)) << "a clock set back";
}

}  // namespace
}  // namespace quor
