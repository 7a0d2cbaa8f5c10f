#include "app/tools/auto_raise_dialog.h"

namespace quor {

// In progress: the dialog arrives with the auto-raise settings.
void RunAutoRaiseDialog(HINSTANCE, HWND) noexcept {}

}  // namespace quor
