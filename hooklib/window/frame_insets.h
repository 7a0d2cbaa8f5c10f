#pragma once
// A window's visible frame against its window rectangle: since Windows 10 a top-level window's
// rectangle includes an invisible resize border on the left, right and bottom. The insets are the
// distances from each side of the window rectangle in to the visible frame. No platform calls.
#include <cstdint>

#include "hooklib/window/geometry.h"

namespace quor {

struct Insets {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    friend bool operator==(const Insets&, const Insets&) = default;
};

// A window whose visible frame is its window rectangle.
constexpr Insets kNoInsets{0, 0, 0, 0};

// Insets are an invisible border, never more than this many pixels on a side.
constexpr int32_t kMaxInset = 64;

Rect VisibleFrameOf(const Rect& window, const Insets& insets);
Rect WindowRectFor(const Rect& visible, const Insets& insets);

// The insets of a window with this window rectangle and visible frame (both in the same pixels);
// kNoInsets when the frame does not lie inside the rectangle by a border's width on every side.
Insets InsetsBetween(const Rect& window, const Rect& frame);

// The window's DPI as the caller sees it: 96 times the window's width in physical pixels over its
// width in the caller's own units (96 when either is not a width).
int DpiFromWidths(int32_t physicalWidth, int32_t ownWidth);

// Physical-pixel insets in the units of a caller that sees the window at `dpi` (96 is 100 %),
// rounded to the nearest pixel.
Insets InsetsAtDpi(const Insets& physical, int dpi);

// The insets in a caller's own units, from the window rectangle as the caller sees it (`own`),
// the same rectangle in physical pixels, and the visible frame (physical pixels, as the window
// manager gives it).
Insets InsetsInOwnUnits(const Rect& own, const Rect& physical, const Rect& frame);

}  // namespace quor
