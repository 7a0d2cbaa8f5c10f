#include "app/tools/password_dialog.h"

namespace quor {

// In progress: the dialog arrives with the password generator.
void RunPasswordDialog(HINSTANCE, HWND, const ProfileFile&, const std::string&) noexcept {}

}  // namespace quor
