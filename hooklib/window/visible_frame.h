#pragma once
// A top-level window's visible frame as the desktop window manager reports it, through a seam
// that tests can replace.
#include <windows.h>

#include "hooklib/window/frame_insets.h"

namespace quor {

// The insets of a window whose window rectangle, in this thread's coordinates, is `windowRect`,
// in this thread's units; kNoInsets where the system reports no visible frame.
using FrameInsetsProvider = Insets (*)(HWND window, const RECT& windowRect) noexcept;

Insets FrameInsetsOf(HWND window, const RECT& windowRect) noexcept;

// Replaces, in this process, where the insets come from; null puts the system's back.
void SetFrameInsetsProvider(FrameInsetsProvider provider) noexcept;

}  // namespace quor
