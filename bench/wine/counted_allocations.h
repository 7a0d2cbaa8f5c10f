#pragma once
// What the hook benchmarks share: a count of every allocation the program makes (the library's
// code included), and a hook procedure that only passes the call on.
#include <windows.h>

// Allocations made since the program started.
long AllocationCount() noexcept;

inline LRESULT CALLBACK BareProc(int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
