// The window-message hooks in other processes: window commands give a rolled-up window its height
// back, Shift+minimize hides a window behind an icon until a restore or its program's activation,
// and the keyboard cleaning mode keeps key messages from every window.
#include "tests/wine/support/hooked_fixture.h"

namespace {

using bench::TargetProcess;
using bench::WindowSpec;

constexpr auto At = bench::WindowAt;

int Height(HWND w) {
    const RECT r = bench::WindowRect(w);
    return r.bottom - r.top;
}

UINT RollMessage() { return ::RegisterWindowMessageA("WM_ROLL"); }

int CaptionOnlyHeight() { return ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CXFRAME); }

class MessageHooksTest : public bench::HookedTest {
protected:
    static void RollUp(HWND w) {
        ::PostMessageA(w, RollMessage(), 0, 0);
        ASSERT_TRUE(bench::WaitFor([&] { return Height(w) == CaptionOnlyHeight(); })) << "rolled up";
    }
};

TEST_F(MessageHooksTest, WindowCommandsGiveARolledWindowItsHeightBack) {
    WindowSpec spec = At("rolled commands", {100, 100, 500, 400});
    spec.peekFirst = true;  // every posted message passes the hook twice
    // A command sent while the roll message waits between its peek and its taking is handled in
    // between: the roll is done once, as the message is taken, so that the command is not undone.
    spec.peekPauseMs = 50;
    TargetProcess target(spec);
    const HWND w = target.window();
    const quor::SharedBlock& b = bench::Block();
    struct Step {
        const char* name;
        void (*command)(HWND);
        bool iconic;
        bool zoomed;
    };
    const Step steps[] = {
        {"posted SC_MINIMIZE", [](HWND h) { ::PostMessageA(h, WM_SYSCOMMAND, SC_MINIMIZE, 0); }, true, false},
        {"sent SC_MAXIMIZE", [](HWND h) { ::SendMessageA(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0); }, false, true},
        {"posted SC_MAXIMIZE", [](HWND h) { ::PostMessageA(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0); }, false, true},
        {"posted SC_RESTORE", [](HWND h) { ::PostMessageA(h, WM_SYSCOMMAND, SC_RESTORE, 0); }, false, false},
        {"sent SC_RESTORE", [](HWND h) { ::SendMessageA(h, WM_SYSCOMMAND, SC_RESTORE, 0); }, false, false},
        // No window command: the height goes back through WM_SIZE, to the restored place.
        {"minimized by its program", [](HWND h) { ::ShowWindowAsync(h, SW_MINIMIZE); }, true, false},
    };
    for (const Step& step : steps) {
        ::ShowWindow(w, SW_RESTORE);
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsIconic(w) && !::IsZoomed(w) && Height(w) == 300; }))
            << step.name << ": back to normal first";
        RollUp(w);
        step.command(w);
        // The command carried out, not only begun (the entry leaves the table as it begins): a
        // restore that came before the maximize ended would be undone by it.
        EXPECT_TRUE(bench::WaitFor([&] {
            return b.nRolled == 0 && (::IsIconic(w) != FALSE) == step.iconic && (::IsZoomed(w) != FALSE) == step.zoomed;
        })) << step.name << ": the entry left the table";
        ::ShowWindow(w, SW_RESTORE);
        EXPECT_TRUE(bench::WaitFor([&] { return Height(w) == 300 && !::IsZoomed(w); }))
            << step.name << ": restored to its full height, not " << Height(w);
    }
}

TEST_F(MessageHooksTest, AClosedWindowsEntryLeavesTheRollTable) {
    TargetProcess posted(At("rolled posted close", {100, 100, 500, 400}));
    TargetProcess sent(At("rolled sent close", {550, 100, 950, 400}));
    const quor::SharedBlock& b = bench::Block();
    RollUp(posted.window());
    RollUp(sent.window());
    ::PostMessageA(posted.window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(posted.window()) && b.nRolled == 1; })) << "posted WM_CLOSE";
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(sent.window(), WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(sent.window()) && b.nRolled == 0; })) << "sent SC_CLOSE";
}

// Shift+click on the minimize button, as a person does it.
void ShiftMinimize(const TargetProcess& p) {
    const POINT button = bench::HitPoint(p.window(), HTMINBUTTON);
    ASSERT_NE(button.x, -1);
    bench::HeldKey shift(VK_SHIFT);
    bench::Click(button.x, button.y);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(p.window()); })) << "hidden, not only minimized";
}

// Under Wine the activation of the window below comes late when a window is hidden, and can take
// the front from it after it came back (seen: the other window on top and active, taking the click
// meant for this one's button). The window is brought to the front again before it is clicked.
bool ComesToFront(HWND w, HWND other) {
    return bench::WaitFor([&] {
        if (::GetForegroundWindow() != w) ::SetForegroundWindow(w);
        return ::GetForegroundWindow() == w && bench::IsAbove(w, other);
    });
}

int SlotOf(HWND w) {
    const quor::SharedBlock& b = bench::Block();
    for (int i = 0; i < quor::kWindowTable; ++i)
        if (b.TrayWnd[i] == w) return i;
    return -1;
}

TEST_F(MessageHooksTest, ShiftMinimizeHidesBehindAnIconUntilRestoredOrActivated) {
    WindowSpec spec = At("shift minimize", {100, 100, 400, 300});
    spec.windowCount = 2;
    spec.peekFirst = true;
    TargetProcess target(spec);
    const HWND w = target.window();
    HWND other = nullptr;
    for (HWND h : target.windows())
        if (h != w) other = h;
    ASSERT_NE(other, nullptr);

    ShiftMinimize(target);
    EXPECT_EQ(SlotOf(w), 0) << "1. behind the first icon";
    ::PostMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(w) && SlotOf(w) == -1; })) << "2. a posted restore";

    {
        // A posted minimize, peeked at before it is taken: the window is hidden once, and stays so.
        bench::HeldKey shift(VK_SHIFT);
        ASSERT_TRUE(bench::WaitFor([] { return (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; })) << "3. Shift down";
        ::PostMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(w) && SlotOf(w) == 0; })) << "3. posted, hidden";
    }
    target.SyncInput();
    EXPECT_FALSE(::IsWindowVisible(w)) << "3. not shown again by the minimize itself";
    ::SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(w) && SlotOf(w) == -1; })) << "4. a sent restore";

    ::ShowWindow(w, SW_RESTORE);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsIconic(w); }));
    ASSERT_TRUE(ComesToFront(w, other)) << "5. in front";
    const POINT button = bench::HitPoint(w, HTMINBUTTON);
    bench::Click(button.x, button.y);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsIconic(w); })) << "5. without Shift it minimizes";
    EXPECT_TRUE(::IsWindowVisible(w)) << "5. and stays visible";
    EXPECT_EQ(SlotOf(w), -1);
    ::ShowWindow(w, SW_RESTORE);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsIconic(w); }));
    ASSERT_TRUE(ComesToFront(w, other)) << "6. in front";

    ShiftMinimize(target);
    ASSERT_EQ(SlotOf(w), 0) << "6. hidden again";
    // An activation within a moment of the hiding is the hiding click's own; a person comes back later.
    bench::WaitFor([] { return ::GetTickCount() - bench::Block().TrayHiddenTick[0] > 600; }, 2000);
    // 7. Another program comes to the front, then the hidden window's program does.
    TargetProcess elsewhere(At("elsewhere", {600, 100, 900, 300}));
    ASSERT_TRUE(elsewhere.Activate());
    EXPECT_FALSE(::IsWindowVisible(w)) << "7. still hidden";
    const RECT r = bench::WindowRect(other);
    bench::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(w) && SlotOf(w) == -1; }))
        << "7. its program's activation brings it back";
}

TEST_F(MessageHooksTest, KeyboardCleaningKeepsKeysFromWindowsButNotTheMouse) {
    TargetProcess editor(At("keyboard cleaning", {100, 100, 500, 400}));
    ASSERT_TRUE(editor.Activate());
    const unsigned countedA = bench::Block().StatKeyboard[0];
    SetIgnoreKeyboard(1);
    editor.ResetCounts();
    for (WORD key : {WORD('A'), WORD(VK_RETURN), WORD(VK_F10)}) {
        bench::Key(key, true);
        bench::Key(key, false);
    }
    editor.SyncInput();
    const RECT r = bench::WindowRect(editor.window());
    bench::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(bench::WaitFor([&] { return editor.Count(WM_LBUTTONDOWN) >= 1 && editor.Count(WM_LBUTTONUP) >= 1; }))
        << "1. the mouse still works: " << editor.Count(WM_LBUTTONDOWN) << " press(es), "
        << editor.Count(WM_LBUTTONUP) << " release(s)";
    EXPECT_EQ(editor.Count(WM_KEYDOWN) + editor.Count(WM_SYSKEYDOWN), 0) << "1. no key reached the window";
    EXPECT_EQ(editor.Count(WM_CHAR), 0) << "1. nor any character";
    EXPECT_EQ(bench::Block().StatKeyboard[0], countedA + 1) << "1. while the keys were still counted";

    SetIgnoreKeyboard(0);
    bench::Key('A', true);
    bench::Key('A', false);
    EXPECT_TRUE(bench::WaitFor([&] { return editor.Count(WM_CHAR) == 1; })) << "2. cleaning over: characters again";
}

// The counts of tests/wine/helper/qchain.cpp.
struct ChainCounts {
    LONG rollsTaken, unrollsTaken, restoresPosted, minimizedSizes, appActivations, restoresSent;
};

TEST_F(MessageHooksTest, HooksInstalledBeforeOursStillSeeEveryMessageWeActOn) {
    resident_.reset();  // ours out, the other utility's in, then ours again: called first
    const HMODULE chain = ::LoadLibraryA("qchain.dll");
    ASSERT_NE(chain, nullptr);
    const auto install = reinterpret_cast<BOOL (*)()>(::GetProcAddress(chain, "ChainInstall"));
    const auto remove = reinterpret_cast<void (*)()>(::GetProcAddress(chain, "ChainRemove"));
    const auto counts = reinterpret_cast<const ChainCounts* (*)()>(::GetProcAddress(chain, "ChainCountsSeen"))();
    ASSERT_TRUE(install && remove && install());
    resident_ = std::make_unique<bench::ResidentThread>();
    ASSERT_NE(resident_->hook(), nullptr);

    TargetProcess target(At("chained hooks", {100, 100, 500, 400}));
    const HWND w = target.window();
    RollUp(w);
    ::PostMessageA(w, ::RegisterWindowMessageA("WM_UNROLL"), 0, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return Height(w) == 300; })) << "unrolled by our hook";
    ::SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ::SendMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    ::SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ::PostMessageA(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    ::SendMessageA(w, WM_ACTIVATEAPP, TRUE, 0);
    target.SyncInput();
    const ChainCounts seen = *counts;
    EXPECT_GE(seen.rollsTaken, 1) << "the roll message";
    EXPECT_GE(seen.unrollsTaken, 1) << "the unroll message";
    EXPECT_GE(seen.minimizedSizes, 1) << "WM_SIZE, minimized";
    EXPECT_GE(seen.restoresSent, 1) << "SC_RESTORE, sent";
    EXPECT_GE(seen.restoresPosted, 1) << "SC_RESTORE, posted";
    EXPECT_GE(seen.appActivations, 1) << "WM_ACTIVATEAPP";
    remove();
    ::FreeLibrary(chain);
}

}  // namespace
