#include "hooklib/window/wheel_redirect.h"

namespace quor {

bool RedirectWheel(const MOUSEHOOKSTRUCTEX&) noexcept { return false; }

}  // namespace quor
