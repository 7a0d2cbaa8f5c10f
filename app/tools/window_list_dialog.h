#pragma once
// The desktop's windows, and the selected one's properties to read and change.
#include <windows.h>

namespace quor {

// Runs the dialog modally, owned by `owner`.
void RunWindowListDialog(HINSTANCE instance, HWND owner) noexcept;

}  // namespace quor
