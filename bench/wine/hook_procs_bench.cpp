// Cost per call of the message hooks on an ordinary message and of the low-level hooks on a
// mouse move and a key, each against a procedure that only calls CallNextHookEx, and the
// allocations made on those paths.
#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <cstdlib>

#include "bench/per_call_timer.h"
#include "bench/wine/counted_allocations.h"
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"
#include "tests/wine/support/bench_support.h"

namespace {

// The bare and the library's procedure measured in turn, seven times each, the fastest run of each
// kept: the platform's own hook call varies from run to run far more than our work costs.
template <typename Measure>
void Compare(const char* what, Measure measure, HOOKPROC ours, double target);

void Report(const char* what, double bare, double ours, long allocations, double target) {
    std::printf("%s\n", what);
    std::printf("  bare hook (CallNextHookEx only): %8.1f ns\n", bare);
    std::printf("  library's procedure:             %8.1f ns\n", ours);
    std::printf("  ratio:                           %8.2f (target: within %.1f)\n", ours / bare, target);
    std::printf("  allocations on the path:         %8ld\n", allocations);
}

// The hook chain as good as free: what remains is the procedures' own work.
LRESULT WINAPI NoNextHook(HHOOK, int, WPARAM, LPARAM) { return 0; }

template <typename Measure>
void OwnWork(const char* what, Measure measure, HOOKPROC ours) {
    double bare = 1e300, library = 1e300;
    for (int run = 0; run < 7; ++run) {
        bare = std::min(bare, measure(BareProc));
        library = std::min(library, measure(ours));
    }
    std::printf("  %-40s %8.1f ns of its own\n", what, library - bare);
}

template <typename Measure>
void Compare(const char* what, Measure measure, HOOKPROC ours, double target) {
    double bare = 1e300, library = 1e300;
    long allocations = 0;
    for (int run = 0; run < 7; ++run) {
        bare = std::min(bare, measure(BareProc));
        const long before = AllocationCount();
        library = std::min(library, measure(ours));
        allocations += AllocationCount() - before;
    }
    Report(what, bare, library, allocations, target);
}

}  // namespace

int main() {
    HWND window = BenchWindow();
    quor::SharedBlock& b = quor::Block();
    b.TaskTray = 1;
    b.ExpRename = 1;
    b.RollMsg = ::RegisterWindowMessageA("WM_ROLL");
    b.UnrollMsg = ::RegisterWindowMessageA("WM_UNROLL");
    b.TrayStyleMsg = ::RegisterWindowMessageA("Quorvelle Tray Style");
    b.TrayHideMsg = ::RegisterWindowMessageA("Quorvelle Tray Hide");
    constexpr int kCalls = 8000;

    MSG m{window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10), 0, {110, 110}};
    auto retrieved = [&](HOOKPROC proc) {
        return NanosecondsPerCall([&](int i) { proc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&m)); (void)i; },
                                  kCalls);
    };
    Compare("WH_GETMESSAGE, a posted WM_MOUSEMOVE", retrieved, quor::GetMsgProc, 1.2);

    CWPSTRUCT c{0, 0, WM_NCHITTEST, window};
    auto sent = [&](HOOKPROC proc) {
        return NanosecondsPerCall([&](int) { proc(HC_ACTION, 0, reinterpret_cast<LPARAM>(&c)); }, kCalls);
    };
    Compare("WH_CALLWNDPROC, a sent WM_NCHITTEST", sent, quor::CallWndProc, 1.2);

    MSLLHOOKSTRUCT move{};
    auto moved = [&](HOOKPROC proc) {
        return NanosecondsPerCall(
            [&](int i) {
                move.pt = {200 + i % 100, 300 + i % 7};
                proc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&move));
            },
            kCalls);
    };
    Compare("WH_MOUSE_LL, a mouse move (travel and time of use counted)", moved, quor::LowLevelMouseProc, 1.5);

    KBDLLHOOKSTRUCT key{};
    key.vkCode = 'Q';
    b.DisableKeyWin = b.DisableKeyAlt = b.DisableKeyF1 = 1;
    auto pressed = [&](HOOKPROC proc) {
        return NanosecondsPerCall([&](int) { proc(HC_ACTION, WM_KEYDOWN, reinterpret_cast<LPARAM>(&key)); }, kCalls);
    };
    Compare("WH_KEYBOARD_LL, a letter pressed (counted; three keys disabled)", pressed, quor::KeyboardHookProc, 1.5);

    // The same calls with the platform's CallNextHookEx replaced, in this program only, by a function
    // that returns at once: the time the procedures add to every hook call.
    void* real = bench::PatchImport(::GetModuleHandleA(nullptr), "user32.dll", "CallNextHookEx",
                                    reinterpret_cast<void*>(NoNextHook));
    std::printf("Each procedure's own work, the hook chain left out (fastest of 7 runs)\n");
    OwnWork("WH_GETMESSAGE, a posted WM_MOUSEMOVE:", retrieved, quor::GetMsgProc);
    OwnWork("WH_CALLWNDPROC, a sent WM_NCHITTEST:", sent, quor::CallWndProc);
    OwnWork("WH_MOUSE_LL, a mouse move:", moved, quor::LowLevelMouseProc);
    OwnWork("WH_KEYBOARD_LL, a letter pressed:", pressed, quor::KeyboardHookProc);
    bench::PatchImport(::GetModuleHandleA(nullptr), "user32.dll", "CallNextHookEx", real);
    ::DestroyWindow(window);
    return 0;
}
