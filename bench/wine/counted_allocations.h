#pragma once
// What the hook benchmarks share: a count of every allocation the program makes (the library's
// code included), a hook procedure that only passes the call on, and a plain window to aim at.
#include <windows.h>

// Allocations made since the program started.
long AllocationCount() noexcept;

inline LRESULT CALLBACK BareProc(int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// A plain top-level window of this thread (hidden unless the style says otherwise), for the
// hooks' messages to name.
inline HWND BenchWindow(RECT place = {100, 100, 500, 400}, DWORD style = WS_OVERLAPPEDWINDOW) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuorBench";
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(0, "QuorBench", "bench", style, place.left, place.top, place.right - place.left,
                             place.bottom - place.top, nullptr, nullptr, wc.hInstance, nullptr);
}
