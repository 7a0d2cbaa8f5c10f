#pragma once
// The user's preference bits ("UserPreferencesMask") as far as auto-raise touches them: in the
// first byte, 0x01 is active window tracking and 0x40 raising the tracked window. The value may be
// longer than the four bytes of older systems; every byte but those two bits is kept. No platform
// calls.
#include <cstdint>
#include <vector>

namespace quor {

using PreferencesMask = std::vector<uint8_t>;

// Window tracking and raising the tracked window.
constexpr uint8_t kAutoRaiseBits = 0x41;

// The bytes taken when the user has no mask (or none that could be read): 9E 3E 00 80.
PreferencesMask DefaultPreferencesMask();

// The mask read, or the default bytes for an empty one.
PreferencesMask MaskOrDefault(PreferencesMask read);

// Auto-raise counts as on only when both bits are set.
bool IsAutoRaiseEnabled(const PreferencesMask& mask);

// Sets or clears both bits of the first byte; every other bit and byte stays. An empty mask
// starts from the default bytes.
PreferencesMask WithAutoRaise(PreferencesMask mask, bool enabled);

}  // namespace quor
