// Cost per WM_MOUSEMOVE of the mouse hook procedure with no drag and no icon upkeep, against a
// procedure that only calls CallNextHookEx, and the allocations made on that path.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "bench/per_call_timer.h"
#include "bench/wine/counted_allocations.h"
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"
#include "platform/audio_volume.h"

namespace {

// A list view whose thread sleeps, as Explorer's desktop does when it is busy.
class HungListView {
public:
    HungListView() {
        thread_ = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
        while (!list_) ::Sleep(1);
    }
    ~HungListView() {
        ::TerminateThread(thread_, 0);
        ::CloseHandle(thread_);
    }
    HWND list() const { return list_; }

private:
    static DWORD WINAPI Run(LPVOID self) {
        auto* me = static_cast<HungListView*>(self);
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        HWND list = ::CreateWindowExA(0, "SysListView32", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                      ::GetModuleHandleA(nullptr), nullptr);
        me->list_ = list;
        ::Sleep(INFINITE);
        return 0;
    }
    HANDLE thread_ = nullptr;
    HWND volatile list_ = nullptr;
};

}  // namespace

int main() {
    HWND window = BenchWindow();
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
    const long before = AllocationCount();
    const double dispatcher = NanosecondsPerCall(
        [&](int i) {
            m.pt = {200 + i % 100, 200};
            quor::MouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&m));
        },
        kCalls);
    const long allocations = AllocationCount() - before;

    std::printf("WM_MOUSEMOVE, no drag, icon upkeep off (%d calls)\n", kCalls);
    std::printf("  bare hook (CallNextHookEx only): %8.1f ns\n", bare);
    std::printf("  dispatcher:                      %8.1f ns\n", dispatcher);
    std::printf("  ratio:                           %8.2f (target: within 1.50)\n", dispatcher / bare);
    std::printf("  allocations on the path:         %8ld\n", allocations);

    // The desktop's list view in a thread that does not answer, both icon settings on: a mouse
    // move over another window must not wait for it.
    HungListView hung;
    b.DeskListView = hung.list();
    b.DeskIconText = 1;
    b.DeskIconTextBk = 1;
    b.DeskIconTextColor = RGB(255, 0, 0);
    constexpr int kHungCalls = 50;
    const double hungMove = NanosecondsPerCall(
        [&](int i) {
            m.pt = {200 + i % 100, 200};
            quor::MouseProc(HC_ACTION, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(&m));
        },
        kHungCalls);
    std::printf("WM_MOUSEMOVE over another window, desktop list view hung, icon text settings on\n");
    std::printf("  dispatcher:                      %8.3f ms (target: under 10 ms)\n", hungMove / 1e6);
    b.DeskIconText = b.DeskIconTextBk = 0;
    b.DeskListView = nullptr;

    // The wheel re-posted to the window under the cursor, against the bare hook.
    ::ShowWindow(window, SW_SHOWNOACTIVATE);
    RECT r{};
    ::GetWindowRect(window, &r);
    m.pt = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    m.mouseData = static_cast<DWORD>(static_cast<WORD>(-WHEEL_DELTA)) << 16;
    b.Redirect = 1;
    constexpr int kWheelCalls = 5000;
    // Dispatched, not only removed: a visible window's WM_PAINT stays until it is painted.
    auto drain = [] {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    };
    const double bareWheel = NanosecondsPerCall(
        [&](int) { BareProc(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&m)); }, kWheelCalls);
    const long beforeWheel = AllocationCount();
    auto redirected = [&] {
        return NanosecondsPerCall(
            [&](int i) {
                quor::MouseProc(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&m));
                if (i % 256 == 255) drain();  // the re-posted notches
            },
            kWheelCalls);
    };
    // The notch meant for this window, which lies under the cursor (Wine sends the wheel there):
    // each at a new point, then all at one point, as the notches of one turn of the wheel come.
    const POINT centre = m.pt;
    const double onTargetMoving = NanosecondsPerCall(
        [&](int i) {
            m.pt = {centre.x - 50 + i % 100, centre.y - 20 + (i / 100) % 40};
            quor::MouseProc(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&m));
            if (i % 256 == 255) drain();
        },
        kWheelCalls);
    m.pt = centre;
    const double onTarget = redirected();
    // The notch meant for another window (the focus, as on Windows): it is posted to this one.
    m.hwnd = hung.list();
    const double reposted = redirected();
    m.hwnd = window;
    const long wheelAllocations = AllocationCount() - beforeWheel;
    drain();
    b.Redirect = 0;
    std::printf("WM_MOUSEWHEEL with Redirect on, over a window (%d calls)\n", kWheelCalls);
    std::printf("  bare hook:                       %8.1f ns\n", bareWheel);
    std::printf("  meant for the window under it:   %8.1f ns (ratio %.2f; target: within 2)\n", onTarget,
                onTarget / bareWheel);
    std::printf("    each notch at a new point:     %8.1f ns (ratio %.2f: the system asked for the window)\n",
                onTargetMoving, onTargetMoving / bareWheel);
    std::printf("  meant for another, re-posted:    %8.1f ns (ratio %.2f)\n", reposted, reposted / bareWheel);
    std::printf("  allocations on the path:         %8ld\n", wheelAllocations);

    // The volume step once this process's mixer controls are looked up.
    quor::ChangeVolume(0);
    const long beforeVolume = AllocationCount();
    const double volume = NanosecondsPerCall([](int i) { quor::ChangeVolume(i % 2 ? 1 : -1); }, 2000);
    std::printf("ChangeVolume, controls cached (%s)\n",
                quor::ActiveVolumeBackend() == quor::VolumeBackend::kMixer ? "winmm mixer" : "endpoint");
    std::printf("  per call:                        %8.1f ns\n", volume);
    std::printf("  allocations:                     %8ld\n", AllocationCount() - beforeVolume);
    ::DestroyWindow(window);
    return 0;
}
