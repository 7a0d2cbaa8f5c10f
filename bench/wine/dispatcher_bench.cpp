// Cost per WM_MOUSEMOVE of the mouse hook procedure with no drag and no icon upkeep, against a
// procedure that only calls CallNextHookEx, and the allocations made on that path.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "bench/per_call_timer.h"
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"

namespace {
long g_allocations = 0;
}

// Every allocation of this program, the library's code included, is counted here.
void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

LRESULT CALLBACK BareProc(int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int main() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuorBench";
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowExA(0, "QuorBench", "bench", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr,
                                    nullptr, wc.hInstance, nullptr);
    quor::SharedBlock& b = quor::Block();
    b.AllowSnap = 1;
    b.Snap = 20;
    b.AllowOut = 1;

    MOUSEHOOKSTRUCTEX m{};
    m.hwnd = window;
    m.wHitTestCode = HTCLIENT;
    constexpr int kCalls = 200000;
    const double bare = NanosecondsPerCall(
        [&](int i) {
            m.pt = {200 + i % 100, 200};
            BareProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&m));
        },
        kCalls);
    const long before = g_allocations;
    const double dispatcher = NanosecondsPerCall(
        [&](int i) {
            m.pt = {200 + i % 100, 200};
            quor::MouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&m));
        },
        kCalls);
    const long allocations = g_allocations - before;

    std::printf("WM_MOUSEMOVE, no drag, icon upkeep off (%d calls)\n", kCalls);
    std::printf("  bare hook (CallNextHookEx only): %8.1f ns\n", bare);
    std::printf("  dispatcher:                      %8.1f ns\n", dispatcher);
    std::printf("  ratio:                           %8.2f (target: within 1.50)\n", dispatcher / bare);
    std::printf("  allocations on the path:         %8ld\n", allocations);
    ::DestroyWindow(window);
    return 0;
}
