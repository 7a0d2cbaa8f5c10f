#pragma once
// The password generator: a list of random passwords from a chosen alphabet, copied to the
// clipboard as selected; its five inputs are kept in the settings file's main section.
#include <windows.h>

#include <string>

#include "app/framework/profile_file.h"

namespace quor {

// Runs the dialog modally, owned by `owner`.
void RunPasswordDialog(HINSTANCE instance, HWND owner, const ProfileFile& profile, const std::string& section) noexcept;

}  // namespace quor
