// The wheel sent elsewhere: to the window under the cursor (which may be activated), over the
// taskbar to switch the virtual screen, over the desktop to change the volume.
#include "tests/wine/support/hooked_fixture.h"

#include <commctrl.h>

#include <chrono>

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

constexpr auto At = bench::WindowAt;

POINT CentreOf(HWND w) {
    const RECT r = bench::WindowRect(w);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

HWND FocusIn(HWND w) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(w, nullptr), &info);
    return info.hwndFocus;
}

class RedirectTest : public bench::HookedTest {
protected:
    void SetUp() override {
        HookedTest::SetUp();
        SetRedirect(1);
    }
};

WindowSpec Folder(const char* title, RECT rect, const char* cls = "QuorTarget") {
    WindowSpec spec = At(title, rect);
    spec.kind = "folder";
    spec.cls = cls;
    return spec;
}

TEST_F(RedirectTest, ActivationFocusesTheScrollableControlUnderTheCursor) {
    TargetProcess folder(Folder("scrolled", {620, 150, 1020, 500}));
    TargetProcess focus(At("had the focus", {100, 150, 500, 500}));
    const HWND list = folder.listView();
    ASSERT_TRUE(focus.Activate());
    const POINT p = CentreOf(list);

    bench::Wheel(p.x, p.y, -WHEEL_DELTA);
    folder.SyncInput();
    EXPECT_EQ(::GetForegroundWindow(), focus.window()) << "1. without RedirectActive nothing is activated";

    SetRedirectActive(1);
    folder.ResetCounts();
    bench::Wheel(p.x, p.y + 10, -WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return ::GetForegroundWindow() == folder.window(); }))
        << "2. the window under the cursor comes to the front";
    EXPECT_TRUE(bench::WaitFor([&] { return FocusIn(list) == list; })) << "2. its list gets the focus";
    EXPECT_TRUE(bench::WaitFor([&] { return folder.Count(WM_MOUSEWHEEL, true) == 1; })) << "2. the notch, once";
    const WPARAM wParam = static_cast<WPARAM>(::SendMessageA(folder.window(), bench::kQueryLastWParam, WM_MOUSEWHEEL, 1));
    EXPECT_EQ(static_cast<short>(HIWORD(wParam)), -WHEEL_DELTA) << "2. the delta in the high word";
    EXPECT_EQ(LOWORD(wParam), 0) << "2. no key state";
    EXPECT_EQ(folder.LastLParam(WM_MOUSEWHEEL, true), MAKELPARAM(p.x, p.y + 10)) << "2. the screen point";

    ASSERT_TRUE(focus.Activate());
    {
        bench::HeldKey shift(VK_SHIFT);
        bench::Wheel(p.x, p.y + 20, -WHEEL_DELTA);
        folder.SyncInput();
    }
    EXPECT_EQ(::GetForegroundWindow(), focus.window()) << "3. with Shift the library does nothing";
    {
        bench::HeldKey ctrl(VK_CONTROL);
        bench::Wheel(p.x, p.y + 30, -WHEEL_DELTA);
        folder.SyncInput();
    }
    EXPECT_EQ(::GetForegroundWindow(), focus.window()) << "4. nor with Ctrl";
}

TEST_F(RedirectTest, ComboDropDownIsNotActivatedAndExcelComesForward) {
    SetRedirectActive(1);
    WindowSpec drop = At("drop-down", {620, 150, 1020, 400});
    drop.cls = "ComboLBox";
    drop.style = WS_POPUP | WS_BORDER | WS_VISIBLE;
    TargetProcess combo(drop);
    TargetProcess focus(At("keeps the focus", {100, 150, 500, 500}));
    ASSERT_TRUE(focus.Activate());
    const POINT p = CentreOf(combo.window());
    bench::Wheel(p.x, p.y, -WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return combo.Count(WM_MOUSEWHEEL) == 1; })) << "1. the notch reaches it";
    EXPECT_EQ(::GetForegroundWindow(), focus.window()) << "1. nothing is activated";

    TargetProcess sheet(Folder("book1", {620, 420, 1020, 800}, "XLMAIN"));
    const POINT q = CentreOf(sheet.listView());
    bench::Wheel(q.x, q.y, -WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return ::GetForegroundWindow() == sheet.window(); }))
        << "2. the XLMAIN ancestor comes to the front";
}

TEST_F(RedirectTest, TaskbarWheelSwitchesBetweenTwoScreens) {
    SetVD(1);
    quor::SharedBlock& b = bench::Block();
    b.VDScreen = 0;
    b.nHiddenSaved = 0;
    WindowSpec bar = At("virtual taskbar", {0, 950, 1280, 1000});
    bar.cls = "Shell_TrayWnd";
    bar.style = WS_POPUP | WS_VISIBLE;
    TargetProcess taskbar(bar);
    TargetProcess lower(At("screen window lower", {100, 100, 500, 400}));
    TargetProcess upper(At("screen window upper", {300, 200, 700, 500}));
    ASSERT_TRUE(upper.Activate());
    ASSERT_TRUE(bench::IsAbove(upper.window(), lower.window()));
    const POINT p = CentreOf(taskbar.window());
    auto notch = [&](int delta, int step) {
        bench::Wheel(p.x + step, p.y, delta);
        taskbar.SyncInput();
    };
    auto minimized = [&] { return ::IsIconic(lower.window()) && ::IsIconic(upper.window()); };
    auto restored = [&] { return !::IsIconic(lower.window()) && !::IsIconic(upper.window()); };

    notch(WHEEL_DELTA, 0);
    EXPECT_EQ(b.VDScreen, 0) << "1. on screen 0 a notch away from the user does nothing";
    EXPECT_TRUE(restored());
    notch(-WHEEL_DELTA, 4);
    EXPECT_EQ(b.VDScreen, 1) << "2. towards the user: screen 1";
    EXPECT_TRUE(bench::WaitFor(minimized)) << "2. the windows of screen 0 are minimized";
    notch(-WHEEL_DELTA, 8);
    EXPECT_EQ(b.VDScreen, 1) << "3. on screen 1 a notch towards the user does nothing";
    notch(WHEEL_DELTA, 12);
    EXPECT_EQ(b.VDScreen, 0) << "4. away from the user: screen 0 again";
    EXPECT_TRUE(bench::WaitFor(restored)) << "4. its windows are back";
    EXPECT_TRUE(bench::WaitFor([&] { return bench::IsAbove(upper.window(), lower.window()); })) << "4. in their Z order";
    notch(-40, 16);
    EXPECT_EQ(b.VDScreen, 1) << "5. a partial notch switches";
    notch(40, 20);
    EXPECT_EQ(b.VDScreen, 0) << "6. either way";
    EXPECT_TRUE(bench::WaitFor(restored));

    // 7. A hung window among the set: the others are still minimized, and no one waits for long.
    TargetProcess hung(At("screen window hung", {500, 300, 900, 600}));
    hung.Hang(4000);
    const auto start = std::chrono::steady_clock::now();
    notch(-WHEEL_DELTA, 24);
    EXPECT_TRUE(bench::WaitFor(minimized)) << "7. the others are minimized";
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 2500) << "7. the switch took " << ms << " ms";
    notch(WHEEL_DELTA, 28);
    EXPECT_TRUE(bench::WaitFor(restored)) << "8. and restored";
}

// The desktop stand-in takes the notch in its own process, whose mixer it reports: winmm's volume
// is per process under Wine.
class VolumeTest : public ::testing::Test {
protected:
    void Start(bool sound) {
        WindowSpec spec = At("Program Manager", {700, 400, 1200, 900});
        spec.kind = "desktop";
        spec.style = WS_POPUP | WS_VISIBLE;
        spec.noSound = !sound;
        desktop_ = std::make_unique<TargetProcess>(spec);
        bench::ResetSettings();
        resident_ = std::make_unique<bench::ResidentThread>();
        ASSERT_EQ(bench::Block().DeskListView, desktop_->listView());
        SetRedirect(1);
        SetVolume(1);
        SetVolumeDelta(1000);
    }
    void TearDown() override {
        resident_.reset();
        SetVolume(0);
        SetVolumeDelta(100);
        bench::ResetSettings();
    }
    void Notch(int delta) {
        POINT p{300 + 10 * (notches_++ % 5), 300};
        ::ClientToScreen(desktop_->listView(), &p);
        bench::Wheel(p.x, p.y, delta);
        desktop_->SyncInput();
    }
    std::unique_ptr<TargetProcess> desktop_;
    std::unique_ptr<bench::ResidentThread> resident_;
    int notches_ = 0;
};

TEST_F(VolumeTest, NotchOverTheDesktopStepsTheMixerWithinItsScale) {
    Start(true);
    ASSERT_TRUE(desktop_->SetVolume(30000)) << "the bench's sound server gives a mixer";
    Notch(WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return desktop_->Volume() == 31000; })) << "1. away from the user: up by 1000";
    Notch(-WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return desktop_->Volume() == 30000; })) << "2. towards: down by 1000";
    ASSERT_TRUE(desktop_->SetVolume(65000));
    Notch(WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return desktop_->Volume() == 65535; })) << "3. clamped at the top";
    ASSERT_TRUE(desktop_->SetVolume(500));
    Notch(-WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return desktop_->Volume() == 0; })) << "4. and at the bottom";
    EXPECT_EQ(desktop_->Count(WM_MOUSEWHEEL, true), 0) << "the notches were taken";

    // 5. The shell ends and a new one starts: its desktop takes the notches too.
    desktop_.reset();
    WindowSpec spec = At("Program Manager", {700, 400, 1200, 900});
    spec.kind = "desktop";
    spec.style = WS_POPUP | WS_VISIBLE;
    desktop_ = std::make_unique<TargetProcess>(spec);
    ::SendMessageA(bench::Block().DummyWnd, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_TRUE(desktop_->SetVolume(30000));
    Notch(WHEEL_DELTA);
    EXPECT_TRUE(bench::WaitFor([&] { return desktop_->Volume() == 31000; })) << "5. the new shell's desktop: up by 1000";
}

TEST_F(VolumeTest, WithoutAMixerNothingHappensAndNothingHangs) {
    Start(false);
    EXPECT_EQ(desktop_->Volume(), -1) << "no sound server: no mixer";
    const auto start = std::chrono::steady_clock::now();
    Notch(WHEEL_DELTA);
    Notch(-WHEEL_DELTA);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 3000);
    EXPECT_EQ(desktop_->Volume(), -1);
    EXPECT_TRUE(desktop_->LibraryLoaded()) << "the desktop lives on";
}

}  // namespace
