#include "app/resident/clock_tip.h"

#include <windows.h>

#include <ctime>
#include <string>

#include "app/resident/clock_text.h"

namespace quor {
namespace {

constexpr LCID kJapanese = 0x411;

// 1970-01-02 01:01:01 in local time, where the moon's age formula starts.
int64_t MoonBase() noexcept {
    std::tm base{};
    base.tm_year = 70;
    base.tm_mday = 2;
    base.tm_hour = 1;
    base.tm_min = 1;
    base.tm_sec = 1;
    base.tm_isdst = -1;
    return _mktime64(&base);
}

}  // namespace

int64_t ClockSecondNow() noexcept { return _time64(nullptr); }

void MakeClockText(wchar_t* tip, size_t count) noexcept {
    if (count == 0) return;
    const __time64_t now = _time64(nullptr);
    std::tm local{};
    if (_localtime64_s(&local, &now) != 0) {
        ::lstrcpynW(tip, L"Quorvelle", static_cast<int>(count));  // no local time: no weekday to show
        return;
    }
    const LocalTime t{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday,
                      local.tm_hour,        local.tm_min,     local.tm_sec};
    const std::string text = ClockText(t, ::GetThreadLocale() == kJapanese, MoonAge(now, MoonBase()));
    // UTF-8 to the wide tip, which reads right whatever this program's code page.
    if (!::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, tip, static_cast<int>(count))) {
        ::lstrcpynW(tip, L"Quorvelle", static_cast<int>(count));
        return;
    }
    tip[count - 1] = L'\0';
}

}  // namespace quor
