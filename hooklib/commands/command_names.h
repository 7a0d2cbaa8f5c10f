#pragma once
#include <windows.h>

namespace quor {

constexpr UINT kFirstCommandNameId = 60001;

// Fills the shared command-name table from the library's string resources 60001 to 60034.
void LoadCommandNames(HINSTANCE module) noexcept;

}  // namespace quor
