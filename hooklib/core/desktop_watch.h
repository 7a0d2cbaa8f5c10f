#pragma once
// The desktop's list view, as the library's hooks know it (DeskListView): found again when the
// shell makes its desktop anew and whenever the one held is gone, so that the desktop's shortcuts,
// icon look and volume wheel keep working across a restart of the shell.
#include <windows.h>

namespace quor {

constexpr UINT_PTR kDesktopWatchTimer = 0x5144;
constexpr UINT kDesktopWatchMs = 1000;

// Looks the desktop's list view up again: at once when `shellRestarted`, else only when the one
// held is no longer a window.
void FindDesktopListViewAgain(bool shellRestarted) noexcept;

}  // namespace quor
