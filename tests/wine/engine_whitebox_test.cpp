// white-box: calls the library's code directly (linked in), against windows of other processes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <climits>
#include <atomic>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_roll.h"
#include "hooklib/window/drag_engine.h"
#include "hooklib/window/eligibility.h"
#include "hooklib/window/snap_targets.h"
#include "hooklib/window/tray_table.h"
#include "hooklib/window/visible_frame.h"
#include "hooklib/window/window_placement.h"
#include "hooklib/window/window_query.h"
#include "tests/wine/support/bench_support.h"

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

WindowSpec Spec(const char* kind, bool report = false) {
    WindowSpec spec;
    spec.kind = kind;
    spec.title = kind;
    spec.rect = {200, 200, 700, 600};
    spec.reportView = report;
    if (std::string(kind) == "desktop") spec.style = WS_POPUP | WS_VISIBLE;
    return spec;
}

POINT Center(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(IconAtPoint, ForeignListViewInIconView) {
    TargetProcess desktop(Spec("desktop"));
    const HWND list = desktop.listView();
    const RECT icon = bench::ListItemRect(list, 0, LVIR_ICON);
    const RECT label = bench::ListItemRect(list, 0, LVIR_LABEL);
    const RECT bounds = bench::ListItemRect(list, 0, LVIR_BOUNDS);
    EXPECT_TRUE(quor::IsIconAtPoint(list, Center(icon))) << "on the icon";
    EXPECT_TRUE(quor::IsIconAtPoint(list, Center(label))) << "on the label";
    EXPECT_FALSE(quor::IsIconAtPoint(list, {bounds.right + 150, bounds.bottom + 150})) << "empty";
    // Inside the item's bounds but beside the icon and above the label.
    if (icon.left - bounds.left > 2) {
        EXPECT_FALSE(quor::IsIconAtPoint(list, {bounds.left + 1, icon.top + 2})) << "beside the icon";
    }
}

TEST(IconAtPoint, ReportViewCountsTheWholeRow) {
    TargetProcess folder(Spec("folder", true));
    const HWND list = folder.listView();
    const RECT row = bench::ListItemRect(list, 1, LVIR_BOUNDS);
    EXPECT_TRUE(quor::IsIconAtPoint(list, {row.right - 5, (row.top + row.bottom) / 2})) << "far end of the row";
    EXPECT_FALSE(quor::IsIconAtPoint(list, {row.left + 10, row.bottom + 200})) << "below the rows";
}

TEST(IconAtPoint, HungListViewAnswersQuicklyAsAnItem) {
    TargetProcess desktop(Spec("desktop"));
    const HWND list = desktop.listView();
    ::PostMessageA(desktop.window(), bench::kCommandHang, 0, 5000);
    bench::WaitFor([&] {
        DWORD_PTR r = 0;
        return !::SendMessageTimeoutA(desktop.window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 50, &r);
    }, 2000);
    const auto start = std::chrono::steady_clock::now();
    const bool result = quor::IsIconAtPoint(list, {900, 900});
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_TRUE(result) << "no answer: treated as an item, so no shortcut fires";
    EXPECT_LT(ms, 1500);
}

TEST(Eligibility, ToolWindowsChildrenAndMdi) {
    quor::SharedBlock& b = quor::Block();
    b.nIgnore = b.nIgnoreExe = 0;
    b.AllowTaskBar = 0;
    WindowSpec tool = Spec("window");
    tool.cls = "TWatchWindow";
    tool.title = "tool";
    tool.exStyle = WS_EX_TOOLWINDOW;
    TargetProcess dockTool(tool);
    EXPECT_FALSE(quor::IsEligibleWindow(dockTool.window())) << "docking tool window";
    tool.exStyle = 0;
    tool.title = "plain";
    TargetProcess plain(tool);
    EXPECT_TRUE(quor::IsEligibleWindow(plain.window())) << "same class without the tool-window style";

    WindowSpec folder = Spec("folder");
    TargetProcess withChild(folder);
    EXPECT_FALSE(quor::IsEligibleWindow(withChild.listView())) << "a plain child window";

    WindowSpec mdi = Spec("mdi");
    mdi.cls = "QuorMdiFrame";
    mdi.title = "editor";
    TargetProcess frame(mdi);
    EXPECT_TRUE(quor::IsEligibleWindow(frame.mdiChild()));
    EXPECT_EQ(b.DragIsChild, 1);
    EXPECT_TRUE(quor::IsEligibleWindow(frame.window()));
    EXPECT_EQ(b.DragIsChild, 0) << "cleared for the next window tested";
    mdi.title = "Jasc Paint Shop Pro";
    TargetProcess jasc(mdi);
    EXPECT_FALSE(quor::IsEligibleWindow(jasc.mdiChild()));

    WindowSpec tray = Spec("window");
    tray.cls = "Shell_TrayWnd";
    tray.title = "tray";
    TargetProcess taskbar(tray);
    EXPECT_TRUE(quor::IsEligibleWindow(taskbar.window())) << "AllowTaskBar 0";
    b.AllowTaskBar = 1;
    EXPECT_FALSE(quor::IsEligibleWindow(taskbar.window()));
    b.AllowTaskBar = 0;
    EXPECT_TRUE(quor::IsTaskbarWindow(taskbar.window()));

    ::ShowWindow(plain.window(), SW_MAXIMIZE);
    bench::WaitFor([&] { return ::IsZoomed(plain.window()) != FALSE; });
    EXPECT_FALSE(quor::IsEligibleWindow(plain.window())) << "maximized";
    b.RolledWnd[0] = plain.window();
    b.RolledThread[0] = ::GetWindowThreadProcessId(plain.window(), nullptr);
    b.nRolled = 1;
    EXPECT_TRUE(quor::IsEligibleWindow(plain.window())) << "maximized but rolled up";
    b.nRolled = 0;
}

TEST(Eligibility, MinimizeBoxOfNetUiWindows) {
    WindowSpec spec = Spec("window");
    spec.cls = "NetUIHWND";
    spec.title = "netui";
    TargetProcess netui(spec);
    EXPECT_FALSE(quor::HasMinimizeBox(netui.window()));
    spec.cls = "NetUIHWND2";
    spec.title = "other";
    TargetProcess other(spec);
    EXPECT_TRUE(quor::HasMinimizeBox(other.window()));
}

// The window of this process whose drag the engine steps through.
class LocalWindow {
public:
    LocalWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuorLocal";
        ::RegisterClassA(&wc);
        hwnd_ = ::CreateWindowExA(0, "QuorLocal", "local", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 300, 200,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~LocalWindow() { ::DestroyWindow(hwnd_); }
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

TEST(DragEngine, CursorIsHeldInsideTheAreaWhenTheWindowMayLeave) {
    LocalWindow window;
    quor::SharedBlock& b = quor::Block();
    b = {};
    // A drag goes on only while the button is really down.
    const RECT local = bench::WindowRect(window.get());
    bench::MoveMouse(local.left + 150, local.top + 100);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    struct Release {
        ~Release() { bench::MouseButton(MOUSEEVENTF_LEFTUP); }
    } release;
    b.AllowOut = 0;
    b.DragWnd = window.get();
    b.MoveArmed = 1;
    b.Moving = 1;
    b.DragGrip = {50, 10};
    b.DragMonitor = ::MonitorFromPoint({400, 300}, MONITOR_DEFAULTTONEAREST);
    b.DragArea = {100, 100, 900, 700};
    MOUSEHOOKSTRUCT m{};
    m.hwnd = window.get();
    m.pt = {1000, 750};
    EXPECT_EQ(quor::OnDragMouseMove(m), quor::HookResult::kLetThrough);
    POINT cursor{};
    EXPECT_TRUE(bench::WaitFor([&] {
        ::GetCursorPos(&cursor);
        return cursor.x == 900 && cursor.y == 700;
    }, 2000)) << "cursor at " << cursor.x << "," << cursor.y;
    EXPECT_EQ(bench::WindowRect(window.get()).left, 850) << "the window follows the held point";

    b.AllowOut = 1;
    b.DragArea = {150, 150, 800, 650};
    m.pt = {1000, 750};
    ::SetCursorPos(500, 500);
    ASSERT_TRUE(bench::WaitFor([&] {
        ::GetCursorPos(&cursor);
        return cursor.x == 500;
    }, 2000));
    quor::OnDragMouseMove(m);
    ::GetCursorPos(&cursor);
    EXPECT_NE(cursor.x, 800) << "AllowOut: the cursor is not held";
    EXPECT_EQ(bench::WindowRect(window.get()).right, 800) << "AllowOut: the window is kept inside";
}

// The hook called in this thread for another program's window, as the system calls it back on the
// hooks' thread for a 32-bit program: the press arms the drag without taking the capture (which
// this thread could not), the mouse hook leaves the moves alone, and the low-level hook drives them.
TEST(DragEngine, APressOnAWindowOfAnotherThreadIsDrivenFromTheLowLevelHook) {
    bench::TargetProcess distant(bench::WindowAt("another thread's", {200, 200, 600, 500}));
    quor::SharedBlock& b = quor::Block();
    b = {};
    b.AllowSnap = 0;
    b.AllowOut = 1;
    b.ButtonsDownLowLevel = 1;  // as the low-level hook saw the press
    const HWND w = distant.window();
    const POINT press = bench::HitPoint(w, HTCAPTION);
    // The button is really held (a drag goes on only while it is), in a window of this test's own
    // that is not hooked: the hook calls are made here by hand.
    LocalWindow held;
    ::SetWindowPos(held.get(), nullptr, 700, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    bench::MoveMouse(850, 700);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    struct Release {
        ~Release() { bench::MouseButton(MOUSEEVENTF_LEFTUP); }
    } release;
    MOUSEHOOKSTRUCT m{};
    m.hwnd = w;
    m.pt = press;
    m.wHitTestCode = HTCAPTION;
    // 0. A busy program takes its press after the low-level hook saw the button go up: no drag.
    b.LLMouseHook = reinterpret_cast<HHOOK>(1);
    b.ButtonsDownLowLevel = 0;
    EXPECT_EQ(quor::OnNonClientPress(m, false), quor::HookResult::kPassOn) << "0. a press taken after its release";
    EXPECT_FALSE(quor::IsDragInProgress()) << "0. arms nothing";
    b.LLMouseHook = nullptr;
    b.ButtonsDownLowLevel = 1;
    EXPECT_EQ(quor::OnNonClientPress(m, false), quor::HookResult::kSwallow) << "1. the press is kept from the window";
    EXPECT_EQ(b.DragFromHookThread, 1) << "1. armed from afar";
    EXPECT_EQ(b.CaptureWnd, nullptr) << "1. with no capture";
    EXPECT_EQ(bench::CaptureIn(w), nullptr);
    m.pt = {press.x + 30, press.y + 20};
    EXPECT_EQ(quor::OnDragMouseMove(m), quor::HookResult::kPassOn) << "2. the mouse hook leaves the moves";
    ::Sleep(50);  // the button's state is read with the platform's lag in mind
    MSLLHOOKSTRUCT e{};
    e.pt = m.pt;
    quor::OnLowLevelMouseForDrag(WM_MOUSEMOVE, e);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).left == 230 && bench::WindowRect(w).top == 220; }))
        << "3. the low-level hook moves it, without waiting for its thread: " << bench::WindowRect(w).left;
    // While the window may leave the work area, the cursor is held inside it (here: the area is
    // made small); the move that would take the cursor out is kept from the system.
    b.AllowOut = 0;
    b.DragArea = {100, 100, 900, 700};
    e.pt = {1000, 750};
    EXPECT_TRUE(quor::OnLowLevelMouseForDrag(WM_MOUSEMOVE, e)) << "3. the move beyond the area is kept";
    POINT cursor{};
    EXPECT_TRUE(bench::WaitFor([&] {
        ::GetCursorPos(&cursor);
        return cursor.x == 900 && cursor.y == 700;
    }, 2000)) << "3. the cursor held at " << cursor.x << "," << cursor.y;
    quor::OnLowLevelMouseForDrag(WM_LBUTTONUP, e);
    EXPECT_FALSE(quor::IsDragInProgress()) << "4. the release ends it, wherever it landed";
    EXPECT_EQ(b.DragFromHookThread, 0);
    // 5. A press that reaches the low-level hook while a drag is recorded comes after the one that
    // armed it: that drag was left behind, and is over.
    m.pt = press;
    ASSERT_EQ(quor::OnNonClientPress(m, false), quor::HookResult::kSwallow);
    quor::OnLowLevelMouseForDrag(WM_LBUTTONDOWN, e);
    EXPECT_FALSE(quor::IsDragInProgress()) << "5. a later press ends a drag left behind";
}

bool HasTarget(const RECT& r) {
    const quor::SharedBlock& b = quor::Block();
    for (int i = 0; i < b.nSnapRect; ++i)
        if (b.SnapRect[i] == quor::ToRect(r)) return true;
    return false;
}

// Every top-level window with the invisible border of current Windows at 100 %: 7 pixels left,
// right and bottom. (Wine reports no visible frames, so the seam stands in for the system.)
quor::Insets SevenPixelBorder(HWND, const RECT&) noexcept { return {7, 0, 7, 7}; }

TEST(DragEngine, SnapsVisibleFramesAndPlacesTheWindowRectangle) {
    TargetProcess neighbour(bench::WindowAt("framed neighbour", {100, 100, 500, 400}));
    LocalWindow window;
    ::SetActiveWindow(window.get());
    quor::SharedBlock& b = quor::Block();
    b = {};
    quor::SetFrameInsetsProvider(SevenPixelBorder);
    struct Restore {
        ~Restore() {
            quor::SetFrameInsetsProvider(nullptr);
            bench::MouseButton(MOUSEEVENTF_LEFTUP);
        }
    } restore;
    const RECT start = bench::WindowRect(window.get());
    // A drag goes on only while the button is down; pressed in the client area, where the system
    // starts no move of its own.
    bench::MoveMouse(start.left + 150, start.top + 100);
    bench::MouseButton(MOUSEEVENTF_LEFTDOWN);
    b.AllowOut = b.AllowSnap = 1;
    b.Snap = 20;
    b.DragWnd = window.get();
    b.MoveArmed = 1;
    b.DragGrip = {50, 10};
    MOUSEHOOKSTRUCT m{};
    m.hwnd = window.get();
    // 1. The window rectangle 5 px right of the neighbour's: 9 px between the visible frames.
    m.pt = {495 + 50, 100 + 10};
    ASSERT_EQ(quor::OnDragMouseMove(m), quor::HookResult::kLetThrough);
    ASSERT_EQ(b.DragInsets, (quor::Insets{7, 0, 7, 7})) << "1. the dragged window's insets, read as the drag starts";
    ASSERT_TRUE(HasTarget({107, 100, 493, 393})) << "1. the neighbour's visible frame is the target";
    EXPECT_EQ(bench::WindowRect(window.get()).left, 486) << "1. visible frames touching, the borders overlapping";
    // 2. Near the work area's left edge: the visible edge on it, the rectangle 7 px beyond.
    m.pt = {5 + 50, 600 + 10};
    quor::OnDragMouseMove(m);
    EXPECT_EQ(bench::WindowRect(window.get()).left, -7) << "2. the visible left edge on the work area's";
    // 3. Kept inside by the visible bottom: the border lies below the work area.
    const quor::Rect work = b.DragArea;
    m.pt = {300 + 50, work.bottom + 10};
    quor::OnDragMouseMove(m);
    const RECT placed = bench::WindowRect(window.get());
    EXPECT_EQ(placed.bottom, work.bottom + 7) << "3. the visible bottom on the work area's bottom";
}

TEST(Tables, FullAlphaTableReusesOnlyEntriesOfGoneWindows) {
    LocalWindow window;
    quor::SharedBlock& b = quor::Block();
    b = {};
    const auto low = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window.get()));
    for (auto& e : b.AlphaTable) e = {low, 100};
    b.nAlphaTable = quor::kWindowTable;
    LocalWindow second;
    quor::SetWindowAlpha(second.get(), 50);
    EXPECT_EQ(quor::GetWindowAlpha(second.get()), 255) << "every recorded window lives: nothing recorded";
    EXPECT_EQ(b.nAlphaTable, quor::kWindowTable);
    EXPECT_EQ(b.nRolled, 0) << "nothing written past the table";
    b.AlphaTable[7] = {0x7ffffff0u, 90};  // a handle no window has
    quor::SetWindowAlpha(second.get(), 50);
    EXPECT_EQ(quor::GetWindowAlpha(second.get()), 50) << "the entry of a gone window is reused";
    EXPECT_EQ(b.AlphaTable[7].window, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(second.get())));
}

TEST(Tables, TrayLookupStopsAtTrayHigh) {
    LocalWindow window;
    quor::SharedBlock& b = quor::Block();
    b = {};
    b.TrayWnd[5] = window.get();
    b.TrayHigh = 4;
    EXPECT_EQ(quor::FindTraySlot(window.get()), -1) << "past the highest slot used";
    b.TrayHigh = 5;
    EXPECT_EQ(quor::FindTraySlot(window.get()), 5);
    LocalWindow absent;
    b.TrayHigh = INT_MAX;
    EXPECT_EQ(quor::FindTraySlot(absent.get()), -1) << "a corrupted TrayHigh reads no further than the table";
    EXPECT_EQ(quor::FindTraySlot(nullptr), -1) << "no window is in no slot";
    EXPECT_EQ(quor::FindFreeTraySlot(), 0);
}

// Threads of one program share the block as programs do: each hides its own windows, all at once.
TEST(Tables, WindowsHiddenAtTheSameMomentTakeASlotEach) {
    quor::SharedBlock& b = quor::Block();
    b = {};
    b.TaskTray = 1;
    LocalWindow icons;
    b.DummyWnd = icons.get();
    constexpr int kThreads = 2, kEach = 12;
    HWND windows[kThreads][kEach] = {};
    std::atomic<int> created{0}, hidden{0}, checked{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            std::vector<std::unique_ptr<LocalWindow>> own;
            for (HWND& w : windows[t]) w = own.emplace_back(std::make_unique<LocalWindow>())->get();
            ++created;
            while (created < kThreads) std::this_thread::yield();
            for (HWND w : windows[t]) quor::MinimizeToTray(w);
            ++hidden;
            while (checked == 0) std::this_thread::yield();
            for (HWND w : windows[t]) quor::RestoreFromTray(w);
        });
    while (hidden < kThreads) std::this_thread::yield();
    std::set<int> slots;
    for (const auto& each : windows)
        for (HWND w : each) {
            const int slot = quor::FindTraySlot(w);
            EXPECT_NE(slot, -1) << "every window is in a slot";
            EXPECT_FALSE(::IsWindowVisible(w)) << "and hidden";
            slots.insert(slot);
        }
    EXPECT_EQ(slots.size(), static_cast<size_t>(kThreads * kEach)) << "no two in one slot";
    ++checked;
    for (std::thread& t : threads) t.join();
    for (const HWND w : b.TrayWnd) EXPECT_EQ(w, nullptr) << "every one came back";
}

TEST(Tables, TheTraySettingIsOnForAnyValueButZeroAndLosesNoHiddenWindow) {
    quor::SharedBlock& b = quor::Block();
    b = {};
    LocalWindow icons, window;
    b.DummyWnd = icons.get();
    const HWND w = window.get();
    quor::ApplyTaskTraySetting(2);
    EXPECT_EQ(b.TaskTray, 1) << "1. a file's 2 is on";
    quor::MinimizeToTray(w);
    ASSERT_FALSE(::IsWindowVisible(w)) << "1. hidden";
    quor::ApplyTaskTraySetting(0);
    EXPECT_TRUE(::IsWindowVisible(w)) << "2. turned off from 2: the window comes back";
    EXPECT_EQ(quor::FindTraySlot(w), -1);

    // 3. The block holds a hidden window and the entry of one long gone while the setting is off.
    quor::ApplyTaskTraySetting(1);
    quor::MinimizeToTray(w);
    const int slot = quor::FindTraySlot(w);
    ASSERT_NE(slot, -1);
    b.TaskTray = 0;
    b.TrayWnd[slot + 1] = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7ffffff0));  // a handle no window has
    b.TrayHigh = slot + 1;
    quor::ApplyTaskTraySetting(1);
    EXPECT_EQ(quor::FindTraySlot(w), slot) << "3. turned on: the live window keeps its slot";
    EXPECT_EQ(b.TrayWnd[slot + 1], nullptr) << "3. the gone one's is freed";
    quor::RestoreFromTray(w);
    EXPECT_TRUE(::IsWindowVisible(w)) << "3. and the window still comes back";
}

// The message hook called here for another program's window, as a 32-bit program's calls come back
// to the hooks' thread: a hung window is rolled up and hidden without waiting for it, and its keys
// are kept from it while the keyboard is cleaned.
TEST(Tables, MessagesOfAWindowOfAnotherThreadAreHandledWithoutWaitingForIt) {
    bench::TargetProcess distant(bench::WindowAt("hung elsewhere", {200, 200, 600, 500}));
    quor::SharedBlock& b = quor::Block();
    b = {};
    b.RollMsg = ::RegisterWindowMessageA("WM_ROLL");
    b.IgnoreKeyboard = 1;
    const HWND w = distant.window();
    distant.Hang(1500);
    MSG m{w, b.RollMsg, 0, 0, 0, {}};
    const auto start = std::chrono::steady_clock::now();
    quor::GetMsgProc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&m));
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 500) << "1. the roll of a hung window took " << ms << " ms";
    EXPECT_TRUE(quor::IsRolledUp(w));
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).bottom - bench::WindowRect(w).top < 100; }, 4000))
        << "1. rolled up once it answers";
    MSG key{w, WM_KEYDOWN, 'A', 0, 0, {}};
    quor::GetMsgProc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&key));
    EXPECT_EQ(key.message, static_cast<UINT>(WM_NULL)) << "2. its keys are kept from it while the keyboard is cleaned";
    b.IgnoreKeyboard = 0;
    distant.Hang(1500);
    const auto unrollStart = std::chrono::steady_clock::now();
    quor::Unroll(w);
    const auto unrollMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - unrollStart).count();
    EXPECT_LT(unrollMs, 500) << "3. the unroll of a hung window took " << unrollMs << " ms";
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).bottom - bench::WindowRect(w).top == 300; }, 4000))
        << "3. unrolled once it answers";

    // 4. The wheel over its title bar, with this thread having no active window of its own: the
    // window is the active one of its own thread, so its transparency changes.
    ASSERT_TRUE(distant.Activate());
    b.Transparent = 1;
    MOUSEHOOKSTRUCTEX wheel{};
    wheel.hwnd = w;
    wheel.pt = bench::HitPoint(w, HTCAPTION);
    wheel.mouseData = static_cast<DWORD>(static_cast<WORD>(-WHEEL_DELTA)) << 16;
    EXPECT_EQ(quor::MouseProc(HC_ACTION, WM_MOUSEWHEEL, reinterpret_cast<LPARAM>(&wheel)), 1) << "4. the notch is taken";
    EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) > 0 && bench::LayeredAlpha(w) < 255; }))
        << "4. and made it transparent: " << bench::LayeredAlpha(w);
}

TEST(Tables, RollEntryOfAnotherThreadIsNotTheWindows) {
    LocalWindow window;
    quor::SharedBlock& b = quor::Block();
    b = {};
    b.RolledWnd[0] = window.get();
    b.RolledThread[0] = ::GetCurrentThreadId() + 1;  // the handle's earlier owner
    b.nRolled = 1;
    EXPECT_FALSE(quor::IsRolledUp(window.get())) << "a recycled handle does not inherit the entry";
    quor::RollUp(window.get());
    EXPECT_TRUE(quor::IsRolledUp(window.get()));
    EXPECT_EQ(b.nRolled, 2);
    quor::Unroll(window.get());
    EXPECT_EQ(b.nRolled, 1);
    EXPECT_EQ(b.RolledThread[0], ::GetCurrentThreadId() + 1) << "the other entry stays";
}

TEST(Tables, FullRollTableRollsNothingUp) {
    LocalWindow window;
    quor::SharedBlock& b = quor::Block();
    b = {};
    LocalWindow alive;
    for (int i = 0; i < quor::kWindowTable; ++i) {
        b.RolledWnd[i] = alive.get();
        b.RolledThread[i] = ::GetCurrentThreadId();
    }
    b.nRolled = quor::kWindowTable;
    const int before = bench::WindowRect(window.get()).bottom - bench::WindowRect(window.get()).top;
    quor::RollUp(window.get());
    EXPECT_EQ(b.nRolled, quor::kWindowTable);
    EXPECT_EQ(bench::WindowRect(window.get()).bottom - bench::WindowRect(window.get()).top, before)
        << "its height could not be given back, so it keeps it";
    EXPECT_EQ(b.nAlphaTable, 0) << "nothing written past the table";
}

// Snap targets: which windows' rectangles a drag collects.
TEST(SnapTargets, OnlyVisibleRestoredInactiveWindowsOfTheMonitor) {
    quor::SharedBlock& b = quor::Block();
    b = {};
    const RECT plainRect{60, 60, 300, 260}, hiddenRect{320, 60, 560, 260}, minRect{580, 60, 820, 260},
               maxRect{840, 60, 1000, 260}, trayRect{60, 600, 1000, 700}, thinRect{400, 300, 400, 500};
    TargetProcess plain(bench::WindowAt("plain target", plainRect));
    TargetProcess hidden(bench::WindowAt("hidden target", hiddenRect));
    TargetProcess minimized(bench::WindowAt("minimized target", minRect));
    TargetProcess maximized(bench::WindowAt("maximized target", maxRect));
    WindowSpec tray = bench::WindowAt("taskbar target", trayRect);
    tray.cls = "Shell_TrayWnd";
    tray.style = WS_POPUP | WS_VISIBLE;
    TargetProcess taskbar(tray);
    WindowSpec thin = bench::WindowAt("zero width", thinRect);
    thin.style = WS_POPUP | WS_VISIBLE;
    WindowSpec thinBase = thin;
    thinBase.rect = {400, 300, 401, 500};  // made visible at one pixel, then narrowed
    TargetProcess zeroWidth(thinBase);
    ::SetWindowPos(zeroWidth.window(), nullptr, 400, 300, 0, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(hidden.window(), SW_HIDE);
    ::ShowWindow(minimized.window(), SW_MINIMIZE);
    ::ShowWindow(maximized.window(), SW_MAXIMIZE);
    ASSERT_TRUE(bench::WaitFor([&] {
        return !::IsWindowVisible(hidden.window()) && ::IsIconic(minimized.window()) &&
               ::IsZoomed(maximized.window()) && bench::WindowRect(zeroWidth.window()).right == 400;
    }));
    LocalWindow active;  // the active window of this thread, as the dragged window is in its own
    ::SetActiveWindow(active.get());
    ASSERT_EQ(::GetActiveWindow(), active.get());

    quor::CollectSnapTargets({400, 400}, active.get());
    EXPECT_TRUE(HasTarget(plainRect)) << "a visible window";
    EXPECT_FALSE(HasTarget(hiddenRect)) << "hidden";
    EXPECT_FALSE(HasTarget(bench::WindowRect(minimized.window()))) << "minimized";
    EXPECT_FALSE(HasTarget(bench::WindowRect(maximized.window()))) << "maximized";
    EXPECT_FALSE(HasTarget(trayRect)) << "the taskbar";
    EXPECT_FALSE(HasTarget(bench::WindowRect(zeroWidth.window()))) << "zero width";
    EXPECT_FALSE(HasTarget(bench::WindowRect(active.get()))) << "the active (dragged) window";
    // Dragged from the hooks' thread, a window of another thread is not this thread's active one.
    quor::CollectSnapTargets({400, 400}, plain.window());
    EXPECT_FALSE(HasTarget(plainRect)) << "the dragged window of another thread";
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromPoint({400, 400}, MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_EQ(b.DragArea, quor::ToRect(info.rcWork)) << "the monitor's work area";
    EXPECT_EQ(b.DragMonitor, ::MonitorFromPoint({400, 400}, MONITOR_DEFAULTTONEAREST));
}

TEST(SnapTargets, TheFirst256InZOrderOnly) {
    quor::SharedBlock& b = quor::Block();
    b = {};
    WindowSpec many = bench::WindowAt("many targets", {100, 100, 300, 250});
    many.windowCount = 300;
    TargetProcess helper(many);
    const auto windows = helper.windows();
    ASSERT_EQ(windows.size(), 300u);
    quor::CollectSnapTargets({400, 400}, nullptr);
    EXPECT_EQ(b.nSnapRect, quor::kWindowTable);
    EXPECT_TRUE(HasTarget(bench::WindowRect(windows.back()))) << "the topmost";
    EXPECT_FALSE(HasTarget(bench::WindowRect(windows.front()))) << "the lowest of 300 is past the 256";
}

TEST(SnapTargets, MdiSiblingsInTheParentsClientArea) {
    quor::SharedBlock& b = quor::Block();
    b = {};
    WindowSpec spec = bench::WindowAt("mdi targets", {100, 100, 900, 700});
    spec.cls = "QuorMdiFrame";
    spec.kind = "mdi";
    spec.windowCount = 3;
    TargetProcess frame(spec);
    const HWND dragged = frame.mdiChild();
    const HWND sibling = ::FindWindowExA(frame.mdiClient(), nullptr, nullptr, "child 2");
    const HWND minimized = ::FindWindowExA(frame.mdiClient(), nullptr, nullptr, "child 3");
    ASSERT_TRUE(dragged && sibling && minimized);
    ::ShowWindow(minimized, SW_MINIMIZE);
    ASSERT_TRUE(bench::WaitFor([&] { return ::IsIconic(minimized) != FALSE; }));
    ASSERT_TRUE(quor::IsEligibleWindow(dragged));
    // Children have no frame of the window manager's: whatever it would say of windows, the
    // children keep their rectangles.
    quor::SetFrameInsetsProvider(SevenPixelBorder);
    quor::CollectSnapTargets({300, 300}, dragged);
    quor::SetFrameInsetsProvider(nullptr);
    EXPECT_EQ(b.DragInsets, quor::kNoInsets) << "the dragged child's rectangle is its frame";
    EXPECT_EQ(b.nSnapRect, 1);
    EXPECT_TRUE(HasTarget(bench::WindowRect(sibling))) << "the sibling's rectangle, in screen coordinates";
    RECT client{};
    ::GetClientRect(frame.mdiClient(), &client);
    ::MapWindowPoints(frame.mdiClient(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(b.DragArea, quor::ToRect(client)) << "the parent's client area";
    EXPECT_EQ(b.ChildOffset.x, -client.left);
    EXPECT_EQ(b.ChildOffset.y, -client.top);
}

// The placing commands, on a window of another process and on an MDI child.
// Called here for another program's windows: each is placed without waiting for its thread, and
// is read once that thread has taken the change.
TEST(Placement, CentreAndMaximizeOneWay) {
    const RECT work = bench::WorkArea();
    TargetProcess target(bench::WindowAt("placed", {100, 100, 500, 400}));
    const HWND w = target.window();
    quor::CenterWindow(w);
    target.SyncInput();
    RECT r = bench::WindowRect(w);
    EXPECT_EQ(r.left, work.left + ((work.right - work.left) - 400) / 2) << "1. centred";
    EXPECT_EQ(r.top, work.top + ((work.bottom - work.top) - 300) / 2);
    ::SetWindowPos(w, nullptr, 100, 100, 400, 300, SWP_NOZORDER);
    quor::MaximizeVertical(w);
    target.SyncInput();
    r = bench::WindowRect(w);
    EXPECT_EQ(r.left, 100) << "2. vertically";
    EXPECT_EQ(r.top, work.top);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom, work.bottom);
    ::SetWindowPos(w, nullptr, 100, 100, 400, 300, SWP_NOZORDER);
    quor::MaximizeHorizontal(w);
    target.SyncInput();
    r = bench::WindowRect(w);
    EXPECT_EQ(r.left, work.left) << "3. horizontally";
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.bottom - r.top, 300);

    WindowSpec spec = bench::WindowAt("placed mdi", {100, 100, 900, 700});
    spec.cls = "QuorMdiFrame";
    spec.kind = "mdi";
    TargetProcess frame(spec);
    const HWND child = frame.mdiChild();
    RECT client{};
    ::GetClientRect(frame.mdiClient(), &client);
    auto inClient = [&] {
        frame.SyncInput();
        RECT c = bench::WindowRect(child);
        ::MapWindowPoints(nullptr, frame.mdiClient(), reinterpret_cast<POINT*>(&c), 2);
        return c;
    };
    quor::CenterWindow(child);
    r = inClient();
    EXPECT_EQ(r.left, (client.right - 200) / 2) << "4. centred in the parent's client area";
    EXPECT_EQ(r.top, (client.bottom - 150) / 2);
    quor::MaximizeVertical(child);
    r = inClient();
    EXPECT_EQ(r.top, 0) << "5. vertically in the parent";
    EXPECT_EQ(r.bottom, client.bottom);
    EXPECT_EQ(r.right - r.left, 200);
    quor::MaximizeHorizontal(child);
    r = inClient();
    EXPECT_EQ(r.left, 0) << "6. horizontally in the parent";
    EXPECT_EQ(r.right, client.right);
}

}  // namespace
