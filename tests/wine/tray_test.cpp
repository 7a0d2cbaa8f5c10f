// Windows hidden behind icons of their own come back, whatever state their program is in, and
// no way of installing or removing the hooks loses one.
#include "tests/wine/support/hooked_fixture.h"

#include <cstring>

namespace {

using bench::TargetProcess;

constexpr auto At = bench::WindowAt;
constexpr UINT kCallbackBase = 1524;

class TrayTest : public bench::HookedTest {
protected:
    // Records the window in `slot` as hiding it would, with its icon on the library's hidden window.
    static void Hide(HWND w, int slot, LONG_PTR savedExStyle) {
        quor::SharedBlock& b = bench::Block();
        quor::NotifyIconRecord& icon = b.TrayIcon[slot];
        icon = {};
        icon.cbSize = sizeof icon;
        icon.hWnd = b.DummyWnd;
        icon.uID = static_cast<UINT>(slot);
        icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        icon.uCallbackMessage = kCallbackBase + slot;
        icon.hIcon = ::LoadIconA(nullptr, IDI_QUESTION);
        std::strcpy(icon.szTip, "hidden");
        NOTIFYICONDATAA record{};
        std::memcpy(&record, &icon, sizeof icon);
        ::Shell_NotifyIconA(NIM_ADD, &record);
        ::ShowWindow(w, SW_HIDE);
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(w); }));
        b.TrayWnd[slot] = w;
        b.TrayExStyle[slot] = savedExStyle;
        if (b.TrayHigh < slot) b.TrayHigh = slot;
    }
    static void Hide(HWND w, int slot) { Hide(w, slot, ::GetWindowLongPtrA(w, GWL_EXSTYLE)); }
    // What the shell sends the icon's window when the icon is clicked.
    static void ClickIcon(int slot, UINT button) {
        ::PostMessageA(bench::Block().DummyWnd, kCallbackBase + slot, slot, button);
    }
    static bool ShownAgain(HWND w) { return bench::WaitFor([&] { return ::IsWindowVisible(w) != FALSE; }, 4000); }
};

TEST_F(TrayTest, IconClicksRestoreInTheShellsOrder) {
    TargetProcess a(At("tray a", {100, 100, 400, 300}));
    TargetProcess b(At("tray b", {450, 100, 750, 300}));
    TargetProcess c(At("tray c", {800, 100, 1100, 300}));
    const LONG_PTR savedA = ::GetWindowLongPtrA(a.window(), GWL_EXSTYLE) | WS_EX_ACCEPTFILES;
    Hide(a.window(), 0, savedA);
    Hide(b.window(), 1);
    Hide(c.window(), 2);

    ClickIcon(1, WM_LBUTTONDOWN);
    b.SyncInput();
    EXPECT_FALSE(::IsWindowVisible(b.window())) << "1. a press alone restores nothing";

    // Busy while its messages arrive, so that all of them wait in its queue in the order sent.
    a.ResetCounts();
    a.Hang(300);
    ClickIcon(0, WM_LBUTTONUP);
    EXPECT_TRUE(ShownAgain(a.window())) << "2. left button";
    EXPECT_EQ(bench::Block().TrayWnd[0], nullptr);
    EXPECT_TRUE(bench::WaitFor([&] { return a.Count(WM_SYSCOMMAND) >= 1; }));
    const int null = a.FirstSeen(WM_NULL), paint = a.FirstSeen(WM_PAINT), command = a.FirstSeen(WM_SYSCOMMAND);
    EXPECT_TRUE(null > 0 && null < paint && paint < command)
        << "2. WM_NULL, WM_PAINT, then SC_RESTORE: " << null << ", " << paint << ", " << command;
    EXPECT_EQ(::SendMessageA(a.window(), bench::kQueryLastWParam, WM_SYSCOMMAND, 0), SC_RESTORE);
    EXPECT_TRUE(bench::WaitFor([&] { return ::GetWindowLongPtrA(a.window(), GWL_EXSTYLE) == savedA; }))
        << "2. the saved extended style is written back";

    ClickIcon(1, WM_RBUTTONUP);
    EXPECT_TRUE(ShownAgain(b.window())) << "3. right button";
    ClickIcon(2, WM_MBUTTONUP);
    EXPECT_TRUE(ShownAgain(c.window())) << "4. middle button";
    EXPECT_EQ(bench::Block().TrayWnd[2], nullptr);
}

TEST_F(TrayTest, BusyWindowComesBackFromEveryRestore) {
    TargetProcess busy(At("busy in tray", {200, 200, 600, 500}));
    const HWND w = busy.window();

    Hide(w, 3);
    busy.Hang(800);
    SetTaskTray(0);
    EXPECT_TRUE(ShownAgain(w)) << "1. turning the setting off";
    EXPECT_EQ(bench::Block().TrayWnd[3], nullptr);
    SetTaskTray(1);

    Hide(w, 0);
    busy.Hang(800);
    ClickIcon(0, WM_LBUTTONUP);
    EXPECT_TRUE(ShownAgain(w)) << "2. its icon";

    Hide(w, 7);
    busy.Hang(800);
    resident_.reset();  // removes the hooks
    EXPECT_TRUE(ShownAgain(w)) << "3. the library stopping";
    EXPECT_EQ(bench::Block().TrayWnd[7], nullptr);
}

TEST_F(TrayTest, InstallingTheHooksAgainLosesNoHiddenWindow) {
    TargetProcess target(At("hidden through reinstall", {200, 200, 600, 500}));
    const HWND w = target.window();
    Hide(w, 4);
    ASSERT_NE(resident_->Reinstall(), nullptr);
    EXPECT_EQ(bench::Block().TrayWnd[4], w) << "1. the same icon window: the record stays";
    EXPECT_FALSE(::IsWindowVisible(w));
    ClickIcon(4, WM_LBUTTONUP);
    EXPECT_TRUE(ShownAgain(w)) << "1. and its icon still brings it back";

    Hide(w, 5);
    {
        // Installed from another thread, the icons' window is another: the window comes back.
        bench::ResidentThread another;
        EXPECT_TRUE(ShownAgain(w)) << "2. installed elsewhere";
        EXPECT_EQ(bench::Block().TrayWnd[5], nullptr);
    }
}

}  // namespace
