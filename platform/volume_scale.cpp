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

VolumeRouteVerdict VerdictOfEndpointLook(int32_t hresult) {
    // The system's codes, spelled out: this file has no platform headers.
    constexpr uint32_t kNotImplemented = 0x80004001;     // E_NOTIMPL
    constexpr uint32_t kNoInterface = 0x80004002;        // E_NOINTERFACE
    constexpr uint32_t kClassNotRegistered = 0x80040154; // REGDB_E_CLASSNOTREG
    constexpr uint32_t kClassNotAvailable = 0x80040111;  // CLASS_E_CLASSNOTAVAILABLE
    if (hresult >= 0) return VolumeRouteVerdict::kEndpoint;
    switch (static_cast<uint32_t>(hresult)) {
        case kNotImplemented:
        case kNoInterface:
        case kClassNotRegistered:
        case kClassNotAvailable: return VolumeRouteVerdict::kMixer;
        default: return VolumeRouteVerdict::kLookAgain;
    }
}

}  // namespace quor
