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

// The thread that owns the window; 0 for a window that is gone.
inline DWORD ThreadOf(HWND window) noexcept { return window ? ::GetWindowThreadProcessId(window, nullptr) : 0; }

inline bool OwnedByThisThread(HWND window) noexcept { return ThreadOf(window) == ::GetCurrentThreadId(); }

// The active window of the thread that owns `window` (the window a hook was called for): this
// thread's own answer, or, for a hook called back on the hooks' thread for a 32-bit program's
// window, that program's thread's as the system keeps it.
inline HWND ActiveWindowOfItsThread(HWND window) noexcept {
    if (OwnedByThisThread(window)) return ::GetActiveWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(ThreadOf(window), &info) ? info.hwndActive : nullptr;
}

// SetWindowPos flags that place a window of another thread without waiting for it (a hook may run
// in another thread than the window's: a 32-bit program's calls come back to the hooks' thread).
inline UINT PlacingFlags(HWND window) noexcept { return OwnedByThisThread(window) ? 0 : SWP_ASYNCWINDOWPOS; }

// Shows or hides a window; a window of another thread without waiting for it.
inline void ShowFromAnyThread(HWND window, int command) noexcept {
    if (OwnedByThisThread(window))
        ::ShowWindow(window, command);
    else
        ::ShowWindowAsync(window, command);
}

inline Rect ToRect(const RECT& r) noexcept { return {r.left, r.top, r.right, r.bottom}; }

inline Rect WindowRectOf(HWND window) noexcept {
    RECT r{};
    ::GetWindowRect(window, &r);
    return ToRect(r);
}

}  // namespace quor
