#pragma once
// The usage counters of the library as a table refreshed ten times a second, with reset and copy.
#include <windows.h>

namespace quor {

// Runs the dialog modally, owned by `owner`.
void RunStatisticsDialog(HINSTANCE instance, HWND owner) noexcept;

}  // namespace quor
