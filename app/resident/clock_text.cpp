#include "app/resident/clock_text.h"

#include <cmath>
#include <cstdio>

namespace quor {
namespace {

struct EraStart {
    int date;  // yyyymmdd of its first day
    const char* name;
    int firstYear;  // the Gregorian year of its year 1
};

// Newest first.
constexpr EraStart kEras[] = {
    {20190501, "令和", 2019},
    {19890108, "平成", 1989},
    {19261225, "昭和", 1926},
    {19120730, "大正", 1912},
};

constexpr const char* kJapaneseWeekdays[] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

constexpr double kDegree = 0.017453292519943;

}  // namespace

JapaneseEra EraOf(int year, int month, int day) {
    const int date = year * 10000 + month * 100 + day;
    for (const EraStart& era : kEras)
        if (date >= era.date) return {era.name, year - era.firstYear + 1};
    return {"明治", year - 1867};
}

std::string ClockText(const LocalTime& now, bool japanese, double moonAge) {
    if (now.weekday < 0 || now.weekday > 6) return {};
    char text[256];
    if (japanese) {
        const JapaneseEra era = EraOf(now.year, now.month, now.day);
        std::snprintf(text, sizeof text, "%s %2d 年\n%4d/%02d/%02d\n%s\n%02d:%02d:%02d\n\n月齢  %4.1f", era.name, era.year,
                      now.year, now.month, now.day, kJapaneseWeekdays[now.weekday], now.hour, now.minute,
                      now.second, moonAge);
    } else {
        std::snprintf(text, sizeof text, "%02d/%02d/%4d\n%s\n%02d:%02d\n\nmoon's age %4.1f", now.day, now.month,
                      now.year, kWeekdays[now.weekday], now.hour, now.minute, moonAge);
    }
    return text;
}

double MoonAge(int64_t t, int64_t base) {
    const double jd = static_cast<double>(t - base) * 1000.0 / 86400000.0 + 2440587.5 + 1.0;
    const double k = std::floor((jd - 2451550.09765) / 29.530589);
    const double T = k / 1236.85;
    const double newMoon = 0.0001337 * T * T + (29.530589 * k + 2451550.09765) -
                           0.4072 * std::sin((385.8169 * k + 201.5643) * kDegree) +
                           0.17241 * std::sin((29.1054 * k + 2.5534) * kDegree);
    const double age = jd - newMoon;
    if (age > 30) return 30;
    if (age < 0) return 0;
    return age;
}

}  // namespace quor
