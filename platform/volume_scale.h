#pragma once
// The volume scale every caller uses, 0 to 65535, against a device's own range: pure arithmetic.
#include <cstdint>

namespace quor {

constexpr uint32_t kMaxLevel = 65535;

// The nearest level for a device value; false for a fader with no range (minimum equal to maximum).
bool LevelFromValue(uint32_t value, uint32_t minimum, uint32_t maximum, uint32_t& level);

// The device value for a level, truncated.
uint32_t ValueFromLevel(uint32_t level, uint32_t minimum, uint32_t maximum);

// The level moved by `step` and kept within 0 to 65535.
uint32_t SteppedLevel(uint32_t level, int32_t step);

}  // namespace quor
