#pragma once
// The rename assistant of file lists: while a list view's in-place edit box renames an item,
// F2 cycles the selection between name, extension and whole text, Up/Down (Page Up/Down, F3/F4)
// move the rename to the neighbouring item, and Left/Right collapse a selection.
#include <windows.h>

namespace quor {

// Subclasses a list view's new label-edit box; the procedure it had is kept for that edit box, in
// its own process. Always returns 1.
int StartRenameAssistant(HWND edit) noexcept;
LRESULT CALLBACK RenameEditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

// Selects the name without its extension, as the edit box opens (the rename message's wParam
// kFirstSelection), whatever the list view selected.
void SelectName(HWND edit) noexcept;
constexpr WPARAM kFirstSelection = 1;
// Selects the next part of the name: name, then extension, then the whole text. Always 1.
int CycleNameSelection(HWND edit) noexcept;
// Starts renaming the item below (or above) the one being renamed; 0 when there is none.
int EditNeighbourLabel(HWND listView, bool below) noexcept;
// Left/Right on a selection: the caret goes to its left or right end. 1 when it handled the key,
// 0 when the edit box should (nothing selected, or Shift or Ctrl held).
int CollapseSelection(HWND edit, bool toRight) noexcept;

}  // namespace quor
