// white-box: calls the library's code directly (linked in), against windows of other processes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>

#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_roll.h"
#include "hooklib/window/drag_engine.h"
#include "hooklib/window/eligibility.h"
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

TEST(Tables, FullRollTableRollsNothingUp) {
    LocalWindow window;
    quor::SharedBlock& b = quor::Block();
    b = {};
    b.nRolled = quor::kWindowTable;
    const int before = bench::WindowRect(window.get()).bottom - bench::WindowRect(window.get()).top;
    quor::RollUp(window.get());
    EXPECT_EQ(b.nRolled, quor::kWindowTable);
    EXPECT_EQ(bench::WindowRect(window.get()).bottom - bench::WindowRect(window.get()).top, before)
        << "its height could not be given back, so it keeps it";
    EXPECT_EQ(b.nAlphaTable, 0) << "nothing written past the table";
}

}  // namespace
