#include "platform/clipboard.h"

#include <cstring>

namespace quor {

bool CopyTextToClipboard(HWND owner, std::string_view text) noexcept {
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!memory) return false;
    if (void* bytes = ::GlobalLock(memory)) {
        std::memcpy(bytes, text.data(), text.size());
        static_cast<char*>(bytes)[text.size()] = '\0';
        ::GlobalUnlock(memory);
    } else {
        ::GlobalFree(memory);
        return false;
    }
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    // Once set, the memory belongs to the clipboard.
    const bool set = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!set) ::GlobalFree(memory);
    return set;
}

}  // namespace quor
