#pragma once
// Small questions to the platform about one window, shared by the window behaviours.
#include <windows.h>

#include <cstring>

#include "hooklib/window/geometry.h"

namespace quor {

// The class name equals `name` exactly (byte for byte, case-sensitive).
inline bool ClassNameIs(HWND window, const char* name) noexcept {
    char cls[256] = {};
    return ::GetClassNameA(window, cls, sizeof cls) > 0 && std::strcmp(cls, name) == 0;
}

inline Rect ToRect(const RECT& r) noexcept { return {r.left, r.top, r.right, r.bottom}; }

inline Rect WindowRectOf(HWND window) noexcept {
    RECT r{};
    ::GetWindowRect(window, &r);
    return ToRect(r);
}

}  // namespace quor
