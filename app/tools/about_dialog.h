#pragma once
// The version box, and the author's home page opened in the user's browser.
#include <windows.h>

namespace quor {

// Runs the version box modally, owned by `owner`.
void RunAboutDialog(HINSTANCE instance, HWND owner) noexcept;
// Opens the address of the program's string table in the browser.
void OpenHomePage(HINSTANCE instance) noexcept;

}  // namespace quor
