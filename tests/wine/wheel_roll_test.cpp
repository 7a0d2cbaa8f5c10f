// Transparency by the wheel over title bars, and roll-up to the title bar, in other processes.
#include "tests/wine/support/hooked_fixture.h"

#include <chrono>
#include <climits>

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

constexpr auto At = bench::WindowAt;

// One wheel event over the caption, then waits until the focus window's thread has taken it.
void WheelOnCaption(const TargetProcess& focus, HWND over, int delta) {
    const POINT p = bench::HitPoint(over, HTCAPTION);
    bench::Wheel(p.x, p.y, delta);
    focus.SyncInput();
}

class WheelTest : public bench::HookedTest {};

TEST_F(WheelTest, NotchesTowardsTheUserStepDownTo32) {
    SetTransparent(1);
    TargetProcess target(At("wheel", {200, 200, 600, 500}));
    const HWND w = target.window();
    target.Activate();
    const int expected[] = {235, 215, 195, 175, 155, 135, 115, 95, 75, 55, 35, 32, 32};
    int notch = 0;
    for (int alpha : expected) {
        WheelOnCaption(target, w, -WHEEL_DELTA);
        EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == alpha; }, 2000))
            << "notch " << ++notch << ": alpha " << bench::LayeredAlpha(w) << ", expected " << alpha;
    }
    EXPECT_EQ(target.Count(WM_MOUSEWHEEL), 0) << "the wheel over the caption is taken";
}

TEST_F(WheelTest, BackToOpaqueRemovesTheLayeredStyle) {
    SetTransparent(1);
    TargetProcess target(At("opaque", {200, 200, 600, 500}));
    const HWND w = target.window();
    target.Activate();
    WheelOnCaption(target, w, -60);  // half a notch: 255 - 10
    ASSERT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == 245; })) << "1. a partial delta steps by delta / 6";
    WheelOnCaption(target, w, -5);
    EXPECT_EQ(bench::LayeredAlpha(w), 245) << "2. a delta of 5 gives no step";
    WheelOnCaption(target, w, WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return !(::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_LAYERED); }))
        << "3. 245 + 20 is opaque: the layered style goes";
    WheelOnCaption(target, w, WHEEL_DELTA);
    EXPECT_FALSE(::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_LAYERED) << "4. a further notch changes nothing";
    EXPECT_EQ(bench::LayeredAlpha(w), 255);
}

TEST_F(WheelTest, InactiveWindowNeedsRedirect) {
    SetTransparent(1);
    TargetProcess inactive(At("inactive", {650, 200, 1000, 500}));
    TargetProcess active(At("active", {100, 200, 500, 500}));
    active.Activate();
    const HWND w = inactive.window();
    WheelOnCaption(active, w, -WHEEL_DELTA);
    EXPECT_EQ(bench::LayeredAlpha(w), 255) << "1. Redirect off: passed on untouched";
    EXPECT_EQ(bench::LayeredAlpha(active.window()), 255);

    SetRedirect(1);
    WheelOnCaption(active, w, -WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == 235; })) << "2. Redirect on: that window's alpha";
    EXPECT_NE(::GetForegroundWindow(), w);

    SetRedirectActive(1);
    WheelOnCaption(active, w, -WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == 215; })) << "3. and RedirectActive";
    EXPECT_TRUE(bench::WaitFor([&] { return ::GetForegroundWindow() == w; })) << "3. brings it to the front";
}

TEST_F(WheelTest, TransparentOffLeavesTheWheelAlone) {
    TargetProcess target(At("plain wheel", {200, 200, 600, 500}));
    target.Activate();
    WheelOnCaption(target, target.window(), -WHEEL_DELTA);
    EXPECT_EQ(bench::LayeredAlpha(target.window()), 255);
    EXPECT_GE(target.Count(WM_MOUSEWHEEL), 1);
}

class RollTest : public bench::HookedTest {};

int ExpectedCaptionOnlyHeight(HWND w) {
    const bool thick = ::GetWindowLongPtrA(w, GWL_STYLE) & WS_THICKFRAME;
    return ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(thick ? SM_CXFRAME : SM_CYDLGFRAME);
}

int Height(HWND w) {
    const RECT r = bench::WindowRect(w);
    return r.bottom - r.top;
}

TEST_F(RollTest, RollUpAndUnrollKeepTheTableInOrder) {
    TargetProcess a(At("roll a", {100, 100, 400, 400}));
    TargetProcess b(At("roll b", {450, 100, 750, 350}));
    WindowSpec dialogLike = At("roll c", {800, 100, 1100, 320});
    dialogLike.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;  // no sizing frame
    TargetProcess c(dialogLike);
    const HWND wa = a.window(), wb = b.window(), wc = c.window();
    const quor::SharedBlock& block = bench::Block();
    const UINT roll = ::RegisterWindowMessageA("WM_ROLL");
    const UINT unroll = ::RegisterWindowMessageA("WM_UNROLL");

    for (HWND w : {wa, wb, wc}) {
        ::PostMessageA(w, roll, 0, 0);
        EXPECT_TRUE(bench::WaitFor([&] { return Height(w) == ExpectedCaptionOnlyHeight(w); }))
            << "1. rolled up to its caption: " << Height(w);
    }
    ASSERT_EQ(block.nRolled, 3);
    EXPECT_EQ(block.RolledHeight[0], 300);

    ::PostMessageA(wb, roll, 0, 0);
    b.SyncInput();
    EXPECT_EQ(block.nRolled, 3) << "2. rolling up again keeps the first saved height";
    EXPECT_EQ(block.RolledHeight[1], 250);

    ::PostMessageA(wa, unroll, 0, 0);
    // The height comes back before the table entry goes: wait for both.
    EXPECT_TRUE(bench::WaitFor([&] { return Height(wa) == 300 && block.nRolled == 2; }))
        << "3. the first gets its height back";
    EXPECT_EQ(block.RolledWnd[0], wc) << "3. the last entry moved into the first slot";
    EXPECT_EQ(block.RolledWnd[1], wb) << "3. the second is unaffected";
    EXPECT_EQ(block.RolledHeight[0], 220);

    ::PostMessageA(wa, unroll, 0, 0);
    a.SyncInput();
    EXPECT_EQ(block.nRolled, 2) << "4. unrolling a window that is not rolled up does nothing";
    ::SendMessageA(wa, roll, 0, 0);
    EXPECT_EQ(Height(wa), 300) << "5. a sent roll message is not carried out";

    for (HWND w : {wb, wc}) ::PostMessageA(w, unroll, 0, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return Height(wb) == 250 && Height(wc) == 220 && block.nRolled == 0; }))
        << "6. the others unrolled: heights " << Height(wb) << " and " << Height(wc) << ", " << block.nRolled
        << " left in the table";

    // 7. Two programs roll up and unroll at the same moment, again and again: the table keeps count.
    for (int round = 1; round <= 20; ++round) {
        for (HWND w : {wa, wb}) ::PostMessageA(w, roll, 0, 0);
        ASSERT_TRUE(bench::WaitFor([&] {
            return Height(wa) == ExpectedCaptionOnlyHeight(wa) && Height(wb) == ExpectedCaptionOnlyHeight(wb);
        })) << "7. round " << round;
        ASSERT_EQ(block.nRolled, 2) << "7. round " << round << ": both recorded";
        for (HWND w : {wa, wb}) ::PostMessageA(w, unroll, 0, 0);
        ASSERT_TRUE(bench::WaitFor([&] { return Height(wa) == 300 && Height(wb) == 250 && block.nRolled == 0; }))
            << "7. round " << round << ": both unrolled, " << block.nRolled << " left in the table";
    }
}

UINT RollMessage() { return ::RegisterWindowMessageA("WM_ROLL"); }

bool RolledUp(HWND w) { return Height(w) == ExpectedCaptionOnlyHeight(w); }

TEST_F(RollTest, StoppingTheLibraryUnrollsIdleAndBusyWindows) {
    TargetProcess idle(At("rolled idle", {100, 100, 400, 400}));
    TargetProcess busy(At("rolled busy", {500, 100, 800, 350}));
    for (HWND w : {idle.window(), busy.window()}) ::PostMessageA(w, RollMessage(), 0, 0);
    ASSERT_TRUE(bench::WaitFor([&] { return RolledUp(idle.window()) && RolledUp(busy.window()); }));
    busy.Hang(500);
    resident_.reset();  // removes the hooks
    EXPECT_TRUE(bench::WaitFor([&] { return Height(idle.window()) == 300; })) << "the idle window";
    EXPECT_TRUE(bench::WaitFor([&] { return Height(busy.window()) == 250; }, 4000)) << "the busy window";
    EXPECT_EQ(bench::Block().nRolled, 0) << "and the table is empty";
}

TEST_F(RollTest, ThreadMessagesAndRecycledHandlesAreNotRolledWindows) {
    TargetProcess target(At("thread message", {100, 100, 400, 400}));
    ::PostThreadMessageA(::GetWindowThreadProcessId(target.window(), nullptr), RollMessage(), 0, 0);
    target.SyncInput();
    EXPECT_EQ(bench::Block().nRolled, 0) << "a roll message without a window records nothing";
}

TEST_F(RollTest, EntriesOfDestroyedWindowsAreReused) {
    {
        WindowSpec few = At("rolled then gone", {100, 100, 300, 300});
        few.windowCount = 3;
        TargetProcess gone(few);
        const auto windows = gone.windows();
        ASSERT_EQ(windows.size(), 3u);
        for (HWND w : windows) ::PostMessageA(w, RollMessage(), 0, 0);
        ASSERT_TRUE(bench::WaitFor([&] { return bench::Block().nRolled == 3; }));
    }  // their process ends with their entries in the table
    WindowSpec many = At("rolled many", {100, 100, 300, 300});
    many.windowCount = quor::kWindowTable;
    TargetProcess fresh(many);
    const auto windows = fresh.windows();
    ASSERT_EQ(windows.size(), static_cast<size_t>(quor::kWindowTable));
    for (HWND w : windows) ::PostMessageA(w, RollMessage(), 0, 0);
    int rolled = 0;
    bench::WaitFor([&] {
        rolled = 0;
        for (HWND w : windows) rolled += RolledUp(w) ? 1 : 0;
        return rolled == quor::kWindowTable;
    }, 20000);
    EXPECT_EQ(rolled, quor::kWindowTable) << "all 256 new windows rolled up";
    EXPECT_EQ(bench::Block().nRolled, quor::kWindowTable);
}

// Any process can write the block: a nonsense count must neither fault another program nor stop
// the feature.
TEST_F(WheelTest, CorruptedCountsAreKeptWithinTheirTables) {
    SetTransparent(1);
    TargetProcess target(At("corrupted counts", {200, 200, 600, 500}));
    const HWND w = target.window();
    target.Activate();
    quor::SharedBlock& b = bench::Block();

    for (auto& entry : b.AlphaTable) entry = {};  // no entry left from an earlier program
    b.nAlphaTable = INT_MAX;
    WheelOnCaption(target, w, -WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == 235; })) << "1. alpha count INT_MAX";
    b.nAlphaTable = -1000;
    WheelOnCaption(target, w, -WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == 235; })) << "2. negative: starts afresh";

    b.nRolled = INT_MAX;
    ::PostMessageA(w, RollMessage(), 0, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return RolledUp(w); })) << "3. roll count INT_MAX";
    ::PostMessageA(w, ::RegisterWindowMessageA("WM_UNROLL"), 0, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return Height(w) == 300; })) << "3. and back";
    b.nRolled = -5;
    ::PostMessageA(w, RollMessage(), 0, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return RolledUp(w); })) << "4. negative roll count";
    ::PostMessageA(w, ::RegisterWindowMessageA("WM_UNROLL"), 0, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return Height(w) == 300; })) << "4. and back";

    for (int i = 0; i < quor::kIgnoreEntries; ++i) {
        SetIgnore(i, "");
        SetIgnoreExe(i, "no such program.exe");
    }
    b.nIgnore = INT_MAX;
    b.nIgnoreExe = INT_MIN;
    b.nSnapRect = INT_MAX;
    const RECT before = bench::WindowRect(w);
    const POINT p = bench::HitPoint(w, HTCAPTION);
    bench::Drag(p, {p.x + 30, p.y + 20}, 4, w);
    target.SyncInput();
    EXPECT_EQ(bench::WindowRect(w).left, before.left + 30) << "5. ignore counts out of range: still dragged";
    EXPECT_TRUE(::IsWindow(w) && target.LibraryLoaded()) << "the program lives on";
}

}  // namespace

namespace {

TEST_F(WheelTest, HungWindowUnderTheWheelDoesNotHangTheFocusProgram) {
    SetTransparent(1);
    SetRedirect(1);
    TargetProcess hung(At("hung", {650, 200, 1000, 500}));
    TargetProcess active(At("focus", {100, 200, 500, 500}));
    active.Activate();
    const POINT p = bench::HitPoint(hung.window(), HTCAPTION);
    ::PostMessageA(hung.window(), bench::kCommandHang, 0, 6000);
    const auto start = std::chrono::steady_clock::now();
    bench::Wheel(p.x, p.y, -WHEEL_DELTA);
    active.SyncInput();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 3000) << "the focus program answered after " << ms << " ms";
}

}  // namespace
