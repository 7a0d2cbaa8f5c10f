#include "app/tools/window_list_dialog.h"

namespace quor {

// In progress: the dialog arrives with the window list.
void RunWindowListDialog(HINSTANCE, HWND) noexcept {}

}  // namespace quor
