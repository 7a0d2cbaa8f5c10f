// Real drags of windows of another process by injected input, through the library's engine.
#include "tests/wine/support/hooked_fixture.h"

#include <chrono>
#include <optional>
#include <string>

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

constexpr auto At = bench::WindowAt;
// Presses on `hit` of the window, moves by (dx, dy) in steps, releases, and waits until the
// window's thread has handled it all. Consecutive presses land on different points of the
// caption, so that two drags in a row are never taken for a double-click.
void DragBy(const TargetProcess& target, HWND window, int hit, int dx, int dy, bool engineDrags = true) {
    static int drags = 0;
    POINT from = bench::HitPoint(window, hit);
    ASSERT_NE(from.x, -1) << "no point with hit code " << hit;
    if (hit == HTCAPTION) from.x += (drags++ % 2) ? 10 : -10;
    // The pace is read from the window's thread, which a drag left to the platform's own move
    // loop does not report.
    bench::Drag(from, {from.x + dx, from.y + dy}, 8, engineDrags ? window : nullptr);
    target.SyncInput();
}

class DragTest : public bench::HookedTest {};

bool DragIdle() {
    const quor::SharedBlock& b = bench::Block();
    return !b.MoveArmed && !b.Moving && !b.SizeArmed && !b.Sizing && !b.DragWnd && !b.CaptureWnd;
}

// One step of a hand during a drag: the window's thread has taken it before the next.
void StepTo(HWND window, POINT p) {
    bench::MoveMouse(p.x, p.y);
    bench::WaitForMouseAt(window, p, 1000);
}

POINT Offset(POINT p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

// After any of the faulty sequences: nothing holds the mouse, a bare mouse moves no window, and
// an ordinary drag and click work.
void ExpectTheMouseIsFree(const TargetProcess& target, const TargetProcess& other, const char* step) {
    const HWND w = target.window();
    EXPECT_TRUE(bench::WaitFor([&] { return bench::CaptureIn(w) == nullptr; }, 2000))
        << step << ": the window kept the mouse capture";
    EXPECT_TRUE(bench::WaitFor(DragIdle, 2000)) << step << ": the drag stayed armed";
    // Where the faulty sequence left the window depends on the pace (a burst may have dragged it
    // to the screen's edge, over the other window): it goes back where it started, with room to be
    // dragged and clear of the other window.
    ::SetWindowPos(w, nullptr, 100, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).left == 100 && bench::WindowRect(w).top == 200; }))
        << step << ": put back";
    const RECT before = bench::WindowRect(w);
    bench::MoveMouse(before.left + 150, before.top + 120);
    bench::MoveMouse(before.left + 190, before.top + 140);
    target.SyncInput();
    EXPECT_EQ(bench::WindowRect(w).left, before.left) << step << ": the window followed a bare mouse";
    DragBy(target, w, HTCAPTION, 40, 0);
    EXPECT_EQ(bench::WindowRect(w).left, before.left + 40) << step << ": the next drag";
    RECT client{};
    ::GetClientRect(other.window(), &client);
    // Each step clicks elsewhere: two clicks at one point would make a double-click.
    static int clicks = 0;
    POINT inside{client.right / 2 - 60 + 20 * (clicks++ % 4), client.bottom / 2};
    ::ClientToScreen(other.window(), &inside);
    other.ResetCounts();
    bench::Click(inside.x, inside.y);
    other.SyncInput();
    EXPECT_EQ(other.Count(WM_LBUTTONDOWN), 1) << step << ": a click goes to the window under the cursor";
}

TEST_F(DragTest, ADragEndedInAnotherThreadLeavesNoCapture) {
    SetAllowSnap(0);
    TargetProcess other(At("other program", {700, 200, 1100, 500}));
    TargetProcess target(At("pressed", {100, 200, 500, 500}));
    const HWND w = target.window();

    // 1. The press, and a move onto the other program's window in the same burst of input. The
    // other program is busy a moment, so that it takes the move after the pressed window took the
    // mouse.
    other.Hang(300);
    bench::PressAndMoveAway(bench::HitPoint(w, HTCAPTION), {900, 400});
    bench::WaitForMouseAt(other.window(), {900, 400});
    target.SyncInput();
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    other.SyncInput();
    ExpectTheMouseIsFree(target, other, "1. burst onto another window");

    // 2. The dragged window's thread is busy while the button goes up.
    POINT p = bench::HitPoint(w, HTCAPTION);
    bench::MoveMouse(p.x, p.y);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(bench::WaitForCapture(w));
    StepTo(w, Offset(p, 20, 0));
    target.Hang(300);
    bench::MoveMouse(p.x + 40, p.y);
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    target.SyncInput();
    ExpectTheMouseIsFree(target, other, "2. busy while released");

    // 3. The library is paused during a drag and resumed after it.
    p = bench::HitPoint(w, HTCAPTION);
    bench::MoveMouse(p.x, p.y);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(bench::WaitForCapture(w));
    StepTo(w, Offset(p, 20, 0));
    const RECT moved = bench::WindowRect(w);
    SetUnAvailable(1);
    StepTo(w, Offset(p, 60, 0));
    EXPECT_EQ(bench::WindowRect(w).left, moved.left) << "3. paused: the window stays";
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    target.SyncInput();
    SetUnAvailable(0);
    ExpectTheMouseIsFree(target, other, "3. paused and resumed");

    // 4. Press, a short move and the release in one burst, the release over the other program:
    // it may end the drag before the pressed window has taken the mouse.
    for (int run = 0; run < 3; ++run) {
        bench::PressAndMoveAway(bench::HitPoint(w, HTCAPTION), {720, 300}, true);
        target.SyncInput();
        other.SyncInput();
        ExpectTheMouseIsFree(target, other, ("4. a burst released over another program, run " + std::to_string(run)).c_str());
    }
}

TEST_F(DragTest, AProgramStartingDuringADragDoesNotStopIt) {
    SetAllowSnap(0);
    TargetProcess target(At("dragged on", {200, 200, 600, 500}));
    const HWND w = target.window();
    const POINT p = bench::HitPoint(w, HTCAPTION);
    bench::MoveMouse(p.x, p.y);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(bench::WaitForCapture(w));
    StepTo(w, Offset(p, 30, 0));
    // A program that maps the library runs its start-up meanwhile, and one whose window comes up
    // under the cursor.
    ASSERT_EQ(bench::RunProgram("qlib.exe get GetUnAvailable"), 0u);
    StepTo(w, Offset(p, 60, 20));
    std::optional<TargetProcess> newcomer(std::in_place, At("newcomer", {p.x + 20, p.y, p.x + 320, p.y + 200}));
    bench::MoveMouse(p.x + 90, p.y + 40);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).left == 290; })) << "1. the drag goes on";
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    target.SyncInput();
    newcomer->SyncInput();
    EXPECT_EQ(bench::WindowRect(w).left, 290) << "1. the drag went on to where the cursor is";
    EXPECT_EQ(bench::WindowRect(w).top, 240);
    newcomer.reset();
    EXPECT_TRUE(bench::WaitFor([&] { return bench::CaptureIn(w) == nullptr; })) << "1. and let the mouse go";
    DragBy(target, w, HTCAPTION, 20, 0);
    EXPECT_EQ(bench::WindowRect(w).left, 310) << "2. the next drag works";

    // 3. A program starting between two presses on the caption does not make them a double-click.
    const POINT q = bench::HitPoint(w, HTCAPTION);
    bench::Click(q.x, q.y);
    target.SyncInput();
    ::Sleep(::GetDoubleClickTime() + 300);  // the presses are meant to be this far apart
    ASSERT_EQ(bench::RunProgram("qlib.exe get GetUnAvailable"), 0u);
    bench::Click(q.x, q.y);
    target.SyncInput();
    EXPECT_FALSE(::IsZoomed(w)) << "3. two single presses, not a double-click";
}

TEST_F(DragTest, DragOfAWindowWhoseLoopPeeksFirst) {
    SetAllowSnap(0);
    WindowSpec spec = At("peeking", {200, 200, 600, 500});
    spec.peekFirst = true;
    TargetProcess target(spec);
    const HWND w = target.window();
    DragBy(target, w, HTCAPTION, 50, 30);
    EXPECT_EQ(bench::WindowRect(w).left, 250);
    EXPECT_EQ(bench::WindowRect(w).top, 230);
    EXPECT_FALSE(::IsZoomed(w));
}

TEST_F(DragTest, TitleBarMoveSnapsToTheWorkAreaEdge) {
    TargetProcess target(At("move me", {200, 200, 600, 500}));
    const HWND w = target.window();
    DragBy(target, w, HTCAPTION, -185, 0);
    EXPECT_EQ(bench::WindowRect(w).left, 0) << "1. 15 px from the edge snaps onto it";
    EXPECT_EQ(bench::WindowRect(w).top, 200);
    DragBy(target, w, HTCAPTION, 25, 0);
    EXPECT_EQ(bench::WindowRect(w).left, 25) << "2. 25 px stays";
    DragBy(target, w, HTCAPTION, -5, 0);
    EXPECT_EQ(bench::WindowRect(w).left, 20) << "3. 20 px: the distance is strict";
    DragBy(target, w, HTCAPTION, -1, 0);
    EXPECT_EQ(bench::WindowRect(w).left, 0) << "4. 19 px snaps";
    EXPECT_EQ(target.Count(WM_NCLBUTTONDOWN), 0) << "the engine kept the presses it armed from the window";
}

TEST_F(DragTest, MoveAndResizeSnapToAnotherWindow) {
    TargetProcess other(At("neighbour", {700, 200, 1000, 500}));
    TargetProcess target(At("mover", {100, 260, 400, 460}));
    const HWND w = target.window();
    DragBy(target, w, HTCAPTION, 295, 0);
    RECT r = bench::WindowRect(w);
    EXPECT_EQ(r.right, 700) << "1. 5 px short of the neighbour: moved to touch it";
    EXPECT_EQ(r.top, 260) << "1. 60 px from its top: no alignment";
    ::SetWindowPos(w, nullptr, 100, 260, 300, 200, SWP_NOZORDER);
    ASSERT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).left == 100; }));
    DragBy(target, w, HTRIGHT, 285, 0);
    r = bench::WindowRect(w);
    EXPECT_EQ(r.right, 700) << "2. sizing: 15 px from the neighbour's left edge, the right edge goes onto it";
    EXPECT_EQ(r.left, 100) << "2. the other sides stay";
    EXPECT_EQ(r.bottom, 460);
}

// Wine's monitor work area is the whole screen (it leaves out no taskbar) and the cursor cannot
// leave the screen, so the window is kept inside at the left edge here; holding the cursor
// inside the area is tested on the engine itself (drag_engine_test).
TEST_F(DragTest, KeepInsideUnlessAllowOutIsOffOrShiftHeld) {
    SetAllowSnap(0);
    TargetProcess target(At("edge", {300, 300, 600, 500}));
    const HWND w = target.window();
    auto placeAt = [&](int left) {
        ::SetWindowPos(w, nullptr, left, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return bench::WaitFor([&] { return bench::WindowRect(w).left == left; });
    };
    DragBy(target, w, HTCAPTION, -350, 0);
    EXPECT_EQ(bench::WindowRect(w).left, 0) << "1. AllowOut: the window stays inside";

    SetAllowOut(0);
    ASSERT_TRUE(placeAt(300));
    DragBy(target, w, HTCAPTION, -350, 0);
    EXPECT_EQ(bench::WindowRect(w).left, -50) << "2. AllowOut off: the window may leave";

    SetAllowOut(1);
    SetAllowSnap(1);
    ASSERT_TRUE(placeAt(300));
    {
        bench::HeldKey shift(VK_SHIFT);
        DragBy(target, w, HTCAPTION, -285, 0);
        EXPECT_EQ(bench::WindowRect(w).left, 15) << "3. Shift: no snapping";
        DragBy(target, w, HTCAPTION, -40, 0);
        EXPECT_EQ(bench::WindowRect(w).left, -25) << "3. Shift: not kept inside";
    }

}

TEST_F(DragTest, WindowTallerThanTheWorkAreaEndsAtItsTop) {
    const RECT work = bench::WorkArea();
    SetAllowSnap(0);
    TargetProcess target(At("tall", {200, 0, 600, 1100}));
    const HWND w = target.window();
    DragBy(target, w, HTCAPTION, 10, 30);
    EXPECT_EQ(bench::WindowRect(w).top, work.top);
    EXPECT_EQ(bench::WindowRect(w).left, 210);
}

TEST_F(DragTest, CornerResizeStopsAtTheMinimumTrackingSize) {
    WindowSpec spec = At("resize", {200, 200, 700, 600});
    spec.minTrackCx = 300;
    spec.minTrackCy = 200;
    TargetProcess target(spec);
    const HWND w = target.window();
    DragBy(target, w, HTBOTTOMRIGHT, -400, -350);
    const RECT r = bench::WindowRect(w);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 200);
    EXPECT_GE(target.Count(WM_EXITSIZEMOVE), 1) << "the end of a resize is announced";
}

TEST_F(DragTest, ExtendedSizingTurnsAnEdgeIntoACorner) {
    SetAllowSnap(0);
    TargetProcess target(At("extend", {200, 200, 600, 500}));
    const HWND w = target.window();
    DragBy(target, w, HTRIGHT, 40, 0);
    EXPECT_EQ(bench::WindowRect(w).bottom, 500) << "1. without SizeExt only the right edge moves";
    SetSizeExt(1);
    const POINT from = bench::HitPoint(w, HTRIGHT);
    bench::Drag(from, {from.x + 30, 580}, 8, w);
    target.SyncInput();
    const RECT r = bench::WindowRect(w);
    EXPECT_EQ(r.bottom, 580) << "2. the bottom edge jumped to the cursor";
    EXPECT_EQ(r.top, 200);
}

TEST_F(DragTest, TitleBarDoubleClickTogglesMaximize) {
    TargetProcess target(At("double", {200, 200, 600, 500}));
    const HWND w = target.window();
    const POINT p = bench::HitPoint(w, HTCAPTION);
    bench::DoubleClick(p.x, p.y);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsZoomed(w) != FALSE; })) << "1. maximized";
    target.SyncInput();
    EXPECT_EQ(target.Count(WM_NCLBUTTONDBLCLK), 0) << "1. the double-click was taken";
    EXPECT_EQ(target.Count(WM_NCLBUTTONUP), 0) << "1. and the release after it swallowed";
    const POINT q = bench::HitPoint(w, HTCAPTION);
    bench::DoubleClick(q.x, q.y);
    target.SyncInput();
    EXPECT_GE(target.Count(WM_NCLBUTTONDBLCLK), 1) << "2. a maximized window gets its double-click";
}

TEST_F(DragTest, DisabledCaptionButtonsNeedShift) {
    TargetProcess target(At("buttons", {200, 200, 600, 500}));
    const HWND w = target.window();
    SetDisableMax(1);
    SetDisableMin(1);
    SetDisableClose(1);
    for (int hit : {HTMAXBUTTON, HTMINBUTTON, HTCLOSE}) {
        const POINT p = bench::HitPoint(w, hit);
        ASSERT_NE(p.x, -1) << hit;
        bench::Click(p.x, p.y);
    }
    target.SyncInput();
    EXPECT_FALSE(::IsZoomed(w)) << "1. maximize disabled";
    EXPECT_FALSE(::IsIconic(w)) << "1. minimize disabled";
    EXPECT_TRUE(::IsWindow(w)) << "1. close disabled";
    const POINT max = bench::HitPoint(w, HTMAXBUTTON);
    {
        bench::HeldKey shift(VK_SHIFT);
        bench::Click(max.x, max.y);
    }
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsZoomed(w) != FALSE; })) << "2. Shift lifts the maximize button";
    const POINT close = bench::HitPoint(w, HTCLOSE);
    SetDisableClose(0);
    RECT client{};
    ::GetClientRect(w, &client);
    POINT inside{client.right / 2, client.bottom / 2};
    ::ClientToScreen(w, &inside);
    bench::MoveMouse(inside.x, inside.y);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    bench::MoveMouse(close.x, close.y);
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    target.SyncInput();
    EXPECT_TRUE(::IsWindow(w)) << "3. a release on the close button after a press elsewhere closes nothing";
    SetDisableClose(1);
    {
        bench::HeldKey shift(VK_SHIFT);
        bench::Click(close.x, close.y);
    }
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(w); })) << "4. Shift lifts the close button";
}

TEST_F(DragTest, MdiChildMovesInsideItsFrame) {
    WindowSpec spec = At("mdi frame", {100, 100, 700, 600});
    spec.cls = "QuorMdiFrame";
    spec.kind = "mdi";
    TargetProcess frame(spec);
    const HWND child = frame.mdiChild();
    ASSERT_NE(child, nullptr);
    RECT client{};
    ::GetClientRect(frame.mdiClient(), &client);
    ::MapWindowPoints(frame.mdiClient(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    DragBy(frame, child, HTCAPTION, 800, 0);
    const RECT r = bench::WindowRect(child);
    EXPECT_EQ(r.right, client.right) << "kept inside the frame's client area";
    EXPECT_TRUE(::IsChild(frame.window(), child));
}

TEST_F(DragTest, ExcludedWindowsAreLeftToThemselves) {
    TargetProcess target(At("excluded", {200, 200, 600, 500}));
    const HWND w = target.window();
    const struct {
        const char* step;
        const char* ignoreClass;  // one entry of each list, or none
        const char* ignoreExe;
        const char* expected;
    } cases[] = {
        {"1. class", "QuorTarget", nullptr, "passed on"},
        {"2. other class", "QuorTarge", nullptr, "engine"},
        {"3. prefix", "Quor*", nullptr, "passed on"},
        {"4. executable", nullptr, "qhelper.exe", "passed on"},
        {"5. executable, other case", nullptr, "QHELPER.EXE", "engine"},
    };
    for (const auto& c : cases) {
        if (c.ignoreClass) SetIgnore(0, c.ignoreClass);
        if (c.ignoreExe) SetIgnoreExe(0, c.ignoreExe);
        SetnIgnore(c.ignoreClass ? 1 : 0);
        SetnIgnoreExe(c.ignoreExe ? 1 : 0);
        target.ResetCounts();
        DragBy(target, w, HTCAPTION, 30, 0, false);
        EXPECT_STREQ(target.Count(WM_NCLBUTTONDOWN) > 0 ? "passed on" : "engine", c.expected) << c.step;
    }
}

TEST_F(DragTest, MaximizedWindowIsNotMoved) {
    TargetProcess target(At("maximized", {200, 200, 600, 500}));
    const HWND w = target.window();
    ::ShowWindow(w, SW_MAXIMIZE);
    ASSERT_TRUE(bench::WaitFor([&] { return ::IsZoomed(w) != FALSE; }));
    const RECT before = bench::WindowRect(w);
    target.ResetCounts();
    DragBy(target, w, HTCAPTION, 100, 100, false);
    EXPECT_TRUE(::IsZoomed(w));
    EXPECT_EQ(bench::WindowRect(w).left, before.left);
    EXPECT_GE(target.Count(WM_NCLBUTTONDOWN), 1) << "the press went to the window";
}

// A drag at a hand's pace on the path of a window of another thread (a 32-bit program's, whose hook
// calls come back to the hooks' thread): there is no capture to wait for, so each step comes a
// moment after the last, and the drag is over once the engine says so.
void DragFromAfar(HWND window, int hit, int dx, int dy) {
    static int drags = 0;
    POINT from = bench::HitPoint(window, hit);
    ASSERT_NE(from.x, -1) << "no point with hit code " << hit;
    if (hit == HTCAPTION) from.x += (drags++ % 2) ? 10 : -10;
    const quor::SharedBlock& b = bench::Block();
    bench::MoveMouse(from.x, from.y);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(bench::WaitFor([&] { return b.DragFromHookThread && b.DragWnd == window; }, 2000)) << "armed from afar";
    for (int i = 1; i <= 8; ++i) {
        bench::MoveMouse(from.x + dx * i / 8, from.y + dy * i / 8);
        bench::Pause(15);
    }
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(bench::WaitFor(DragIdle, 2000)) << "the drag ended with the release";
}

bool LeftBecomes(HWND window, int left) {
    return bench::WaitFor([&] { return bench::WindowRect(window).left == left; }, 2000);
}

void Place(HWND window, int x, int y) {
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    bench::WaitFor([&] { return bench::WindowRect(window).left == x && bench::WindowRect(window).top == y; });
}

TEST_F(DragTest, AWindowOfAnotherThreadIsMovedAndSizedFromTheHooksThread) {
    bench::Block().CrossThreadDragForTests = 1;
    TargetProcess other(At("neighbour", {700, 200, 1000, 500}));
    TargetProcess target(At("from afar", {200, 260, 500, 460}));
    const HWND w = target.window();

    DragFromAfar(w, HTCAPTION, -185, 0);
    EXPECT_TRUE(LeftBecomes(w, 0)) << "1. 15 px from the work area's edge snaps onto it: " << bench::WindowRect(w).left;
    EXPECT_EQ(bench::WindowRect(w).top, 260);
    target.SyncInput();
    EXPECT_EQ(target.Count(WM_NCLBUTTONDOWN), 0) << "1. the press kept from the window, so no move loop of its own";
    EXPECT_EQ(bench::CaptureIn(w), nullptr) << "1. no capture taken";
    {
        bench::HeldKey shift(VK_SHIFT);
        DragFromAfar(w, HTCAPTION, 15, 0);
    }
    EXPECT_TRUE(LeftBecomes(w, 15)) << "2. Shift held: no snapping";

    Place(w, 100, 260);
    DragFromAfar(w, HTCAPTION, 295, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).right == 700; }))
        << "3. 5 px short of the neighbour: moved to touch it: " << bench::WindowRect(w).right;

    Place(w, 800, 560);
    const RECT work = bench::WorkArea();
    DragFromAfar(w, HTCAPTION, 400, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).right == work.right; }))
        << "4. kept inside the work area: " << bench::WindowRect(w).right << " for " << work.right;

    Place(w, 100, 560);
    DragFromAfar(w, HTRIGHT, 40, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).right == 440; }))
        << "5. its border sizes it: " << bench::WindowRect(w).right;
    EXPECT_EQ(bench::WindowRect(w).left, 100);

    // 6. The release lands on another program's window: the drag is over, and nothing holds the mouse.
    Place(w, 100, 260);
    POINT p = bench::HitPoint(w, HTCAPTION);
    bench::MoveMouse(p.x, p.y);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(bench::WaitFor([&] { return bench::Block().DragWnd == w; }));
    bench::MoveMouse(850, 400);
    bench::Pause(15);
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(bench::WaitFor(DragIdle)) << "6. released over another program";
    other.SyncInput();
    EXPECT_EQ(bench::CaptureIn(w), nullptr) << "6. no capture in the dragged window";
    EXPECT_EQ(bench::CaptureIn(other.window()), nullptr) << "6. nor in the other";

    // 7. The dragged window hangs in the middle: the moves go on without waiting for it, and it
    // ends where the cursor let it go once it answers again.
    Place(w, 100, 560);
    p = bench::HitPoint(w, HTCAPTION);
    bench::MoveMouse(p.x, p.y);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(bench::WaitFor([&] { return bench::Block().DragWnd == w; }));
    bench::MoveMouse(p.x + 10, p.y);
    target.Hang(1500);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 2; i <= 8; ++i) bench::MoveMouse(p.x + 10 * i, p.y);
    bench::MouseButton(MOUSEEVENTF_LEFTUP);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 700) << "7. seven moves and the release over a hung window took " << ms << " ms";
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).left == 180; }, 4000))
        << "7. where the cursor let it go: " << bench::WindowRect(w).left;

    // 8. A double-click on the caption maximizes it, and another restores it.
    const POINT q = bench::HitPoint(w, HTCAPTION);
    bench::DoubleClick(q.x, q.y);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsZoomed(w) != FALSE; })) << "8. maximized";
    const POINT r = bench::HitPoint(w, HTCAPTION);
    bench::DoubleClick(r.x, r.y);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsZoomed(w); })) << "8. restored";
    EXPECT_TRUE(bench::WaitFor(DragIdle));

    // 9. A program nobody here wrote: Wine's notepad.
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    char cmd[] = "notepad.exe";
    ASSERT_TRUE(::CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    const quor::unique_handle notepad(pi.hProcess);
    ::CloseHandle(pi.hThread);
    HWND editor = nullptr;
    ASSERT_TRUE(bench::WaitFor([&] {
        for (HWND c = nullptr; (c = ::FindWindowExA(nullptr, c, "Notepad", nullptr)) != nullptr;) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(c, &pid);
            if (pid == pi.dwProcessId && ::IsWindowVisible(c)) editor = c;
        }
        return editor != nullptr;
    }, 10000)) << "9. notepad's window";
    ::SetWindowPos(editor, nullptr, 200, 300, 400, 300, SWP_NOZORDER);
    ASSERT_TRUE(bench::WaitFor([&] { return bench::WindowRect(editor).left == 200; }));
    DragFromAfar(editor, HTCAPTION, -185, 0);
    EXPECT_TRUE(LeftBecomes(editor, 0)) << "9. notepad snaps to the work area's edge: " << bench::WindowRect(editor).left;
    EXPECT_EQ(bench::CaptureIn(editor), nullptr) << "9. and holds no capture";
    ::PostMessageA(editor, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(notepad.get(), 5000) != WAIT_OBJECT_0) ::TerminateProcess(notepad.get(), 1);
}

}  // namespace
