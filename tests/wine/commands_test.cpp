// The 34 commands, run as a person runs them: a right press on another program's title bar with
// the command in that slot; and the protected copy that decides which texts run at all.
#include "tests/wine/support/hooked_fixture.h"

#include "hooklib/commands/command_names.h"

#include <sddl.h>

#include <chrono>

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

constexpr auto At = bench::WindowAt;

using namespace quor::commands;
constexpr int kCaptionRightSlot = 12;

bool Topmost(HWND w) { return (::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class CommandTest : public bench::HookedTest {
protected:
    // A right press on the title bar with `command` in the slot; each press lands elsewhere, so
    // that two in a row never make a double-click.
    void RunOnCaption(const TargetProcess& target, HWND w, int command) {
        SetMouseCut(kCaptionRightSlot, GetMouseCutCmd(command));
        POINT p = bench::HitPoint(w, HTCAPTION);
        p.x += 14 * (presses_++ % 5) - 28;
        target.ResetCounts();
        bench::Click(p.x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        if (::IsWindow(w)) target.SyncInput();
    }
    // A command that did nothing answers 0, and the press then reaches the window.
    static bool PressDelivered(const TargetProcess& target) { return target.Count(WM_NCRBUTTONDOWN) == 1; }
    int presses_ = 0;
};

TEST_F(CommandTest, TopmostAndBottom) {
    TargetProcess a(At("z order a", {100, 100, 400, 400}));
    TargetProcess b(At("z order b", {450, 100, 750, 400}));
    const HWND w = a.window();
    RunOnCaption(a, w, kTopmost);
    EXPECT_TRUE(bench::WaitFor([&] { return Topmost(w); })) << "1. always on top";
    EXPECT_FALSE(PressDelivered(a)) << "1. the command took the press";
    RunOnCaption(a, w, kNotTopmost);
    EXPECT_TRUE(bench::WaitFor([&] { return !Topmost(w); })) << "2. no longer";
    RunOnCaption(a, w, kToggleTopmost);
    EXPECT_TRUE(bench::WaitFor([&] { return Topmost(w); })) << "3. toggled on";
    RunOnCaption(a, w, kToggleTopmost);
    EXPECT_TRUE(bench::WaitFor([&] { return !Topmost(w); })) << "4. toggled off";
    b.Activate();
    a.Activate();
    ASSERT_TRUE(bench::IsAbove(w, b.window()));
    RunOnCaption(a, w, kToBottom);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::IsAbove(b.window(), w); })) << "5. sent to the bottom";
}

TEST_F(CommandTest, CloseAndMinimizeOnlyWhereTheyFit) {
    TargetProcess plain(At("to minimize", {100, 100, 500, 400}));
    RunOnCaption(plain, plain.window(), kMinimize);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsIconic(plain.window()) != FALSE; })) << "1. minimized";

    WindowSpec noBox = At("no minimize box", {100, 100, 500, 400});
    noBox.style = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE;
    TargetProcess fixed(noBox);
    RunOnCaption(fixed, fixed.window(), kMinimize);
    EXPECT_FALSE(::IsIconic(fixed.window())) << "2. no minimize box: nothing";
    EXPECT_TRUE(PressDelivered(fixed)) << "2. and the press reaches the window";

    WindowSpec bare = At("no system menu", {100, 100, 500, 400});
    bare.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    TargetProcess noMenu(bare);
    RunOnCaption(noMenu, noMenu.window(), kClose);
    EXPECT_TRUE(::IsWindow(noMenu.window())) << "3. no system menu, not a tool window: nothing";
    EXPECT_TRUE(PressDelivered(noMenu)) << "3. and the press reaches the window";

    WindowSpec tool = bare;
    tool.title = "tool window";
    tool.exStyle = WS_EX_TOOLWINDOW;
    TargetProcess toolWindow(tool);
    const HWND t = toolWindow.window();
    RunOnCaption(toolWindow, t, kClose);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(t); })) << "4. a tool window is closed";

    TargetProcess closing(At("to close", {100, 100, 500, 400}));
    const HWND c = closing.window();
    RunOnCaption(closing, c, kClose);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(c); })) << "5. closed through its system menu";
}

TEST_F(CommandTest, PlacingCommands) {
    const RECT work = bench::WorkArea();
    TargetProcess target(At("placed by command", {100, 100, 500, 400}));
    const HWND w = target.window();
    RunOnCaption(target, w, kCentre);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).left == work.left + (work.right - work.left - 400) / 2; }))
        << "1. centred";
    RunOnCaption(target, w, kMaximizeVertically);
    EXPECT_TRUE(bench::WaitFor([&] {
        const RECT r = bench::WindowRect(w);
        return r.top == work.top && r.bottom == work.bottom && r.right - r.left == 400;
    })) << "2. full height";
    RunOnCaption(target, w, kMaximizeHorizontally);
    EXPECT_TRUE(bench::WaitFor([&] {
        const RECT r = bench::WindowRect(w);
        return r.left == work.left && r.right == work.right;
    })) << "3. full width";
}

TEST_F(CommandTest, RollTranslucentAndTray) {
    TargetProcess target(At("rolled by command", {100, 100, 500, 400}));
    const HWND w = target.window();
    RunOnCaption(target, w, kRollUp);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).bottom - bench::WindowRect(w).top < 100; }))
        << "1. rolled up";
    RunOnCaption(target, w, kRollUp);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).bottom - bench::WindowRect(w).top == 300; }))
        << "2. and back";

    SetAlpha(200);
    RunOnCaption(target, w, kTranslucent);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == 200; })) << "3. translucent at Alpha";
    RunOnCaption(target, w, kTranslucent);
    EXPECT_TRUE(bench::WaitFor([&] { return !(::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_LAYERED); }))
        << "4. opaque again";
    const quor::SharedBlock& b = bench::Block();
    const auto low = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(w));
    bool recorded = false;
    for (int i = 0; i < quor::CountOf(b.nAlphaTable, quor::kWindowTable); ++i)
        if (b.AlphaTable[i].window == low) recorded = b.AlphaTable[i].alpha == 255;
    EXPECT_TRUE(recorded) << "4. and 255 recorded for it";

    RunOnCaption(target, w, kToTray);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(w); })) << "5. into the notification area";
    SetTaskTray(0);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(w) != FALSE; }));
}

TEST_F(CommandTest, MuteToggledTwice) {
    TargetProcess target(At("mute by command", {100, 100, 500, 400}));
    const int before = target.Mute();
    ASSERT_GE(before, 0) << "the helper has a mixer (the bench's sound server)";
    RunOnCaption(target, target.window(), kToggleMute);
    EXPECT_TRUE(bench::WaitFor([&] { return target.Mute() == !before; })) << "1. toggled";
    RunOnCaption(target, target.window(), kToggleMute);
    EXPECT_TRUE(bench::WaitFor([&] { return target.Mute() == before; })) << "2. and back";
}

TEST_F(CommandTest, TaskbarSlotWithAWindowCommandChangesNoWindow) {
    WindowSpec spec = At("taskbar for commands", {0, 800, 1280, 900});
    spec.cls = "Shell_TrayWnd";
    spec.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    TargetProcess taskbar(spec);
    TargetProcess other(At("untouched", {100, 100, 500, 400}));
    SetMouseCut(20, GetMouseCutCmd(kTopmost));
    const POINT p = bench::HitPoint(taskbar.window(), HTCAPTION);
    bench::Click(p.x, p.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    taskbar.SyncInput();
    EXPECT_FALSE(bench::WaitFor([&] { return Topmost(taskbar.window()) || Topmost(other.window()); }, 1000));
}

TEST_F(CommandTest, OnlyTextsSetThroughTheLibraryRun) {
    TargetProcess target(At("command lines", {100, 100, 500, 400}));
    const HWND w = target.window();
    SetMouseCut(kCaptionRightSlot, "no-such-program-anywhere.exe");
    POINT p = bench::HitPoint(w, HTCAPTION);
    bench::Click(p.x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    target.SyncInput();
    EXPECT_EQ(target.Count(WM_NCRBUTTONDOWN), 0) << "1. a text naming nothing starts nothing, and still answers 1";

    // 2. Written into the shared block directly, as any program that maps the library could.
    std::snprintf(bench::Block().MouseCut[kCaptionRightSlot], quor::kTextSlot, "qmark.exe %d",
                  bench::kMarkBase + kCaptionRightSlot);
    target.ResetCounts();
    bench::Click(p.x + 20, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    target.SyncInput();
    EXPECT_TRUE(bench::NothingRan()) << "2. a text the resident program did not set runs nothing";
    EXPECT_EQ(target.Count(WM_NCRBUTTONDOWN), 1) << "2. and the press reaches the window";

    bench::SetMarkingSlot(kCaptionRightSlot);
    bench::Click(p.x - 20, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(bench::SlotRan(kCaptionRightSlot)) << "3. the same text set through the library runs";
}

// The copy must be the one the library made: a mapping of its name made first by another program,
// with another descriptor, makes every slot run nothing.
TEST(SlotAuthority, AnotherProgramsMappingOfThatNameRunsNothing) {
    PSECURITY_DESCRIPTOR everyone = nullptr;
    ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;GA;;;WD)", SDDL_REVISION_1, &everyone,
                                                                      nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, everyone, FALSE};
    quor::unique_handle squatter(::CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0,
                                                      quor::kMouseCutSlots * quor::kTextSlot,
                                                      "Local\\QuorvelleMouseCuts"));
    ::LocalFree(everyone);
    ASSERT_TRUE(squatter) << "made before anything of the library's";
    ASSERT_NE(::GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "this test program maps it first";

    bench::ResetSettings();
    bench::ResidentThread resident;
    TargetProcess target(At("squatted", {100, 100, 500, 400}));
    bench::SetMarkingSlot(kCaptionRightSlot);
    const POINT p = bench::HitPoint(target.window(), HTCAPTION);
    bench::Click(p.x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    target.SyncInput();
    EXPECT_TRUE(bench::NothingRan());
    EXPECT_EQ(target.Count(WM_NCRBUTTONDOWN), 1) << "the press reaches the window";
    bench::ResetSettings();
}

}  // namespace
