#pragma once
// Windows' own active window tracking (auto-raise): on or off and its delay, in the user's
// registry and in the running system.
#include <windows.h>

namespace quor {

// Runs the dialog modally, owned by `owner`.
void RunAutoRaiseDialog(HINSTANCE instance, HWND owner) noexcept;

}  // namespace quor
