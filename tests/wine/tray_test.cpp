// Windows hidden behind icons of their own come back, whatever state their program is in, and
// no way of installing or removing the hooks loses one.
#include "tests/wine/support/hooked_fixture.h"

#include "platform/unique_any.h"

#include <cstring>
#include <string>

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

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

    // Windows that end while hidden give back their slots and take their icons with them.
    const HWND dummy = bench::Block().DummyWnd;
    Hide(a.window(), 3);
    ::PostMessageA(a.window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(a.window()); }));
    EXPECT_TRUE(bench::WaitFor([&] { return bench::Block().TrayWnd[3] == nullptr; })) << "5. a window destroyed";
    EXPECT_FALSE(bench::NotificationIconRegistered(dummy, 3)) << "5. its icon gone";
    Hide(b.window(), 4);
    quor::unique_handle killed(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, b.processId()));
    ASSERT_TRUE(killed && ::TerminateProcess(killed.get(), 9));
    ::WaitForSingleObject(killed.get(), 5000);
    // A new notification area, which knows none of the old icons.
    NOTIFYICONDATAA forgotten{};
    forgotten.cbSize = sizeof forgotten;
    forgotten.hWnd = dummy;
    forgotten.uID = 4;
    ::Shell_NotifyIconA(NIM_DELETE, &forgotten);
    ::SendMessageA(dummy, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(bench::Block().TrayWnd[4], nullptr) << "6. a killed program's window, at the next notification area";
    EXPECT_FALSE(bench::NotificationIconRegistered(dummy, 4)) << "6. not given back as an icon of nothing";
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

// A right press on the minimize button, as a person hides a window.
void RightPressMinimizeButton(const TargetProcess& target) {
    const POINT p = bench::HitPoint(target.window(), HTMINBUTTON);
    ASSERT_NE(p.x, -1);
    bench::Click(p.x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    target.SyncInput();
}

int SlotOf(HWND w) {
    const quor::SharedBlock& b = bench::Block();
    for (int i = 0; i < quor::kWindowTable; ++i)
        if (b.TrayWnd[i] == w) return i;
    return -1;
}

TEST_F(TrayTest, RightPressOnTheMinimizeButtonHidesBehindAnIcon) {
    // A title longer than a tip, in two-byte characters ("あ" in code page 932).
    std::string title;
    for (int i = 0; i < 80; ++i) title += "\x82\xa0";
    TargetProcess first(At(title.c_str(), {100, 100, 400, 300}));
    TargetProcess second(At("second to hide", {450, 100, 750, 300}));
    RightPressMinimizeButton(first);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(first.window()); })) << "1. hidden";
    const int slot = SlotOf(first.window());
    ASSERT_EQ(slot, 0) << "1. in the first slot";
    const quor::NotifyIconRecord& icon = bench::Block().TrayIcon[slot];
    EXPECT_EQ(icon.uCallbackMessage, kCallbackBase) << "1. its callback";
    EXPECT_EQ(icon.uID, 0u);
    EXPECT_EQ(std::string(icon.szTip), title.substr(0, 126)) << "1. the tip cut between characters";
    EXPECT_NE(icon.hIcon, nullptr);
    EXPECT_GE(first.Count(WM_NCRBUTTONDOWN), 1) << "1. the press still reaches the window";

    RightPressMinimizeButton(second);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(second.window()); })) << "2. a second one";
    EXPECT_EQ(SlotOf(second.window()), 1);

    // 3. The notification area made anew forgets the icons; the library gives them back.
    NOTIFYICONDATAA record{};
    std::memcpy(&record, &icon, sizeof icon);
    ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &record)) << "3. the icon was in the notification area";
    EXPECT_FALSE(::Shell_NotifyIconA(NIM_MODIFY, &record)) << "3. and is gone";
    ::SendMessageA(bench::Block().DummyWnd, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(::Shell_NotifyIconA(NIM_MODIFY, &record)) << "3. back after TaskbarCreated";
    ClickIcon(0, WM_LBUTTONUP);
    EXPECT_TRUE(ShownAgain(first.window())) << "3. and its click restores the window";

    SetTaskTray(0);
    EXPECT_TRUE(ShownAgain(second.window())) << "4. turning the setting off brings back the rest";
}

TEST_F(TrayTest, WindowsThatStayOutOfTheNotificationArea) {
    // 1. With all 256 slots taken, one more window stays.
    quor::SharedBlock& b = bench::Block();
    TargetProcess holder(At("holds every slot", {800, 500, 1000, 700}));
    for (int i = 0; i < quor::kWindowTable; ++i) b.TrayWnd[i] = holder.window();
    b.TrayHigh = quor::kWindowTable - 1;
    TargetProcess late(At("the 257th", {100, 100, 400, 300}));
    RightPressMinimizeButton(late);
    EXPECT_TRUE(::IsWindowVisible(late.window())) << "1. the 257th stays";
    for (int i = 0; i < quor::kWindowTable; ++i) b.TrayWnd[i] = nullptr;
    b.TrayHigh = 0;

    // 2. An owned pop-up window and a window without a minimize box, by the command.
    SetMouseCut(12, GetMouseCutCmd(29));
    WindowSpec ownedSpec = At("owned pop-up", {100, 100, 400, 300});
    ownedSpec.kind = "owned";
    ownedSpec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE;
    TargetProcess owned(ownedSpec);
    WindowSpec noBox = At("no minimize box here", {450, 100, 750, 300});
    noBox.style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE;
    TargetProcess fixed(noBox);
    for (const TargetProcess* target : {&owned, &fixed}) {
        const POINT p = bench::HitPoint(target->window(), HTCAPTION);
        bench::Click(p.x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        target->SyncInput();
        EXPECT_TRUE(::IsWindowVisible(target->window()));
        EXPECT_EQ(SlotOf(target->window()), -1);
    }
}

}  // namespace
