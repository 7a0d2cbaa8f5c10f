#include "hooklib/core/usage_stats.h"

#include <cmath>

namespace quor {
namespace {

// Message identifiers of the platform, as the low-level hook reports them.
constexpr unsigned kMouseMove = 0x0200;
constexpr unsigned kLeftDown = 0x0201;
constexpr unsigned kRightDown = 0x0204;
constexpr unsigned kMiddleDown = 0x0207;
constexpr unsigned kWheel = 0x020A;

constexpr uint32_t kIdlePause = 600;

}  // namespace

int MouseCounterFor(unsigned message, int wheelDelta) noexcept {
    switch (message) {
        case kLeftDown: return 0;
        case kMiddleDown: return 1;
        case kRightDown: return 2;
        case kWheel: return wheelDelta > 0 ? 3 : 4;
        default: return kNoMouseCounter;
    }
}

double TravelFrom(int previousX, int previousY, int x, int y) noexcept {
    if (previousX == 0 && previousY == 0) return 0.0;
    const double dx = static_cast<double>(x) - previousX;
    const double dy = static_cast<double>(y) - previousY;
    return std::sqrt(dx * dx + dy * dy);
}

uint32_t SecondsOfUse(int64_t previous, int64_t now) noexcept {
    if (previous == 0) return 0;
    // In 32-bit unsigned arithmetic a clock set back gives a huge gap, which counts nothing.
    const uint32_t gap = static_cast<uint32_t>(now) - static_cast<uint32_t>(previous);
    return gap >= 1 && gap < kIdlePause ? gap : 0;
}

int64_t CalendarSecondsFromFileTime(uint64_t fileTime) noexcept {
    constexpr uint64_t kUnitsPerSecond = 10'000'000;
    constexpr uint64_t k1970 = 116'444'736'000'000'000;  // 1970-01-01 in units since 1601
    return fileTime < k1970 ? 0 : static_cast<int64_t>((fileTime - k1970) / kUnitsPerSecond);
}

}  // namespace quor
