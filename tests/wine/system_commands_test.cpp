// white-box: the commands that act on the system, run by the executor itself with the calls that
// would end the session, power the machine down or open shell windows recorded instead of made;
// and the choice of the volume backend.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "hooklib/commands/command_executor.h"
#include "hooklib/commands/command_names.h"
#include "hooklib/commands/slot_authority.h"
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/wheel_redirect.h"
#include "platform/audio_volume.h"
#include "tests/wine/support/bench_support.h"

namespace {

std::vector<std::string> g_calls;

BOOL WINAPI RecordExitWindows(UINT flags, DWORD reason) {
    g_calls.push_back("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason));
    return TRUE;
}
BOOL WINAPI RecordPowerState(BOOL suspend, BOOL force) {
    g_calls.push_back("SetSystemPowerState " + std::to_string(suspend) + " " + std::to_string(force));
    return TRUE;
}
std::atomic<int> g_notifies{0};
BOOL WINAPI RecordNotify(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    ++g_notifies;
    g_calls.push_back("SendNotifyMessageA " + std::to_string(reinterpret_cast<uintptr_t>(window)) + " " +
                      std::to_string(msg) + " " + std::to_string(wParam) + " " + std::to_string(lParam));
    return TRUE;
}
BOOL WINAPI RecordCreateProcess(LPCSTR application, LPSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                                BOOL inherit, DWORD flags, LPVOID, LPCSTR, LPSTARTUPINFOA, LPPROCESS_INFORMATION) {
    g_calls.push_back(std::string("CreateProcessA ") + (application ? application : "(none)") + " " + commandLine + " " +
                      std::to_string(inherit) + " " + std::to_string(flags));
    return FALSE;
}

struct Patch {
    const char* dll;
    const char* function;
    void* replacement;
    void* original;
};

// This program's own imports (it links the library's code), replaced for the test and put back.
class SystemCallRecorder {
public:
    SystemCallRecorder() {
        g_calls.clear();
        HMODULE self = ::GetModuleHandleA(nullptr);
        for (Patch& p : patches_) p.original = bench::PatchImport(self, p.dll, p.function, p.replacement);
    }
    ~SystemCallRecorder() {
        HMODULE self = ::GetModuleHandleA(nullptr);
        for (Patch& p : patches_) bench::PatchImport(self, p.dll, p.function, p.original);
    }

private:
    Patch patches_[4] = {
        {"user32.dll", "ExitWindowsEx", reinterpret_cast<void*>(RecordExitWindows), nullptr},
        {"kernel32.dll", "SetSystemPowerState", reinterpret_cast<void*>(RecordPowerState), nullptr},
        {"user32.dll", "SendNotifyMessageA", reinterpret_cast<void*>(RecordNotify), nullptr},
        {"kernel32.dll", "CreateProcessA", reinterpret_cast<void*>(RecordCreateProcess), nullptr},
    };
};

// Puts command `index` in slot 0, as the resident program would, and runs it.
int RunCommand(int index, HWND window = nullptr) {
    quor::SharedBlock& b = quor::Block();
    std::snprintf(b.MouseCut[0], quor::kTextSlot, "%s", b.MouseCutCmd[index]);
    quor::RecordAuthoritativeSlot(0, b.MouseCut[0]);
    return quor::ExecuteMouseCut(0, window);
}

class SystemCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        HMODULE names = ::LoadLibraryExA((bench::ProgramDir() + "\\Quordll.dll").c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(names, nullptr);
        quor::LoadCommandNames(names);
    }
};

TEST_F(SystemCommands, SessionAndPowerCommandsMakeTheirCalls) {
    SystemCallRecorder recorder;
    const struct {
        int index;
        std::vector<std::string> calls;
    } cases[] = {
        {14, {"SendNotifyMessageA 65535 274 61808 2"}},  // HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, off
        {15, {"SetSystemPowerState 1 0"}},
        {16, {"SetSystemPowerState 0 0"}},
        {17, {"ExitWindowsEx 0 0"}},
        {18, {"ExitWindowsEx 2 0"}},
        {19, {"ExitWindowsEx 8 0"}},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        EXPECT_EQ(RunCommand(c.index), 1) << c.index;
        EXPECT_EQ(g_calls, c.calls) << "command " << c.index;
    }
    // Run on the hooks' thread (a 32-bit program's shortcut), the monitor waits its moment in a
    // thread of its own: the hooks' thread goes back to the desktop's input at once.
    const HWND hooksWindow = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    quor::Block().DummyWnd = hooksWindow;
    g_notifies = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunCommand(14), 1);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(ms, 300) << "the monitor command held the hooks' thread " << ms << " ms";
    EXPECT_TRUE(bench::WaitFor([] { return g_notifies.load() == 1; }, 3000)) << "and turned the monitor off after it";
    quor::Block().DummyWnd = nullptr;
    ::DestroyWindow(hooksWindow);
}

TEST_F(SystemCommands, FoldersAppletsAndThePrompt) {
    SystemCallRecorder recorder;
    // The system's programs by their full paths, whatever the folder of the program the hook is in.
    char windows[MAX_PATH] = {}, system[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    ::GetSystemDirectoryA(system, MAX_PATH);
    const std::string rundll = std::string("CreateProcessA (none) \"") + system + "\\rundll32.exe\" shell32.dll,Control_RunDLL ";
    const std::string explorer = std::string("CreateProcessA (none) \"") + windows + "\\explorer.exe\" ";
    const struct {
        int index;
        std::string call;
    } cases[] = {
        {4, rundll + "desk.cpl 0 16"},
        {5, rundll + "sysdm.cpl 0 16"},
        {6, rundll + "timedate.cpl 0 16"},
        {7, explorer + "::{20D04FE0-3AEA-1069-A2D8-08002B30309D} 0 16"},
        {8, explorer + "::{208D2C60-3AEA-1069-A2D7-08002B30309D} 0 16"},
        {9, explorer + "::{450D8FBA-AD25-11D0-98A8-0800361B1103} 0 16"},
        {10, explorer + "::{645FF040-5081-101B-9F08-00AA002F954E} 0 16"},
        {11, explorer + "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D} 0 16"},
        {12, rundll + "hotplug.dll 0 16"},
        // The prompt in a console of its own, and no waiting for it.
        {32, std::string("CreateProcessA (none) \"") + system + "\\cmd.exe\" 0 16"},
    };
    for (const auto& c : cases) {
        g_calls.clear();
        EXPECT_EQ(RunCommand(c.index), 1) << c.index;
        EXPECT_EQ(g_calls, std::vector<std::string>{c.call}) << "command " << c.index;
    }
    EXPECT_EQ(RunCommand(0), 0) << "\"none\" does nothing";
}

// The Windows key of "show desktop" goes through the library's keyboard hook while the key is
// disabled, and the setting is back afterwards. Wine does not act on Win+D, so only the keys are
// seen here, by a hook that the library's passes them on to.
std::atomic<int> g_winDisabledWhenSeen{-1};
std::mutex g_keysMutex;
std::string g_keys;  // "+vk" for a key going down, "-vk" for one going up

// Sees the keys and keeps them from everything else: neither Wine nor the desktop acts on them.
LRESULT CALLBACK SeeKeys(int code, WPARAM wParam, LPARAM lParam) {
    if (code != HC_ACTION) return ::CallNextHookEx(nullptr, code, wParam, lParam);
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    if (down && key->vkCode == VK_LWIN) g_winDisabledWhenSeen = quor::Block().DisableKeyWin;
    std::lock_guard lock(g_keysMutex);
    g_keys += (down ? "+" : "-") + std::to_string(key->vkCode) + " ";
    return 1;
}

std::string SeenKeys() {
    std::lock_guard lock(g_keysMutex);
    return g_keys;
}

TEST_F(SystemCommands, KeysOfShowDesktopAndTheTaskManager) {
    std::atomic<bool> ready{false}, stop{false};
    DWORD watcherThread = 0;
    std::thread watcher([&] {
        watcherThread = ::GetCurrentThreadId();
        HHOOK hook = ::SetWindowsHookExA(WH_KEYBOARD_LL, SeeKeys, ::GetModuleHandleA(nullptr), 0);
        // Installed last, called first: what it swallows, the watcher never sees.
        HHOOK library = ::SetWindowsHookExA(WH_KEYBOARD_LL, quor::KeyboardHookProc, ::GetModuleHandleA(nullptr), 0);
        quor::Block().KeyboardHook = library;
        ready = true;
        MSG msg;
        while (!stop && ::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
        ::UnhookWindowsHookEx(library);
        ::UnhookWindowsHookEx(hook);
    });
    ASSERT_TRUE(bench::WaitFor([&] { return ready.load(); }));
    quor::Block().DisableKeyWin = 1;
    EXPECT_EQ(RunCommand(2), 1);
    const std::string winD = "+91 +68 -68 -91 ";  // VK_LWIN, 'D'
    EXPECT_TRUE(bench::WaitFor([&] { return SeenKeys() == winD; })) << "1. Win+D: " << SeenKeys();
    EXPECT_EQ(g_winDisabledWhenSeen.load(), 0) << "1. sent while the Windows key was not disabled";
    EXPECT_EQ(quor::Block().DisableKeyWin, 1) << "1. and the setting is back";
    EXPECT_EQ(RunCommand(3), 1);
    const std::string taskManager = winD + "+17 +16 +27 -27 -16 -17 ";  // Ctrl, Shift, Esc
    EXPECT_TRUE(bench::WaitFor([&] { return SeenKeys() == taskManager; })) << "2. Ctrl+Shift+Esc: " << SeenKeys();
    // 3. The user's own Windows key is disabled again: only the marker key after it arrives.
    bench::Key(VK_LWIN, true);
    bench::Key(VK_LWIN, false);
    bench::Key(VK_F5, true);
    bench::Key(VK_F5, false);
    const std::string marker = taskManager + "+116 -116 ";
    EXPECT_TRUE(bench::WaitFor([&] { return SeenKeys() == marker; })) << "3. the Windows key swallowed: " << SeenKeys();
    stop = true;
    ::PostThreadMessageA(watcherThread, WM_NULL, 0, 0);
    watcher.join();
    quor::Block().DisableKeyWin = 0;
}

HRESULT WINAPI NoDeviceJustNow(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID* object) {
    if (object) *object = nullptr;
    return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
}

// Wine's endpoint volume answers "not implemented", so this process falls back to the winmm mixer,
// which the bench's sound server backs; but only on that definite answer.
TEST(Volume, FallsBackToTheMixerAndStepsWithinTheScale) {
    unsigned level = 0;
    // 1. The audio system is not there for a moment (a service restarting): this use fails, and
    // nothing is decided for the next.
    HMODULE self = ::GetModuleHandleA(nullptr);
    void* real = bench::PatchImport(self, "ole32.dll", "CoCreateInstance", reinterpret_cast<void*>(NoDeviceJustNow));
    ASSERT_NE(real, nullptr);
    EXPECT_EQ(quor::ReadVolumeLevel(level), 0) << "1. no volume while there is no audio system";
    EXPECT_EQ(quor::ActiveVolumeBackend(), quor::VolumeBackend::kUndecided) << "1. and no choice made";
    bench::PatchImport(self, "ole32.dll", "CoCreateInstance", real);
    ASSERT_EQ(quor::ReadVolumeLevel(level), 1) << "2. the next use looks again";
    EXPECT_EQ(quor::ActiveVolumeBackend(), quor::VolumeBackend::kMixer);
    ASSERT_EQ(quor::WriteVolumeLevel(30000), 1);
    ASSERT_EQ(quor::ChangeVolume(1000), 1);
    ASSERT_EQ(quor::ReadVolumeLevel(level), 1);
    EXPECT_EQ(level, 31000u);
    ASSERT_EQ(quor::WriteVolumeLevel(65000), 1);
    ASSERT_EQ(quor::ChangeVolume(1000), 1);
    ASSERT_EQ(quor::ReadVolumeLevel(level), 1);
    EXPECT_EQ(level, 65535u) << "clamped at the top";
    unsigned muted = 0, after = 0;
    ASSERT_EQ(quor::ReadMute(muted), 1);
    ASSERT_EQ(quor::ToggleMute(), 1);
    ASSERT_EQ(quor::ReadMute(after), 1);
    EXPECT_NE(after, muted);
    ASSERT_EQ(quor::ToggleMute(), 1);
    ASSERT_EQ(quor::ReadMute(after), 1);
    EXPECT_EQ(after, muted) << "twice leaves it as it was";
}

TEST_F(SystemCommands, SwitchVirtualScreenAlwaysGoesToTheOther) {
    quor::SharedBlock& b = quor::Block();
    b.VDScreen = 0;
    EXPECT_EQ(RunCommand(13), 1);
    EXPECT_EQ(b.VDScreen, 1);
    EXPECT_EQ(RunCommand(13), 1);
    EXPECT_EQ(b.VDScreen, 0);
}

// Wine gives the wheel to the window under the cursor already; a notch meant for another window
// (the focus window, as on Windows) is posted to the one under the cursor.
TEST(WheelRedirection, ANotchMeantForAnotherWindowIsPostedUnderTheCursor) {
    quor::SharedBlock& b = quor::Block();
    b.Redirect = 1;
    bench::TargetProcess under(bench::WindowAt("under the wheel", {300, 300, 700, 600}));
    RECT client{};
    ::GetClientRect(under.window(), &client);
    POINT pt{client.right / 2, client.bottom / 2};
    ::ClientToScreen(under.window(), &pt);
    MOUSEHOOKSTRUCTEX m{};
    m.pt = pt;
    m.hwnd = ::GetDesktopWindow();
    m.mouseData = static_cast<DWORD>(static_cast<WORD>(-2 * WHEEL_DELTA)) << 16;
    EXPECT_TRUE(quor::RedirectWheel(m)) << "taken, to be swallowed";
    ASSERT_TRUE(bench::WaitFor([&] { return under.Count(WM_MOUSEWHEEL) == 1; }));
    EXPECT_EQ(::SendMessageA(under.window(), bench::kQueryLastWParam, WM_MOUSEWHEEL, 0),
              static_cast<LRESULT>(MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA))))
        << "the delta in the high word, no key state";
    EXPECT_EQ(under.LastLParam(WM_MOUSEWHEEL), MAKELPARAM(pt.x, pt.y)) << "the screen point";
    m.hwnd = under.window();
    EXPECT_FALSE(quor::RedirectWheel(m)) << "meant for that window already: it goes on as it is";
    b.Redirect = 0;
}

}  // namespace
