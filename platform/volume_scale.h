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

// What one look at the speakers' endpoint (Core Audio) settles about the route a process takes to
// the volume: the endpoint when the look succeeded; the winmm mixer only on a definite "there is
// no such thing here" (the class is not registered, the interface is missing, the call is not
// implemented); anything else (no device at this moment, a device gone, the audio service
// restarting) settles nothing, and the next use looks again.
enum class VolumeRouteVerdict { kEndpoint, kMixer, kLookAgain };
VolumeRouteVerdict VerdictOfEndpointLook(int32_t hresult);

}  // namespace quor
