// The mouse shortcuts: each place with each modifier runs its slot, and the messages that
// reach the windows are the ones the dispatcher lets through.
#include "tests/wine/support/hooked_fixture.h"

#include <commctrl.h>

#include <chrono>

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

constexpr auto At = bench::WindowAt;
// The desktop stand-in must exist before the hooks are installed, which is when the library
// looks for it.
class DesktopTest : public ::testing::Test {
protected:
    virtual bool PeeksFirst() const { return false; }
    void SetUp() override {
        WindowSpec spec = At("Program Manager", {700, 400, 1200, 900});
        spec.kind = "desktop";
        spec.style = WS_POPUP | WS_VISIBLE;
        spec.peekFirst = PeeksFirst();
        desktop_ = std::make_unique<TargetProcess>(spec);
        bench::ResetSettings();
        resident_ = std::make_unique<bench::ResidentThread>();
        ASSERT_EQ(bench::Block().DeskListView, desktop_->listView());
    }
    void TearDown() override {
        resident_.reset();
        bench::ResetSettings();
    }
    // A point of the list view: an empty spot, or the icon of item 0.
    POINT Empty() const { return ListPoint(300, 300); }
    POINT Icon() const {
        const RECT icon = bench::ListItemRect(desktop_->listView(), 0, LVIR_ICON);
        return {(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    }
    // Both icon text settings on: the mouse over the desktop gives its icons the chosen look.
    void ExpectIconLookKept(const char* step) const {
        SetDeskIconTextBk(1);
        SetDeskIconText(1);
        SetDeskIconTextColor(RGB(0, 128, 255));
        const POINT p = Empty();
        bench::MoveMouse(p.x, p.y);
        bench::MoveMouse(p.x + 10, p.y);
        EXPECT_TRUE(bench::WaitFor([&] {
            return ListColour(LVM_GETTEXTCOLOR) == RGB(0, 128, 255) && ListColour(LVM_GETTEXTBKCOLOR) == CLR_NONE;
        })) << step << ": its icons get the chosen look";
    }
    COLORREF ListColour(UINT msg) const {
        DWORD_PTR value = 0;
        ::SendMessageTimeoutA(desktop_->listView(), msg, 0, 0, SMTO_ABORTIFHUNG, 2000, &value);
        return static_cast<COLORREF>(value);
    }
    POINT ListPoint(int x, int y) const {
        POINT p{x, y};
        ::ClientToScreen(desktop_->listView(), &p);
        return p;
    }
    std::unique_ptr<TargetProcess> desktop_;
    std::unique_ptr<bench::ResidentThread> resident_;
};

struct Mods {
    bool ctrl;
    bool shift;
    int offset() const { return (ctrl ? 1 : 0) + (shift ? 2 : 0); }
};
const Mods kAllMods[] = {{false, false}, {true, false}, {false, true}, {true, true}};

// Runs `gesture` with the modifiers held.
template <typename F>
void WithMods(Mods m, F gesture) {
    std::unique_ptr<bench::HeldKey> ctrl, shift;
    if (m.ctrl) ctrl = std::make_unique<bench::HeldKey>(VK_CONTROL);
    if (m.shift) shift = std::make_unique<bench::HeldKey>(VK_SHIFT);
    gesture();
}

// Every slot of a place holds the marking command line.
void MarkAll(int base) {
    for (int offset = 0; offset < 4; ++offset) bench::SetMarkingSlot(base + offset);
}

TEST_F(DesktopTest, TheDesktopIsFoundAgainAfterTheShellRestartsOrMovesItUnderAWorkerW) {
    bench::SetMarkingSlot(0);
    const auto doubleClickRuns = [&](const char* step) {
        const POINT p = Empty();
        SetShowDesk(0);
        bench::DoubleClick(p.x, p.y);
        EXPECT_TRUE(bench::SlotRan(0)) << step << ": a double-click on the desktop runs its slot" << bench::WhatRan();
    };
    WindowSpec spec = At("Program Manager", {700, 400, 1200, 900});
    spec.kind = "desktop";
    spec.style = WS_POPUP | WS_VISIBLE;
    desktop_.reset();  // the shell ends, and a new one starts
    desktop_ = std::make_unique<TargetProcess>(spec);
    ::SendMessageA(bench::Block().DummyWnd, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_EQ(bench::Block().DeskListView, desktop_->listView()) << "1. found again when the shell says so";
    doubleClickRuns("1");
    ExpectIconLookKept("1. the new desktop");

    spec.cls = "WorkerW";  // a shell that keeps its desktop view under a WorkerW, and says nothing
    desktop_.reset();
    desktop_ = std::make_unique<TargetProcess>(spec);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::Block().DeskListView == desktop_->listView(); }, 4000))
        << "2. found again once the one held was gone";
    doubleClickRuns("2");
}

TEST_F(DesktopTest, EmptySpotDoubleClickAndMiddlePressRunSlots0To7) {
    MarkAll(0);
    MarkAll(4);
    for (Mods m : kAllMods) {
        const POINT p = Empty();
        SetShowDesk(0);
        WithMods(m, [&] { bench::DoubleClick(p.x + 12 * m.offset(), p.y); });
        EXPECT_TRUE(bench::SlotRan(0 + m.offset())) << "double-click, slot " << m.offset() << bench::WhatRan();
        SetShowDesk(0);
        WithMods(m, [&] { bench::Click(p.x + 40 + 12 * m.offset(), p.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); });
        EXPECT_TRUE(bench::SlotRan(4 + m.offset())) << "middle, slot " << 4 + m.offset() << bench::WhatRan();
    }
    desktop_->SyncInput();
    EXPECT_EQ(desktop_->Count(WM_LBUTTONDBLCLK, true), 4) << "the desktop still gets its double-clicks";
    EXPECT_EQ(desktop_->Count(WM_MBUTTONDOWN, true), 4);
}

TEST_F(DesktopTest, DoubleClickOnAnIconRunsNothing) {
    MarkAll(0);
    const POINT p = Icon();
    bench::DoubleClick(p.x, p.y);
    desktop_->SyncInput();
    EXPECT_TRUE(bench::NothingRan());
    EXPECT_EQ(desktop_->Count(WM_LBUTTONDBLCLK, true), 1);
}

TEST_F(DesktopTest, HungDesktopDoesNotHangOtherPrograms) {
    TargetProcess other(At("busy elsewhere", {100, 100, 500, 400}));
    SetDeskIconTextBk(1);
    SetDeskIconText(1);
    SetDeskIconTextColor(RGB(255, 0, 0));
    desktop_->ResetCounts();
    desktop_->Hang(1500);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i) bench::MoveMouse(200 + i * 10, 200);
    other.SyncInput();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    EXPECT_LT(ms.count(), 1000) << "five moves over another program took " << ms.count() << " ms";
    // Whatever was sent to the list view meanwhile is taken once it wakes, before this query.
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(desktop_->window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored));
    EXPECT_EQ(desktop_->Count(LVM_GETTEXTBKCOLOR, true) + desktop_->Count(LVM_GETTEXTCOLOR, true), 0)
        << "moves in another program sent the desktop nothing";
}

TEST_F(DesktopTest, IconLookIsKeptWhileTheMouseIsOverTheDesktop) { ExpectIconLookKept("the desktop"); }

class PeekingDesktopTest : public DesktopTest {
protected:
    bool PeeksFirst() const override { return true; }
};

TEST_F(PeekingDesktopTest, ShortcutsOfAProgramThatPeeksRunOnce) {
    MarkAll(0);
    MarkAll(4);
    const POINT p = Empty();
    bench::DoubleClick(p.x, p.y);
    desktop_->SyncInput();
    EXPECT_TRUE(bench::SlotRan(0)) << "1. desktop double-click" << bench::WhatRan();
    EXPECT_FALSE(bench::WaitFor([] { return bench::Block().ShowDesk != bench::kMarkBase; }, 1500)) << "1. once";
    SetShowDesk(0);
    bench::Click(p.x + 40, p.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    desktop_->SyncInput();
    EXPECT_TRUE(bench::SlotRan(4)) << "2. desktop middle press" << bench::WhatRan();
    EXPECT_FALSE(bench::WaitFor([] { return bench::Block().ShowDesk != bench::kMarkBase + 4; }, 1500)) << "2. once";
    EXPECT_EQ(desktop_->Count(WM_LBUTTONDBLCLK, true), 1) << "the desktop still gets its double-click";
}

class ShortcutTest : public bench::HookedTest {};

TEST_F(ShortcutTest, TitleBarMiddlePressRunsSlots8To11AndIsAlwaysSwallowed) {
    TargetProcess target(At("middle", {200, 200, 600, 500}));
    const HWND w = target.window();
    const POINT p = bench::HitPoint(w, HTCAPTION);
    bench::Click(p.x, p.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    target.SyncInput();
    EXPECT_EQ(target.Count(WM_NCMBUTTONDOWN), 0) << "1. swallowed even with no command in the slot";
    MarkAll(8);
    for (Mods m : kAllMods) {
        SetShowDesk(0);
        WithMods(m, [&] { bench::Click(p.x + 12 * (m.offset() + 1), p.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); });
        EXPECT_TRUE(bench::SlotRan(8 + m.offset())) << "2. slot " << 8 + m.offset() << bench::WhatRan();
    }
    target.SyncInput();
    EXPECT_EQ(target.Count(WM_NCMBUTTONDOWN), 0) << "2. swallowed";
}

TEST_F(ShortcutTest, TitleBarMiddlePressOfAProgramThatPeeksRunsOnce) {
    WindowSpec spec = At("peeking middle", {200, 200, 600, 500});
    spec.peekFirst = true;
    TargetProcess target(spec);
    bench::SetMarkingSlot(8);
    const POINT p = bench::HitPoint(target.window(), HTCAPTION);
    bench::Click(p.x, p.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_TRUE(bench::SlotRan(8));
    EXPECT_FALSE(bench::WaitFor([] { return bench::Block().ShowDesk != bench::kMarkBase + 8; }, 1500)) << "once";
    target.SyncInput();
    EXPECT_EQ(target.Count(WM_NCMBUTTONDOWN), 0);
}

TEST_F(ShortcutTest, TitleBarRightPressRunsSlots12To15) {
    TargetProcess target(At("right", {200, 200, 600, 500}));
    const HWND w = target.window();
    const POINT p = bench::HitPoint(w, HTCAPTION);
    bench::Click(p.x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    target.SyncInput();
    EXPECT_EQ(target.Count(WM_NCRBUTTONDOWN), 1) << "1. no command: the press is delivered";

    MarkAll(12);
    for (Mods m : kAllMods) {
        SetShowDesk(0);
        target.ResetCounts();
        // Each press lands elsewhere on the caption: two at one point would make a double-click.
        const int x = p.x + 12 * (m.offset() + 1);
        WithMods(m, [&] { bench::Click(x, p.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); });
        EXPECT_TRUE(bench::SlotRan(12 + m.offset())) << "2. slot " << 12 + m.offset() << bench::WhatRan();
        target.SyncInput();
        EXPECT_EQ(target.Count(WM_NCRBUTTONDOWN) + target.Count(WM_RBUTTONDOWN), 0) << "2. press swallowed";
        EXPECT_EQ(target.Count(WM_NCRBUTTONUP) + target.Count(WM_RBUTTONUP), 0) << "2. and its release";
    }
}

TEST_F(ShortcutTest, TaskbarDoubleClickAndMiddlePressRunSlots16To23) {
    WindowSpec spec = At("taskbar", {0, 800, 1280, 900});
    spec.cls = "Shell_TrayWnd";
    spec.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;  // a taskbar does not maximize
    TargetProcess taskbar(spec);
    const HWND w = taskbar.window();
    MarkAll(16);
    MarkAll(20);
    for (Mods m : kAllMods) {
        const POINT p = bench::HitPoint(w, HTCAPTION);
        SetShowDesk(0);
        WithMods(m, [&] { bench::DoubleClick(p.x + 60 * m.offset(), p.y); });
        EXPECT_TRUE(bench::SlotRan(16 + m.offset())) << "double-click, slot " << 16 + m.offset() << bench::WhatRan();
        SetShowDesk(0);
        WithMods(m, [&] { bench::Click(p.x + 12 * m.offset(), p.y + 40, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP); });
        EXPECT_TRUE(bench::SlotRan(20 + m.offset())) << "middle, slot " << 20 + m.offset() << bench::WhatRan();
    }
    taskbar.SyncInput();
    EXPECT_EQ(taskbar.Count(WM_MBUTTONDOWN), 4) << "the taskbar still gets its middle presses";
}

TEST_F(ShortcutTest, UnAvailablePassesEverything) {
    TargetProcess target(At("paused", {200, 200, 600, 500}));
    const HWND w = target.window();
    MarkAll(8);
    SetUnAvailable(1);
    const POINT p = bench::HitPoint(w, HTCAPTION);
    bench::Click(p.x, p.y, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    bench::Click(p.x + 30, p.y);
    target.SyncInput();
    EXPECT_TRUE(bench::NothingRan());
    EXPECT_EQ(target.Count(WM_NCMBUTTONDOWN), 1);
    EXPECT_EQ(target.Count(WM_NCLBUTTONDOWN), 1) << "the drag engine is paused too";
}

TEST_F(ShortcutTest, FolderListEmptySpotDoubleClickGoesUp) {
    WindowSpec spec = At("folder", {200, 200, 700, 600});
    spec.kind = "folder";
    TargetProcess folder(spec);
    const HWND list = folder.listView();
    POINT empty{300, 300};
    ::ClientToScreen(list, &empty);
    bench::DoubleClick(empty.x, empty.y);
    folder.SyncInput();
    EXPECT_EQ(folder.Count(WM_KEYDOWN, true), 0) << "1. ExpUp off: nothing";
    EXPECT_EQ(folder.Count(WM_LBUTTONDBLCLK, true), 1);

    SetExpUp(1);
    folder.ResetCounts();
    bench::DoubleClick(empty.x + 20, empty.y);
    folder.SyncInput();
    EXPECT_TRUE(bench::WaitFor([&] { return folder.Count(WM_KEYDOWN, true) == 1; })) << "2. Backspace posted";
    EXPECT_EQ(::SendMessageA(folder.window(), bench::kQueryLastWParam, WM_KEYDOWN, 1), VK_BACK);
    EXPECT_EQ(folder.Count(WM_LBUTTONDBLCLK, true), 0) << "2. the double-click is swallowed";

    folder.ResetCounts();
    const RECT icon = bench::ListItemRect(list, 0, LVIR_ICON);
    const POINT onIcon{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    bench::DoubleClick(onIcon.x, onIcon.y);
    folder.SyncInput();
    EXPECT_EQ(folder.Count(WM_KEYDOWN, true), 0) << "3. on an icon: no Backspace";
    EXPECT_EQ(folder.Count(WM_LBUTTONDBLCLK, true), 1);
}

}  // namespace
