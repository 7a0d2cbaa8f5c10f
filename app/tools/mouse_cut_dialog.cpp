#include "app/tools/mouse_cut_dialog.h"

namespace quor {

// In progress.
void RunMouseCutDialog(HINSTANCE, SettingsDialog&) noexcept {}

}  // namespace quor
