#pragma once
// The volume display's row of 100 bars: how many are lit for a level, and where each one is.
// No platform calls.
#include <cstdint>

namespace quor {

constexpr int kVolumeBars = 100;
constexpr int kVolumeMarginX = 20;
constexpr int kVolumeMarginY = 10;

// The last lit bar for a level on the 0-65535 scale: -1 (none) for 0, 99 (all) for 65535.
int LastLitBar(uint32_t level);

struct BarRect {
    int left, top, right, bottom;
};

// Bar `i` of the row in a client area of this width and height.
BarRect VolumeBar(int i, int width, int height);

}  // namespace quor
