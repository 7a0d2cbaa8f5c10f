// Installing and removing the hooks: order, re-installation, error boxes, and a hook
// that reaches into another process.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hooklib/quordll.h"
#include "tests/wine/support/bench_support.h"

namespace {

using Box = bench::MessageBoxWatcher::Box;

struct Call {
    std::string what;
    int id;
    HHOOK hook;
};

std::vector<Call> g_calls;
int g_failHookId = -1;
HHOOK g_failUnhook = nullptr;
DWORD g_failError = ERROR_ACCESS_DENIED;
decltype(&::SetWindowsHookExA) g_realSetHook = nullptr;
decltype(&::UnhookWindowsHookEx) g_realUnhook = nullptr;

HHOOK WINAPI RecordingSetHook(int id, HOOKPROC proc, HINSTANCE module, DWORD thread) {
    if (id == g_failHookId) {
        g_calls.push_back({"fail", id, nullptr});
        ::SetLastError(g_failError);
        return nullptr;
    }
    HHOOK hook = g_realSetHook(id, proc, module, thread);
    g_calls.push_back({"set", id, hook});
    return hook;
}

BOOL WINAPI RecordingUnhook(HHOOK hook) {
    g_calls.push_back({"unhook", 0, hook});
    if (hook == g_failUnhook) {
        ::SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    return g_realUnhook(hook);
}

// Interposes on the library's own imports of the two hook calls, in this process only:
// the product is unchanged, but a chosen installation or removal can be made to fail.
class HookCallRecorder {
public:
    HookCallRecorder() {
        g_calls.clear();
        g_failHookId = -1;
        g_failUnhook = nullptr;
        g_realSetHook = reinterpret_cast<decltype(g_realSetHook)>(
            bench::PatchImport(nullptr, "user32.dll", "SetWindowsHookExA", reinterpret_cast<void*>(RecordingSetHook)));
        g_realUnhook = reinterpret_cast<decltype(g_realUnhook)>(
            bench::PatchImport(nullptr, "user32.dll", "UnhookWindowsHookEx", reinterpret_cast<void*>(RecordingUnhook)));
    }
    ~HookCallRecorder() {
        bench::PatchImport(nullptr, "user32.dll", "SetWindowsHookExA", reinterpret_cast<void*>(g_realSetHook));
        bench::PatchImport(nullptr, "user32.dll", "UnhookWindowsHookEx", reinterpret_cast<void*>(g_realUnhook));
    }
};

class HookInstall : public ::testing::Test {
protected:
    void SetUp() override {
        // Start from nothing installed, whatever an earlier program left in the block.
        quor::SharedBlock& b = bench::Block();
        b.MouseHook = b.MessageHook = b.WindowHook = b.KeyboardHook = b.LLMouseHook = nullptr;
    }
    void TearDown() override {
        bench::MessageBoxWatcher watcher;
        UnSetHook();
    }
};

std::vector<std::string> Texts(const std::vector<Box>& boxes) {
    std::vector<std::string> texts;
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, "Error");
        texts.push_back(box.text);
    }
    return texts;
}

}  // namespace

TEST_F(HookInstall, InstallsAllFiveInOrderAndFillsTheBlock) {
    HookCallRecorder recorder;
    HHOOK result = SetHook();
    const quor::SharedBlock& b = bench::Block();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result, b.MouseHook);
    std::vector<int> order;
    for (const auto& c : g_calls) order.push_back(c.id);
    EXPECT_EQ(order, (std::vector<int>{WH_MOUSE, WH_GETMESSAGE, WH_CALLWNDPROC, WH_MOUSE_LL, WH_KEYBOARD_LL}));
    for (HHOOK h : {b.MessageHook, b.WindowHook, b.LLMouseHook, b.KeyboardHook}) EXPECT_NE(h, nullptr);
    EXPECT_EQ(b.RollMsg, ::RegisterWindowMessageA("WM_ROLL"));
    EXPECT_EQ(b.UnrollMsg, ::RegisterWindowMessageA("WM_UNROLL"));
    EXPECT_EQ(b.RenameMsg, ::RegisterWindowMessageA("Quorvelle Rename Assistant"));
    EXPECT_EQ(b.DeskListView, nullptr) << "Wine's desktop has no Progman: not an error";
    char cls[64] = {}, title[64] = {};
    ::GetClassNameA(b.DummyWnd, cls, sizeof cls);
    ::GetWindowTextA(b.DummyWnd, title, sizeof title);
    EXPECT_STREQ(cls, "QuorDummy");
    EXPECT_STREQ(title, "QuorDummy");
    EXPECT_FALSE(::IsWindowVisible(b.DummyWnd));
    EXPECT_EQ(::GetWindowThreadProcessId(b.DummyWnd, nullptr), ::GetCurrentThreadId());
    EXPECT_EQ(b.LastMouseX, 0);
    EXPECT_EQ(b.LastActivity, 0);
}

TEST_F(HookInstall, FindsTheDesktopListViewThroughProgman) {
    bench::WindowSpec spec;
    spec.kind = "desktop";
    spec.title = "Program Manager";
    spec.style = WS_POPUP | WS_VISIBLE;
    spec.rect = {0, 0, 1280, 990};
    bench::TargetProcess desktop(spec);
    ASSERT_NE(desktop.listView(), nullptr);
    SetHook();
    EXPECT_EQ(bench::Block().DeskListView, desktop.listView());
}

TEST_F(HookInstall, SecondInstallRemovesEachRecordedHookFirst) {
    SetHook();
    const quor::SharedBlock& b = bench::Block();
    const HHOOK first[] = {b.MouseHook, b.MessageHook, b.WindowHook, b.LLMouseHook, b.KeyboardHook};
    const HWND dummy = b.DummyWnd;
    HookCallRecorder recorder;
    ASSERT_NE(SetHook(), nullptr);
    ASSERT_EQ(g_calls.size(), 10u);
    const int ids[] = {WH_MOUSE, WH_GETMESSAGE, WH_CALLWNDPROC, WH_MOUSE_LL, WH_KEYBOARD_LL};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(g_calls[2 * i].what, "unhook") << "hook " << i;
        EXPECT_EQ(g_calls[2 * i].hook, first[i]) << "hook " << i;
        EXPECT_EQ(g_calls[2 * i + 1].what, "set") << "hook " << i;
        EXPECT_EQ(g_calls[2 * i + 1].id, ids[i]) << "hook " << i;
    }
    EXPECT_EQ(b.DummyWnd, dummy) << "the window that owns the tray icons is kept";
}

TEST_F(HookInstall, FailingLowLevelMouseHookKeepsEarlierHooksAndStops) {
    HookCallRecorder recorder;
    g_failHookId = WH_MOUSE_LL;
    quor::SharedBlock& b = bench::Block();
    b.RenameMsg = 0;
    b.nIgnore = 5;
    bench::MessageBoxWatcher watcher;
    EXPECT_EQ(SetHook(), nullptr);
    EXPECT_EQ(Texts(watcher.boxes()), (std::vector<std::string>{"LLMouse hook"}));
    EXPECT_NE(b.MouseHook, nullptr);
    EXPECT_NE(b.MessageHook, nullptr);
    EXPECT_NE(b.WindowHook, nullptr);
    EXPECT_EQ(b.LLMouseHook, nullptr);
    EXPECT_EQ(b.KeyboardHook, nullptr) << "installation stops at the failure";
    EXPECT_EQ(b.RenameMsg, ::RegisterWindowMessageA("Quorvelle Rename Assistant"));
    EXPECT_EQ(b.nIgnore, 5) << "the steps after the hooks do not run";
}

TEST_F(HookInstall, EachFailureShowsItsOwnBox) {
    const struct {
        int id;
        const char* text;
    } cases[] = {{WH_GETMESSAGE, "Message hook"}, {WH_CALLWNDPROC, "Window hook"}, {WH_KEYBOARD_LL, "Keyboard hook"}};
    for (const auto& c : cases) {
        HookCallRecorder recorder;
        g_failHookId = c.id;
        bench::MessageBoxWatcher watcher;
        EXPECT_EQ(SetHook(), nullptr) << c.text;
        EXPECT_EQ(Texts(watcher.boxes()), (std::vector<std::string>{c.text}));
    }
}

TEST_F(HookInstall, FailingMouseHookShowsTheSystemMessageFirst) {
    HookCallRecorder recorder;
    g_failHookId = WH_MOUSE;
    g_failError = ERROR_ACCESS_DENIED;
    bench::MessageBoxWatcher watcher;
    EXPECT_EQ(SetHook(), nullptr);
    char expected[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_ACCESS_DENIED,
                     MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected, sizeof expected, nullptr);
    const auto texts = Texts(watcher.boxes());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FALSE(texts[0].empty());
    EXPECT_EQ(texts[0].substr(0, 8), std::string(expected).substr(0, 8)) << "the system's text for the error";
    EXPECT_EQ(texts[1], "Mouse hook");
    EXPECT_EQ(g_calls.size(), 1u) << "nothing after the mouse hook is installed";
}

TEST_F(HookInstall, RemovalOrderAndNothingToRemove) {
    SetHook();
    const quor::SharedBlock& b = bench::Block();
    const HHOOK installed[] = {b.MouseHook, b.MessageHook, b.WindowHook, b.KeyboardHook, b.LLMouseHook};
    {
        HookCallRecorder recorder;
        bench::MessageBoxWatcher watcher;
        UnSetHook();
        ASSERT_EQ(g_calls.size(), 5u);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(g_calls[i].hook, installed[i]) << "1. removal order, hook " << i;
        EXPECT_TRUE(watcher.boxes().empty());
    }
    for (HHOOK h : {b.MouseHook, b.MessageHook, b.WindowHook, b.KeyboardHook, b.LLMouseHook}) EXPECT_EQ(h, nullptr);
    HookCallRecorder recorder;
    bench::MessageBoxWatcher watcher;
    UnSetHook();
    EXPECT_TRUE(g_calls.empty()) << "2. nothing installed: nothing removed";
    EXPECT_TRUE(watcher.boxes().empty()) << "2. and no box";
}

TEST_F(HookInstall, FailingRemovalShowsItsBoxAndKeepsTheHandle) {
    SetHook();
    quor::SharedBlock& b = bench::Block();
    const HHOOK message = b.MessageHook;
    HookCallRecorder recorder;
    g_failUnhook = message;
    bench::MessageBoxWatcher watcher;
    UnSetHook();
    EXPECT_EQ(Texts(watcher.boxes()), (std::vector<std::string>{"Message unhook"}));
    EXPECT_EQ(b.MessageHook, message);
    EXPECT_EQ(b.MouseHook, nullptr) << "removal goes on past the failure";
    EXPECT_EQ(b.LLMouseHook, nullptr);
    g_failUnhook = nullptr;
    g_realUnhook(message);
    b.MessageHook = nullptr;
}

TEST_F(HookInstall, RemovalRestoresHiddenWindowsAndGivesRolledUpOnesTheirHeight) {
    bench::WindowSpec spec;
    spec.title = "hidden in tray";
    bench::TargetProcess target(spec);
    bench::TargetProcess rolled(bench::WindowAt("rolled, then minimized while paused", {100, 100, 500, 400}));
    SetHook();
    quor::SharedBlock& b = bench::Block();
    ::PostMessageA(rolled.window(), b.RollMsg, 0, 0);
    ASSERT_TRUE(bench::WaitFor([&] { return bench::WindowRect(rolled.window()).bottom < 200; })) << "rolled up";
    SetUnAvailable(1);
    ::ShowWindow(rolled.window(), SW_MINIMIZE);
    ASSERT_TRUE(bench::WaitFor([&] { return ::IsIconic(rolled.window()) != FALSE; }));
    ::ShowWindow(target.window(), SW_HIDE);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(target.window()); }));
    b.TrayWnd[3] = target.window();
    b.TrayExStyle[3] = ::GetWindowLongPtrA(target.window(), GWL_EXSTYLE);
    b.TrayHigh = 3;
    UnSetHook();
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(target.window()) != FALSE; }));
    EXPECT_EQ(b.TrayWnd[3], nullptr);
    EXPECT_EQ(b.TrayHigh, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return target.Count(WM_NULL) >= 1; })) << "the restored window was sent WM_NULL";
    SetUnAvailable(0);
    ::ShowWindow(rolled.window(), SW_RESTORE);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsIconic(rolled.window()); }));
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(rolled.window()).bottom == 400; }))
        << "a rolled-up window minimized while paused comes back with its height: "
        << bench::WindowRect(rolled.window()).bottom - bench::WindowRect(rolled.window()).top;
}

TEST_F(HookInstall, MouseHookRunsInsideAnotherProcess) {
    bench::WindowSpec spec;
    spec.title = "hook target";
    spec.rect = {300, 300, 700, 600};
    bench::TargetProcess target(spec);
    ASSERT_FALSE(target.LibraryLoaded()) << "the helper does not map the library by itself";
    ASSERT_NE(SetHook(), nullptr);
    bench::Click(500, 450);
    target.SyncInput();
    EXPECT_TRUE(bench::WaitFor([&] { return target.LibraryLoaded(); }))
        << "the platform mapped the library to call our hook in the target's thread";
    EXPECT_GE(target.Count(WM_LBUTTONDOWN), 1) << "and the hook passed the press on";
}
