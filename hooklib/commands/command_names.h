#pragma once
#include <windows.h>

namespace quor {

constexpr UINT kFirstCommandNameId = 60001;

// Fills the shared command-name table from the library's string resources 60001 to 60034, and
// this process's own copy of it.
void LoadCommandNames(HINSTANCE module) noexcept;

// Name `index` as this process loaded it: what the executor matches slot texts against, since the
// shared table can be written by any program that maps the library.
const char* CommandName(int index) noexcept;

}  // namespace quor
