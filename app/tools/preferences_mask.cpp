#include "app/tools/preferences_mask.h"

#include <utility>

namespace quor {

PreferencesMask DefaultPreferencesMask() { return {0x9E, 0x3E, 0x00, 0x80}; }

PreferencesMask MaskOrDefault(PreferencesMask read) { return read.empty() ? DefaultPreferencesMask() : read; }

bool IsAutoRaiseEnabled(const PreferencesMask& mask) {
    return !mask.empty() && (mask[0] & kAutoRaiseBits) == kAutoRaiseBits;
}

PreferencesMask WithAutoRaise(PreferencesMask mask, bool enabled) {
    mask = MaskOrDefault(std::move(mask));
    if (enabled)
        mask[0] = static_cast<uint8_t>(mask[0] | kAutoRaiseBits);
    else
        mask[0] = static_cast<uint8_t>(mask[0] & ~kAutoRaiseBits);
    return mask;
}

}  // namespace quor
