#pragma once
// What the hook benchmarks share: a count of every allocation the program makes (the library's
// code included), a hook procedure that only passes the call on, and a plain window to aim at.
#include <windows.h>

// Allocations made since the program started.
long AllocationCount() noexcept;

inline LRESULT CALLBACK BareProc(int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// A plain top-level window of this thread (hidden), for the hooks' messages to name.
inline HWND BenchWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuorBench";
    ::RegisterClassA(&wc);
    return ::CreateWindowExA(0, "QuorBench", "bench", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr, nullptr,
                             wc.hInstance, nullptr);
}
