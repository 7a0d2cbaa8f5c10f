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
// A press or release in a client area: no caption button is pressed any more.
void ForgetCaptionButtonPress() noexcept;
void EndDrag(const MOUSEHOOKSTRUCT& m) noexcept;

// Whether any part of a drag is recorded (armed, moving, sizing, or the capture not yet released).
bool IsDragInProgress() noexcept;
// Ends any drag where it stands and releases the capture in the thread that took it: pausing the
// library and installing the hooks anew leave no window holding the mouse.
void AbandonDrag() noexcept;

void QueryMinTrack(HWND window) noexcept;

// A mouse event as the low-level hook sees it, on the hooks' thread: it moves, sizes and ends a
// drag of a window of another thread. True when the event is to be kept from the system: the
// cursor was held inside the work area instead.
bool OnLowLevelMouseForDrag(WPARAM message, const MSLLHOOKSTRUCT& event) noexcept;
// Keeps the buttons' state as the low-level hook sees each event; called for every event first.
void TrackButtonsForDrag(WPARAM message) noexcept;

}  // namespace quor
