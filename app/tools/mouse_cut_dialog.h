#pragma once
// The 24 mouse shortcuts' commands and the opacity of the translucent command.
#include <windows.h>

namespace quor {

class SettingsDialog;

// Runs the dialog modally, parented to the settings dialog, whose file and library it writes.
void RunMouseCutDialog(HINSTANCE instance, SettingsDialog& settings) noexcept;

}  // namespace quor
