#pragma once
#include <windows.h>

namespace quor {

// Offers a wheel message to the redirection feature; true when it handled it.
// Wheel redirection and the virtual screens arrive with their own feature; until then
// nothing is taken and the wheel goes on to its window.
bool RedirectWheel(const MOUSEHOOKSTRUCTEX& m) noexcept;

}  // namespace quor
