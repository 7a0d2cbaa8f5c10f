#include "app/resident/volume_bars.h"

#include <cmath>

namespace quor {

int LastLitBar(uint32_t level) {
    return static_cast<int>(std::floor((static_cast<double>(level) - 0.5) / 65535.0 * kVolumeBars));
}

BarRect VolumeBar(int i, int width, int height) {
    constexpr double kPaintedPart = 0.8;  // of each bar's pitch
    const int pitch = (width - 2 * kVolumeMarginX) / kVolumeBars;
    const int half = pitch / 2;
    const int halfWidth = static_cast<int>(half * kPaintedPart);
    const int centre = kVolumeMarginX + i * pitch + half;
    return {centre - halfWidth, kVolumeMarginY, centre + halfWidth, height - kVolumeMarginY};
}

}  // namespace quor
