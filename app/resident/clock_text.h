#pragma once
// The tooltip of the notification-area icon: date, weekday, time and the age of the moon, as
// UTF-8 text (the program converts it to its code page). No platform calls.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quor {

// A moment in local time, broken down as the C library does.
struct LocalTime {
    int year;     // e.g. 2026
    int month;    // 1 ... 12
    int day;      // 1 ... 31
    int weekday;  // 0 = Sunday
    int hour;
    int minute;
    int second;
};

// The Japanese era of a date and the year within it: 令和 from 2019-05-01, 平成 from 1989-01-08,
// 昭和 from 1926-12-25, 大正 from 1912-07-30, 明治 before.
struct JapaneseEra {
    const char* name;  // UTF-8
    int year;
};
JapaneseEra EraOf(int year, int month, int day);

// The tooltip text: the Japanese form (era, date, weekday, time with seconds, 月齢) or the other
// locales' form (day/month/year, weekday, time, moon's age). Empty for a weekday outside 0...6.
std::string ClockText(const LocalTime& now, bool japanese, double moonAge);

// Days since the last new moon at calendar time `t` (seconds since 1970, UTC), from 0 to 30.
// `base` is the calendar time of 1970-01-02 01:01:01 in local time, which the formula starts from.
double MoonAge(int64_t t, int64_t base);

}  // namespace quor
