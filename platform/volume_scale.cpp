#include "platform/volume_scale.h"

namespace quor {

// 64-bit products: a device range wider than 65535 would overflow 32 bits.
bool LevelFromValue(uint32_t value, uint32_t minimum, uint32_t maximum, uint32_t& level) {
    if (maximum <= minimum) return false;
    const uint64_t range = static_cast<uint64_t>(maximum) - minimum;
    const uint64_t offset = value < minimum ? 0 : (value > maximum ? range : static_cast<uint64_t>(value) - minimum);
    level = static_cast<uint32_t>((offset * kMaxLevel + range / 2) / range);
    return true;
}

uint32_t ValueFromLevel(uint32_t level, uint32_t minimum, uint32_t maximum) {
    if (level > kMaxLevel) level = kMaxLevel;
    const uint64_t range = maximum > minimum ? static_cast<uint64_t>(maximum) - minimum : 0;
    return static_cast<uint32_t>(range * level / kMaxLevel + minimum);
}

uint32_t SteppedLevel(uint32_t level, int32_t step) {
    const int64_t next = static_cast<int64_t>(level) + step;
    if (next > static_cast<int64_t>(kMaxLevel)) return kMaxLevel;
    if (next < 0) return 0;
    return static_cast<uint32_t>(next);
}

}  // namespace quor
