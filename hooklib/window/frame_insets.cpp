#include "hooklib/window/frame_insets.h"

namespace quor {
namespace {

constexpr int kBaseDpi = 96;

int32_t Scaled(int32_t value, int dpi) {
    // Rounded to the nearest, halves away from zero, in 64 bits.
    const int64_t num = static_cast<int64_t>(value) * kBaseDpi;
    return static_cast<int32_t>(num >= 0 ? (num + dpi / 2) / dpi : (num - dpi / 2) / dpi);
}

bool IsBorderWidth(int32_t inset) { return inset >= 0 && inset <= kMaxInset; }

}  // namespace

Rect VisibleFrameOf(const Rect& window, const Insets& insets) {
    return {window.left + insets.left, window.top + insets.top, window.right - insets.right,
            window.bottom - insets.bottom};
}

Rect WindowRectFor(const Rect& visible, const Insets& insets) {
    return {visible.left - insets.left, visible.top - insets.top, visible.right + insets.right,
            visible.bottom + insets.bottom};
}

Insets InsetsBetween(const Rect& window, const Rect& frame) {
    const Insets insets{frame.left - window.left, frame.top - window.top, window.right - frame.right,
                        window.bottom - frame.bottom};
    if (!IsBorderWidth(insets.left) || !IsBorderWidth(insets.top) || !IsBorderWidth(insets.right) ||
        !IsBorderWidth(insets.bottom) || frame.width() <= 0 || frame.height() <= 0)
        return kNoInsets;
    return insets;
}

int DpiFromWidths(int32_t physicalWidth, int32_t ownWidth) {
    if (physicalWidth <= 0 || ownWidth <= 0) return kBaseDpi;
    const int64_t dpi = (static_cast<int64_t>(physicalWidth) * kBaseDpi + ownWidth / 2) / ownWidth;
    return dpi > 0 && dpi < 100 * kBaseDpi ? static_cast<int>(dpi) : kBaseDpi;
}

Insets InsetsAtDpi(const Insets& physical, int dpi) {
    if (dpi <= 0 || dpi == kBaseDpi) return physical;
    return {Scaled(physical.left, dpi), Scaled(physical.top, dpi), Scaled(physical.right, dpi),
            Scaled(physical.bottom, dpi)};
}

Insets InsetsInOwnUnits(const Rect& own, const Rect& physical, const Rect& frame) {
    return InsetsAtDpi(InsetsBetween(physical, frame), DpiFromWidths(physical.width(), own.width()));
}

}  // namespace quor
