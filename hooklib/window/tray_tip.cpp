#include "hooklib/window/tray_tip.h"

namespace quor {

bool IsCp932LeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

size_t DoubleByteSafeLength(std::string_view text, size_t maxBytes, bool (*isLeadByte)(unsigned char)) {
    size_t n = 0;
    while (n < text.size()) {
        const size_t width = isLeadByte(static_cast<unsigned char>(text[n])) ? 2 : 1;
        if (n + width > maxBytes) break;
        n += width;
    }
    return n > text.size() ? text.size() : n;
}

}  // namespace quor
