#pragma once
// Text between the bytes of a code page and the wide calls.
#include <windows.h>

#include <string>
#include <string_view>

namespace quor {

std::wstring WideOf(std::string_view bytes, UINT codePage);
std::string BytesOf(std::wstring_view wide, UINT codePage);
// The program's own messages and labels are UTF-8.
inline std::wstring WideOfUtf8(std::string_view utf8) { return WideOf(utf8, CP_UTF8); }

}  // namespace quor
