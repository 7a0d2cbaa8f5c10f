#pragma once
// Plain text onto the clipboard.
#include <windows.h>

#include <string_view>

namespace quor {

// Puts `text` (in the system's code page) on the clipboard as CF_TEXT, whole, with `owner` as the
// clipboard's owner. False, with the clipboard unchanged, when memory or the clipboard is refused.
bool CopyTextToClipboard(HWND owner, std::string_view text) noexcept;

}  // namespace quor
