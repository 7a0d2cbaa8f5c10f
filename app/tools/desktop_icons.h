#pragma once
// The desktop's icons in Explorer's list view: which view is shown, where each icon sits, and
// moving them, through records placed in Explorer's own memory.
#include <windows.h>

#include "app/tools/icon_layout.h"
#include "platform/desktop_window.h"

namespace quor {


bool ShowsSmallIcons(HWND list) noexcept;
// Through the library's hook in Explorer's thread; false (nothing changed) when Explorer did not
// answer in time or the hooks are not installed.
bool SetSmallIcons(HWND list, bool small) noexcept;

// The icons' texts and places now; false (the table untouched) when Explorer cannot be reached.
bool CaptureIconLayout(HWND list, IconLayoutTable& table);
// Each icon to the place stored for its text; the others stay where they are.
void RestoreIconLayout(HWND list, const IconLayoutTable& table, const WorkArea& work);

// Where icons of the desktop may stand, in its list view's coordinates: the view's own extent,
// which covers every monitor (the virtual screen's size when there is no view).
WorkArea IconArea(HWND list) noexcept;

}  // namespace quor
