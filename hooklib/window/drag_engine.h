#pragma once
// The library's own drag engine: moving and sizing windows with keep-inside and snapping,
// and the clicks on the caption (self-made double-click, disabled caption buttons).
#include <windows.h>

#include "hooklib/core/hook_result.h"

namespace quor {

HookResult OnNonClientPress(const MOUSEHOOKSTRUCT& m, bool shift) noexcept;
HookResult OnNonClientDoubleClick(const MOUSEHOOKSTRUCT& m) noexcept;
HookResult OnNonClientRelease(const MOUSEHOOKSTRUCT& m, bool shift) noexcept;
HookResult OnDragMouseMove(const MOUSEHOOKSTRUCT& m) noexcept;
void EndDrag(const MOUSEHOOKSTRUCT& m) noexcept;

void QueryMinTrack(HWND window) noexcept;

}  // namespace quor
