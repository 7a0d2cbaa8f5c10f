// Time per drag move: the path of a window of this thread (the mouse hook in the window's own
// thread, which places it at once) against the path of a window of another thread (the
// low-level hook on the hooks' thread, which places it without waiting), with the same windows on
// the screen to snap to (figures only).
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "bench/per_call_timer.h"
#include "bench/wine/counted_allocations.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/drag_engine.h"
#include "hooklib/window/snap_targets.h"
#include "tests/wine/support/bench_support.h"

namespace {

constexpr int kMoves = 2000;
constexpr int kNeighbours = 32;

HWND ShownWindow(int x, int y) { return BenchWindow({x, y, x + 300, y + 200}, WS_OVERLAPPEDWINDOW | WS_VISIBLE); }

void Drain() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

// Arms a move of `window` as a caption press does, the grip at its top-left corner.
void ArmMove(HWND window, bool fromHookThread) {
    quor::SharedBlock& b = quor::Block();
    b.MoveArmed = 1;
    b.Moving = 0;
    b.DragWnd = window;
    b.DragGrip = {20, 10};
    b.DragFromHookThread = fromHookThread ? 1 : 0;
    b.ButtonsDownLowLevel = 1;
    b.CaptureTick = ::GetTickCount() - 1000;
}

}  // namespace

int main() {
    quor::SharedBlock& b = quor::Block();
    b = {};
    b.AllowSnap = 1;
    b.Snap = 20;
    b.AllowOut = 1;
    // Windows to snap to, and one that holds the mouse button down (a drag goes on only while it is).
    for (int i = 0; i < kNeighbours; ++i) ShownWindow(40 + (i * 53) % 900, 40 + (i * 31) % 600);
    const HWND holder = ShownWindow(900, 700);
    const HWND own = ShownWindow(300, 300);
    std::atomic<HWND> other{nullptr};
    std::atomic<bool> stop{false};
    std::thread otherThread([&] {
        other = ShownWindow(300, 300);
        while (!stop) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            Drain();
        }
        ::DestroyWindow(other);
    });
    while (!other) ::Sleep(1);
    Drain();
    RECT h{};
    ::GetWindowRect(holder, &h);
    bench::MoveMouse((h.left + h.right) / 2, (h.top + h.bottom) / 2 + 20);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    ::Sleep(200);

    ArmMove(own, false);
    MOUSEHOOKSTRUCT m{};
    m.hwnd = own;
    const double inThread = NanosecondsPerCall(
        [&](int i) {
            m.pt = {200 + i % 300, 250 + (i / 3) % 100};
            quor::OnDragMouseMove(m);
        },
        kMoves);
    quor::AbandonDrag();
    Drain();

    ArmMove(other, true);
    MSLLHOOKSTRUCT e{};
    const double crossThread = NanosecondsPerCall(
        [&](int i) {
            e.pt = {200 + i % 300, 250 + (i / 3) % 100};
            quor::OnLowLevelMouseForDrag(WM_MOUSEMOVE, e);
        },
        kMoves);
    const bool stillDragging = b.DragFromHookThread != 0 && b.Moving != 0;
    quor::AbandonDrag();
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    stop = true;
    otherThread.join();

    std::printf("Drag move, %d moves, %d windows to snap to\n", kMoves, kNeighbours);
    std::printf("  window of this thread (mouse hook, placed at once):          %9.1f ns\n", inThread);
    std::printf("  window of another thread (low-level hook, placed queued):    %9.1f ns\n", crossThread);
    std::printf("  ratio (another thread / this thread):                        %9.2f\n", crossThread / inThread);
    std::printf("  the drag went on through every move: %s\n", stillDragging ? "yes" : "no");
    return stillDragging ? 0 : 1;
}
