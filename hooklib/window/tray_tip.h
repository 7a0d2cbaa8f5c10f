#pragma once
// The tip of a notification icon: a window title cut to fit, never in the middle of a character.
#include <cstddef>
#include <string_view>

namespace quor {

// Whether a byte begins a two-byte character in code page 932 (Shift_JIS).
bool IsCp932LeadByte(unsigned char c);

// The length of the longest prefix of `text` of at most `maxBytes` bytes that ends on a character
// boundary; `isLeadByte` tells which bytes begin two-byte characters.
size_t DoubleByteSafeLength(std::string_view text, size_t maxBytes, bool (*isLeadByte)(unsigned char));

}  // namespace quor
