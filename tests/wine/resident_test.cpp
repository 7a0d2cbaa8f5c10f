// The resident program: it installs the hooks, windows of other programs snap while it runs, it
// removes the hooks when it is closed; it pushes its settings file's values and keeps every key
// of it, with the statistics, across runs.
#include "tests/wine/support/bench_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <commctrl.h>
#include <mmsystem.h>

#include "hooklib/quordll.h"
#include "platform/unique_any.h"
#include "tests/wine/support/resident_support.h"

namespace {

using bench::ClickControl;
using bench::ControlText;
using bench::FocusOf;
using bench::kTrayNotify;
using bench::OpenTrayMenu;
using bench::Press;
using bench::ProgramDialogWhere;
using bench::ResidentProgram;

// Each test starts with no settings file beside the program, and leaves none.
class Resident : public ::testing::Test {
protected:
    static std::string Path() { return bench::SettingsPath(); }
    static std::string IgnorePath() { return bench::ProgramDir() + "\\Ignore.txt"; }
    void SetUp() override {
        ::DeleteFileA(Path().c_str());
        ::DeleteFileA(IgnorePath().c_str());
    }
    void TearDown() override {
        ::DeleteFileA(Path().c_str());
        ::DeleteFileA(IgnorePath().c_str());
        SetnIgnore(0);
        SetnIgnoreExe(0);
    }
    static void Write(const std::string& text) { bench::WriteSettingsFile(text); }
    static std::string Read() { return bench::ReadSettingsFile(); }
    static std::vector<std::string> Section(const std::string& text, const std::string& name) {
        return bench::IniSection(text, name);
    }
    // Starts the program, waits for its hooks, closes it as its exit does, and waits for its end.
    static void RunAndClose(const std::function<void()>& whileRunning, bool wineNotes = false) {
        quor::SharedBlock& b = bench::Block();
        b.DummyWnd = nullptr;
        ResidentProgram program(wineNotes);
        ASSERT_TRUE(program.WaitUntilUp())
            << "the program started";
        whileRunning();
        ASSERT_TRUE(program.Close()) << "the program ended";
    }
};

TEST_F(Resident, FirstStartPushesTheDefaultsAndExitWritesEveryKey) {
    SetUnAvailable(0);
    quor::SharedBlock& b = bench::Block();
    b.Snap = 77;
    b.AllowTaskBar = 5;
    b.VolumeDelta = 5;
    b.Alpha = 5;
    RunAndClose([&] {
        EXPECT_EQ(b.Snap, 20) << "1. the defaults reached the library";
        EXPECT_EQ(b.AllowTaskBar, 0) << "1. the taskbar protected: its setting pushed negated";
        EXPECT_EQ(b.VolumeDelta, 1000);
        EXPECT_EQ(b.Alpha, 200);
        EXPECT_EQ(b.DisableKeyWin, 1);
        EXPECT_STREQ(b.MouseCut[0], GetMouseCutCmd(1)) << "1. desktop double-click: the screen saver";
        EXPECT_STREQ(b.MouseCut[12], GetMouseCutCmd(24)) << "1. title-bar right-click: close";
        EXPECT_STREQ(b.MouseCut[13], GetMouseCutCmd(0)) << "1. Ctrl+right-click: none";
    });
    const std::string text = Read();
    const std::vector<std::string> config = Section(text, "Config");
    ASSERT_EQ(config.size(), 38u) << "2. every key of the settings:\n" << text;
    EXPECT_EQ(config.front(), "Snap=20");
    EXPECT_EQ(config[4], "AllowTaskBar=1");
    EXPECT_EQ(config[23], "RightClickClose=0");
    EXPECT_EQ(config.back(), "VolumeDispTime=1000") << "2. in the table's order";
    const std::vector<std::string> stat = Section(text, "Stat");
    ASSERT_EQ(stat.size(), 33u) << "3. and the 33 statistics keys";
    EXPECT_EQ(stat[0].substr(0, 10), "TotalTime=");
    EXPECT_EQ(stat[1].size(), std::string("MouseMove=").size() + 15) << "3. the travel in 15 characters";
    EXPECT_EQ(stat.back().substr(0, 6), "Key25=");
}

TEST_F(Resident, ValuesOfTheFileArePushedAndEveryOtherKeyIsKept) {
    // BRC: 最小化 as a file written on Japanese Windows holds it, code page 932 bytes.
    Write("[Config]\r\nSnap=-5\r\nAllowTaskBar=0\r\nRightClickClose=7\r\nAlpha=150\r\nBR=notepad.exe\r\n"
          "BRC=\x8d\xc5\x8f\xac\x89\xbb\r\n[Stat]\r\nKey0=5\r\nMouseMove=         1234.6\r\n[Other]\r\nMine=yes\r\n");
    quor::SharedBlock& b = bench::Block();
    RunAndClose([&] {
        EXPECT_EQ(b.Snap, 20) << "1. a snap distance out of range is pushed as 20";
        EXPECT_EQ(b.AllowTaskBar, 1) << "1. \"do not move the taskbar\" off: moving it allowed";
        EXPECT_EQ(b.Alpha, 150);
        EXPECT_EQ(b.StatKeyboard[0], 5u) << "1. the statistics restored";
        EXPECT_DOUBLE_EQ(b.StatMouseMove, 1234.6);
        EXPECT_STREQ(b.MouseCut[12], "notepad.exe") << "1. a shortcut's command line";
        EXPECT_STREQ(b.MouseCut[13], GetMouseCutCmd(25)) << "1. a stored command name is the library's, in any code page";
    });
    const std::string text = Read();
    const std::vector<std::string> config = Section(text, "Config");
    EXPECT_EQ(config.front(), "Snap=20") << "2. saved as pushed";
    const auto has = [&](const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has(config, "RightClickClose=7")) << "2. a value the program does not use survives";
    EXPECT_TRUE(has(config, "Alpha=150")) << "2. keys written by others stay";
    EXPECT_TRUE(has(config, "BR=notepad.exe")) << "2. the shortcut keys are the shortcut dialog's to write";
    EXPECT_TRUE(has(Section(text, "Other"), "Mine=yes")) << "2. and so does a section of its own";
    EXPECT_TRUE(has(Section(text, "Stat"), "Key0=5"));
    EXPECT_TRUE(has(Section(text, "Stat"), "MouseMove=           1235")) << "2. the travel, rounded";
    EXPECT_EQ(::GetFileAttributesA((Path() + ".new").c_str()), INVALID_FILE_ATTRIBUTES) << "3. no copy left behind";
    for (const char* edge : {"0", "101"}) {
        Write(std::string("[Config]\r\nSnap=") + edge + "\r\n");
        b.Snap = 77;
        RunAndClose([&] { EXPECT_EQ(b.Snap, 20) << "4. Snap=" << edge << " is pushed as 20"; });
        EXPECT_EQ(Section(Read(), "Config").front(), "Snap=20");
    }
}

TEST_F(Resident, InstallsTheHooksAndWindowsSnapUntilItIsClosed) {
    SetUnAvailable(0);  // also maps the library into this process, to read its block
    quor::SharedBlock& b = bench::Block();
    b.MouseHook = b.MessageHook = b.WindowHook = b.LLMouseHook = b.KeyboardHook = nullptr;
    b.DummyWnd = nullptr;
    ResidentProgram program;
    // The hidden window is made after the five hooks are in.
    ASSERT_TRUE(program.WaitUntilUp())
        << "1. the program started and installed its hooks";
    EXPECT_NE(b.MouseHook, nullptr);
    EXPECT_NE(b.KeyboardHook, nullptr);
    EXPECT_EQ(b.Snap, 20) << "1. and pushed its settings";

    bench::TargetProcess target(bench::WindowAt("snaps", {300, 300, 700, 600}));
    const HWND w = target.window();
    const POINT from = bench::HitPoint(w, HTCAPTION);
    bench::Drag(from, {from.x - 288, from.y}, 8, w);  // left edge 12 px from the work area's
    target.SyncInput();
    EXPECT_EQ(bench::WindowRect(w).left, 0) << "2. a drag of another program's window snapped";
    ::PostMessageA(w, ::RegisterWindowMessageA("WM_ROLL"), 0, 0);
    ASSERT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).bottom - bench::WindowRect(w).top < 100; }))
        << "2. rolled up";

    ASSERT_TRUE(program.Close()) << "3. the program ends when its frame closes";
    EXPECT_EQ(b.MouseHook, nullptr) << "3. and removed its hooks";
    EXPECT_EQ(b.LLMouseHook, nullptr);
    EXPECT_EQ(bench::WindowRect(w).bottom - bench::WindowRect(w).top, 300)
        << "3. having given the rolled-up window its height back first";
}

}  // namespace

namespace {

TEST_F(Resident, TheExclusionListKeepsItsWindowsFromSnapping) {
    std::ofstream(IgnorePath(), std::ios::binary) << "game.exe\r\n\r\nQuorNoSnap*\r\nTOOL.EXE";
    SetUnAvailable(0);
    quor::SharedBlock& b = bench::Block();
    RunAndClose([&] {
        // Read right after the hooks are in.
        EXPECT_TRUE(bench::WaitFor([&] { return b.nIgnore == 2; }))
            << "1. two window classes, the upper-case program name among them: " << b.nIgnore;
        EXPECT_EQ(b.nIgnoreExe, 1) << "1. one program file";
        EXPECT_STREQ(b.IgnoreExe[0], "game.exe");
        EXPECT_STREQ(b.Ignore[1], "TOOL.EXE") << "1. the last line, without a line end";
        bench::WindowSpec spec = bench::WindowAt("excluded", {300, 300, 700, 600});
        spec.cls = "QuorNoSnapTarget";
        bench::TargetProcess target(spec);
        const HWND w = target.window();
        const POINT from = bench::HitPoint(w, HTCAPTION);
        bench::Drag(from, {from.x - 288, from.y}, 8, w);  // left edge 12 px from the work area's
        target.SyncInput();
        EXPECT_EQ(bench::WindowRect(w).left, 12) << "2. a window of an excluded class does not snap";
    });
}

}  // namespace

namespace {

// The program's own notification icon, as the shell knows it: the frame and icon 1.
bool IconRegistered(HWND frame) { return bench::NotificationIconRegistered(frame, 1); }

TEST_F(Resident, ASecondStartGivesWayAndTheIconComesBackWithANewNotificationArea) {
    SetUnAvailable(0);
    quor::SharedBlock& b = bench::Block();
    HWND frame = nullptr, dummy = nullptr;
    RunAndClose([&] {
        frame = ::FindWindowA("Afx:400000:0", "quorvelle");
        ASSERT_NE(frame, nullptr) << "1. the frame, by class and title";
        const HHOOK hook = b.MouseHook;
        {
            ResidentProgram second;
            EXPECT_TRUE(second.Ended(10000)) << "2. a second copy ends at once";
            EXPECT_EQ(b.MouseHook, hook) << "2. the running copy's hooks stay";
        }
        int frames = 0;
        for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "Afx:400000:0", nullptr)) != nullptr;) ++frames;
        EXPECT_EQ(frames, 1) << "2. and it left no window";
        ASSERT_TRUE(IconRegistered(frame)) << "3. the icon is there";
        NOTIFYICONDATAA icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = frame;
        icon.uID = 1;
        ASSERT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &icon));
        ASSERT_FALSE(IconRegistered(frame)) << "3. as a new notification area forgets it";
        ::SendMessageA(frame, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_TRUE(IconRegistered(frame)) << "3. the program gives its icon back";
        dummy = b.DummyWnd;
    }, true);
    // 4. A copy running with more rights still hears a second start and a new notification area:
    // the frame and the library's hidden window let those messages through the message filter.
    // Wine has no integrity levels and only notes the calls, in its "fixme" lines, whose form
    // (window, message, action, then the result's pointer) is Wine's: the notes show them made.
    if (::GetEnvironmentVariableA("QUOR_WINE_NOTES", nullptr, 0) == 0) GTEST_SKIP() << "run outside the bench";
    const auto allowed = [&](HWND window, UINT msg) {
        char call[96];
        std::snprintf(call, sizeof call, "changewindowmessagefilterex %016llx %x 1 ",
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)), msg);
        return bench::WaitFor([&] {
            std::string notes = bench::WineNotes();
            for (char& c : notes) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return notes.find(call) != std::string::npos;
        }, 2000);
    };
    const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    EXPECT_TRUE(allowed(frame, WM_APP + 101)) << "4. the frame lets a second start's request through\n" << bench::WineNotes();
    EXPECT_TRUE(allowed(frame, taskbarCreated)) << "4. and the shell's TaskbarCreated";
    EXPECT_TRUE(allowed(dummy, taskbarCreated)) << "4. the library's hidden window lets TaskbarCreated through";
}

}  // namespace

namespace {

TEST_F(Resident, LowLevelHooksTakenAwayAreInstalledAgainWithTheExclusions) {
    std::ofstream(IgnorePath(), std::ios::binary) << "game.exe\r\nQuorNoSnap*\r\n";
    SetUnAvailable(0);
    quor::SharedBlock& b = bench::Block();
    RunAndClose([&] {
        ASSERT_TRUE(bench::WaitFor([&] { return b.nIgnore == 1 && b.nIgnoreExe == 1; })) << "the exclusions read";
        const HHOOK lost = b.LLMouseHook;
        ASSERT_NE(lost, nullptr);
        // As the platform does with a hook that took too long: gone, and nobody told.
        ASSERT_TRUE(::UnhookWindowsHookEx(lost)) << "1. the low-level mouse hook removed from outside";
        const double travel = b.StatMouseMove;
        int step = 0;
        // Never twice at the same place, as a hand that keeps moving.
        const auto handOnTheMouse = [&] {
            ++step;
            bench::MoveMouse(300 + step % 400, 300 + (step / 400) % 300);
        };
        // A person's hand on the mouse, for up to fifteen seconds (two checks of three seconds).
        const bool reinstalled = bench::WaitFor([&] {
            handOnTheMouse();
            return b.LLMouseHook != lost && b.LLMouseHook != nullptr;
        }, 15000);
        ASSERT_TRUE(reinstalled) << "2. the program noticed and installed its hooks again";
        EXPECT_TRUE(bench::WaitFor([&] { return b.nIgnore == 1 && b.nIgnoreExe == 1; }))
            << "2. with the exclusions read again: " << b.nIgnore << " classes, " << b.nIgnoreExe << " programs";
        EXPECT_STREQ(b.Ignore[0], "QuorNoSnap*");
        EXPECT_EQ(b.StatMouseMove, travel) << "2. nothing was counted meanwhile";
        EXPECT_TRUE(bench::WaitFor([&] {
            handOnTheMouse();
            return b.StatMouseMove > travel;
        })) << "3. and the travel is counted again";

        // 4. The hooks live on a thread of their own: while the program's own thread does not take
        // messages at all (a dialog's slow work), every move and key still passes through them.
        const HWND frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
        DWORD programPid = 0, hooksPid = 0;
        const DWORD programThread = ::GetWindowThreadProcessId(frame, &programPid);
        const DWORD hooksThread = ::GetWindowThreadProcessId(b.DummyWnd, &hooksPid);
        EXPECT_EQ(hooksPid, programPid) << "4. the library's hidden window is the program's";
        EXPECT_NE(hooksThread, programThread) << "4. on the hooks' thread, not the program's";
        // Stopped while it waits for messages, holding nothing the hooks' thread needs.
        DWORD_PTR idle = 0;
        ASSERT_TRUE(::SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &idle));
        const quor::unique_handle stopped(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, programThread));
        ASSERT_TRUE(stopped && ::SuspendThread(stopped.get()) != static_cast<DWORD>(-1));
        const double before = b.StatMouseMove;
        const unsigned letters = b.StatKeyboard['Q' - 'A'];
        bench::MoveMouse(500, 500);
        bench::MoveMouse(520, 500);
        bench::Key('Q', true);
        bench::Key('Q', false);
        const bool counted = bench::WaitFor([&] { return b.StatMouseMove > before && b.StatKeyboard['Q' - 'A'] > letters; }, 1500);
        ::ResumeThread(stopped.get());
        EXPECT_TRUE(counted) << "4. moves and keys counted while the program's thread stood still";
    });
}

}  // namespace

namespace {

// A visible dialog of the program other than `except`.
HWND VisibleProgramDialog(HWND frame, HWND except = nullptr) {
    return ProgramDialogWhere(frame, [&](HWND w) { return w != except && ::IsWindowVisible(w); });
}

// The program's visible message box: its text.
std::wstring BoxText(HWND box) {
    wchar_t said[512] = {};
    ::GetDlgItemTextW(box, 0xFFFF, said, 512);
    return said;
}

TEST_F(Resident, TheIconsMenuAndDoubleClickPauseAndResume) {
    SetUnAvailable(0);
    quor::SharedBlock& b = bench::Block();
    RunAndClose([&] {
        const HWND frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
        {
            bench::HeldKey ctrl(VK_CONTROL);
            ASSERT_TRUE(bench::WaitFor([] { return (::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }));
            ::SendMessageA(frame, kTrayNotify, 0, WM_LBUTTONDBLCLK);
        }
        EXPECT_EQ(b.UnAvailable, 1) << "1. Ctrl+double-click pauses";
        ASSERT_TRUE(OpenTrayMenu(frame)) << "2. the menu";
        Press(VK_UP);  // the last item: exit
        Press(VK_UP);  // the one above: resume
        Press(VK_RETURN);
        EXPECT_TRUE(bench::WaitFor([&] { return b.UnAvailable == 0; })) << "2. its item resumes";
    });
}

TEST_F(Resident, MouseCleaningEndsWithReturnWhateverHadTheFocus) {
    SetUnAvailable(0);
    quor::SharedBlock& b = bench::Block();
    RunAndClose([&] {
        bench::TargetProcess other(bench::WindowAt("had the focus", {100, 100, 500, 400}));
        ASSERT_TRUE(other.Activate());
        const HWND frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
        ASSERT_TRUE(OpenTrayMenu(frame));
        for (int i = 0; i < 4; ++i) Press(VK_DOWN);  // settings, shortcuts, window list, tools
        Press(VK_RIGHT);                              // the tools: clean the mouse
        Press(VK_RETURN);
        ASSERT_TRUE(bench::WaitFor([&] { return b.IgnoreMouse == 1; })) << "1. the mouse is being cleaned";
        HWND box = nullptr;
        ASSERT_TRUE(bench::WaitFor([&] { return (box = VisibleProgramDialog(frame)) != nullptr; })) << "1. its box";
        EXPECT_TRUE(bench::WaitFor([&] { return ::GetForegroundWindow() == box; })) << "1. in front";
        Press(VK_RETURN);
        EXPECT_TRUE(bench::WaitFor([&] { return b.IgnoreMouse == 0 && !::IsWindow(box); }))
            << "2. Return closed it and the mouse works again";
    });
}

std::string Utf16WithMark(const std::wstring& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::wstring WidePath(const std::string& path) { return std::wstring(path.begin(), path.end()); }

TEST_F(Resident, AFileItCannotReadIsLeftAsItIsAndAUnicodeOrHiddenFileKeepsItsForm) {
    const std::string kept = "[Config]\r\nSnap=33\r\n[Stat]\r\nKey0=7\r\n";
    Write(kept);
    quor::SharedBlock& b = bench::Block();
    {
        quor::unique_hfile lock(::CreateFileA(Path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock) << "the file held without sharing";
        b.StatKeyboard[0] = 99;
        RunAndClose([&] {
            const HWND frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
            HWND box = nullptr;
            ASSERT_TRUE(bench::WaitFor([&] { return (box = VisibleProgramDialog(frame)) != nullptr; }))
                << "1. a file it cannot read is reported";
            EXPECT_NE(BoxText(box).find(L"設定ファイルを読めませんでした"), std::wstring::npos) << "1. " << BoxText(box).size();
            EXPECT_NE(BoxText(box).find(L"Quorvelle.ini"), std::wstring::npos) << "1. naming the file";
            EXPECT_EQ(b.Snap, 20) << "1. it runs on the defaults";
            EXPECT_EQ(b.StatKeyboard[0], 0u) << "1. counting from 0";
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); }));
            lock.reset();  // readable again before the program ends
            b.StatKeyboard[0] = 2;
        });
    }
    const std::string text = Read();
    EXPECT_EQ(Section(text, "Config"), std::vector<std::string>{"Snap=33"}) << "2. its settings untouched:\n" << text;
    const std::vector<std::string> stat = Section(text, "Stat");
    EXPECT_NE(std::find(stat.begin(), stat.end(), "Key0=9"), stat.end()) << "2. this run's counts added to the file's";

    // A file saved as Unicode, and hidden.
    {
        std::ofstream(Path(), std::ios::binary)
            << Utf16WithMark(L"[Config]\r\nSnap=50\r\nBR=\"C:\\a b\\メモ帳.exe\" \"x y\"\r\n[Other]\r\nMine=\u00FC\u20AC\r\n", false);
    }
    ASSERT_TRUE(::SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_HIDDEN));
    RunAndClose([&] {
        EXPECT_EQ(b.Snap, 50) << "3. a UTF-16 file is read";
        EXPECT_STREQ(b.MouseCut[12], "\"C:\\a b\\\x83\x81\x83\x82\x92\xA0.exe\" \"x y\"")
            << "3. a command line in the program's code page, its quotes kept";
    });
    EXPECT_NE(::GetFileAttributesA(Path().c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u) << "4. still hidden";
    const std::string saved = Read();
    EXPECT_EQ(saved.substr(0, 2), "\xFF\xFE") << "4. still UTF-16";
    const std::wstring wide = WidePath(Path());
    EXPECT_EQ(::GetPrivateProfileIntW(L"Config", L"Snap", 0, wide.c_str()), 50u) << "4. as the system reads it";
    EXPECT_EQ(::GetPrivateProfileIntW(L"Config", L"VolumeDispTime", 0, wide.c_str()), 1000u) << "4. with the keys it added";
    wchar_t mine[16] = {};
    ::GetPrivateProfileStringW(L"Other", L"Mine", L"", mine, 16, wide.c_str());
    EXPECT_STREQ(mine, L"\u00FC\u20AC") << "4. a line it did not write, as it was";
    ::SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_NORMAL);

    // The other marked encodings: read, and written back in their own.
    const std::pair<std::string, std::string> others[] = {
        {Utf16WithMark(L"[Config]\r\nSnap=40\r\nBR=メモ帳.exe\r\n", true), "\xFE\xFF"},
        {"\xEF\xBB\xBF[Config]\r\nSnap=40\r\nBR=\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3.exe\r\n", "\xEF\xBB\xBF"}};
    for (const auto& [text, mark] : others) {
        Write(text);
        RunAndClose([&] {
            EXPECT_EQ(b.Snap, 40) << "5. read: " << mark.size();
            EXPECT_STREQ(b.MouseCut[12], "\x83\x81\x83\x82\x92\xA0.exe");
        });
        const std::string back = Read();
        EXPECT_EQ(back.substr(0, mark.size()), mark) << "5. written back in its encoding";
        EXPECT_NE(back.find(mark.size() == 3 ? "VolumeDispTime=1000" : std::string("V\0o", 3)), std::string::npos)
            << "5. with the keys it added";
    }
}

TEST_F(Resident, ExitFromTheMenuSavesAndEnds) {
    quor::SharedBlock& b = bench::Block();
    b.DummyWnd = nullptr;
    ResidentProgram program;
    ASSERT_TRUE(program.WaitUntilUp());
    ASSERT_TRUE(OpenTrayMenu(program.Frame()));
    Press(VK_UP);
    Press(VK_RETURN);
    ASSERT_TRUE(program.Ended(10000)) << "the exit item ends the program";
    EXPECT_EQ(Section(Read(), "Config").size(), 38u) << "and its settings were saved";
}

TEST_F(Resident, TheEndOfTheSessionSavesEverythingAndEndsTheProgram) {
    Write("[Stat]\r\nKey3=41\r\n[Other]\r\nMine=yes\r\n");
    quor::SharedBlock& b = bench::Block();
    b.DummyWnd = nullptr;
    ResidentProgram program;
    ASSERT_TRUE(program.WaitUntilUp());
    ::DeleteFileA(Path().c_str());
    DWORD_PTR answer = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(program.Frame(), WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
    EXPECT_NE(answer, 0u) << "1. the program lets the session end";
    const std::string asked = Read();
    EXPECT_EQ(Section(asked, "Config").size(), 38u) << "2. asking saved the settings\n" << asked;
    EXPECT_EQ(Section(asked, "Stat").size(), 33u) << "2. and the statistics";
    EXPECT_NE(asked.find("Key3=41"), std::string::npos) << "2. counted on from the file's value";
    ::PostMessageA(program.Frame(), WM_ENDSESSION, TRUE, 0);
    ASSERT_TRUE(program.Ended(10000)) << "3. the session's end ends the program";
    EXPECT_EQ(Section(Read(), "Config").size(), 38u);
}

}  // namespace

namespace {

HWND SettingsDialogOf(HWND frame) {
    return ProgramDialogWhere(frame, [](HWND w) {
        wchar_t text[64] = {};
        ::GetWindowTextW(w, text, 64);
        return std::wstring(text) == L"\"くおるべれ\"の設定";
    });
}

TEST_F(Resident, TheSettingsDialogShowsTheFileAndPushesWhatIsApplied) {
    Write("[Config]\r\nSnap=-5\r\nAllowTaskBar=0\r\nTaskIcon=1\r\nAlpha=0\r\nDD=\"C:\\x.exe\" " +
          std::string(289, 'a') + "\r\n");
    SetUnAvailable(0);
    quor::SharedBlock& b = bench::Block();
    RunAndClose([&] {
        const HWND frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
        HWND box = nullptr;
        ASSERT_TRUE(bench::WaitFor([&] { return (box = VisibleProgramDialog(frame)) != nullptr; }))
            << "0. a shortcut too long to set is reported at start";
        EXPECT_NE(BoxText(box).find(L"「デスクトップを: ダブルクリック」（300 バイト）"), std::wstring::npos)
            << "0. which, and why";
        EXPECT_STREQ(b.MouseCut[0], GetMouseCutCmd(0)) << "0. it runs nothing, rather than a command line cut short";
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); }));
        EXPECT_EQ(b.Snap, 20) << "1. Snap=-5 pushed as 20";
        EXPECT_EQ(b.AllowTaskBar, 1) << "1. AllowTaskBar=0 pushed as 1";
        EXPECT_EQ(b.Alpha, 200) << "1. Alpha=0 pushed as 200";
        EXPECT_FALSE(IconRegistered(frame)) << "1. TaskIcon=1: no icon";
        ::SendMessageA(frame, ::RegisterWindowMessageA("TaskbarCreated"), 0, 0);
        EXPECT_FALSE(IconRegistered(frame)) << "1. not even when the notification area is made anew";
        const HWND dialog = SettingsDialogOf(frame);
        ASSERT_NE(dialog, nullptr) << "1. the settings dialog, made hidden";
        EXPECT_FALSE(::IsWindowVisible(dialog));
        EXPECT_TRUE(ResidentProgram().Ended(10000)) << "2. a second start opens it, and ends";
        ASSERT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; })) << "2. opened";
        // Clicked only once it is in front: an activation still on its way moves the focus, which
        // takes the mouse from a box pressed meanwhile, and the click is lost.
        EXPECT_TRUE(bench::WaitFor([&] { return ::GetForegroundWindow() == dialog; })) << "2. in front";
        const RECT work = bench::WorkArea(), placed = bench::WindowRect(dialog);
        EXPECT_EQ(placed.right, work.right) << "2. at the bottom-right of the work area";
        EXPECT_EQ(placed.bottom, work.bottom);
        EXPECT_EQ(ControlText(dialog, 1000), "20") << "2. the range shows 20";

        ClickControl(dialog, 1015);  // show the icon again
        ClickControl(dialog, 3);     // 適用
        EXPECT_TRUE(bench::WaitFor([&] { return IconRegistered(frame); }))
            << "3. applied: the icon is back; the box is " << (::SendMessageW(::GetDlgItem(dialog, 1015), BM_GETCHECK, 0, 0) == BST_CHECKED ? "ticked" : "not ticked");

        ::SetDlgItemTextA(dialog, 1000, "abc");
        ClickControl(dialog, 1005);  // snapping off, in the dialog only so far
        ClickControl(dialog, 3);
        ASSERT_TRUE(bench::WaitFor([&] { return (box = VisibleProgramDialog(frame, dialog)) != nullptr; }))
            << "4. a non-integer in the range is reported (and the long shortcut not a second time)";
        EXPECT_EQ(b.AllowSnap, 1) << "4. and nothing is pushed";
        wchar_t said[128] = {};
        ::GetDlgItemTextW(box, 0xFFFF, said, 128);  // a message box's text
        EXPECT_STREQ(said, L"整数を入力してください。") << "4. the standard message";
        Press(VK_RETURN);
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); }));
        EXPECT_EQ(FocusOf(dialog), ::GetDlgItem(dialog, 1000)) << "4. the focus is in the range";

        ::SetDlgItemTextA(dialog, 1000, "30");
        ClickControl(dialog, 3);
        EXPECT_TRUE(bench::WaitFor([&] { return b.Snap == 30 && b.AllowSnap == 0; }))
            << "5. applied: Snap " << b.Snap << ", AllowSnap " << b.AllowSnap << "; the range shows \""
            << ControlText(dialog, 1000) << "\", snapping is "
            << (::SendMessageA(::GetDlgItem(dialog, 1005), BM_GETCHECK, 0, 0) == BST_CHECKED ? "on" : "off");
        ClickControl(dialog, 1004);  // キャンセル
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(dialog); })) << "5. cancel hides it";
        EXPECT_TRUE(ResidentProgram().Ended(10000));
        ASSERT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; }));
        EXPECT_EQ(ControlText(dialog, 1000), "20") << "6. reopened: the file's values";
        EXPECT_EQ(b.Snap, 20) << "6. and pushed again";
        EXPECT_EQ(b.AllowSnap, 1);
        Press(VK_ESCAPE);
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(dialog); })) << "6. Escape hides it";
        EXPECT_TRUE(ResidentProgram().Ended(10000));
        ASSERT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; }));

        ClickControl(dialog, 1017);
        for (int id : {1018, 1022, 1020, 1021})
            EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindowEnabled(::GetDlgItem(dialog, id)); }))
                << "7. redirect off disables " << id;
        ClickControl(dialog, 1017);
        EXPECT_TRUE(bench::WaitFor([&] { return ::IsWindowEnabled(::GetDlgItem(dialog, 1021)) != FALSE; }))
            << "7. and on again enables them";

        ::SetDlgItemTextA(dialog, 1000, "25");
        ClickControl(dialog, 1003);  // OK
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(dialog); })) << "8. OK hides it";
        EXPECT_EQ(b.Snap, 25);
        EXPECT_EQ(Section(Read(), "Config").front(), "Snap=25") << "8. and saved it";

        ::SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_TRUE(ResidentProgram().Ended(10000));
        ASSERT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(dialog) && ::GetForegroundWindow() == dialog; }));
        ::SetDlgItemTextA(dialog, 1000, "27");
        ClickControl(dialog, 1003);
        ASSERT_TRUE(bench::WaitFor([&] { return (box = VisibleProgramDialog(frame, dialog)) != nullptr; }))
            << "9. a file that takes no save is reported";
        EXPECT_NE(BoxText(box).find(L"設定ファイルに保存できませんでした"), std::wstring::npos);
        EXPECT_EQ(b.Snap, 27) << "9. applied all the same";
        Press(VK_RETURN);
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); }));
        EXPECT_TRUE(::IsWindowVisible(dialog)) << "9. the dialog stays open";
        EXPECT_EQ(ControlText(dialog, 1000), "27") << "9. with what was typed";
        EXPECT_EQ(Section(Read(), "Config").front(), "Snap=25") << "9. the file as it was";
        ::SetFileAttributesA(Path().c_str(), FILE_ATTRIBUTE_NORMAL);
        ClickControl(dialog, 1003);
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(dialog); })) << "9. then OK saves and hides it";
        EXPECT_EQ(Section(Read(), "Config").front(), "Snap=27");
    });
}

}  // namespace

namespace {

// Explorer's desktop, as the bench stands it in: icons in a list view of another program.
bench::WindowSpec DesktopStandIn() {
    bench::WindowSpec spec = bench::WindowAt("Program Manager", {600, 300, 1100, 800});
    spec.kind = "desktop";
    spec.style = WS_POPUP | WS_VISIBLE;
    return spec;
}

POINT IconAt(HWND list, int item) {
    const RECT r = bench::ListItemRect(list, item, LVIR_ICON);
    return {r.left, r.top};
}

bool ShowsSmallIcons(HWND list) { return (::GetWindowLongPtrA(list, GWL_STYLE) & LVS_SMALLICON) != 0; }

void PlaceIcon(HWND list, int item, int x, int y) { ::SendMessageA(list, LVM_SETITEMPOSITION, item, MAKELPARAM(x, y)); }

// 小さいアイコンで表示, then 適用: the buttons' own clicks (the dialog lies over the desktop here).
void SwitchIconSize(HWND dialog) {
    ::SendMessageA(::GetDlgItem(dialog, 1011), BM_CLICK, 0, 0);
    ::SendMessageA(::GetDlgItem(dialog, 3), BM_CLICK, 0, 0);
}

TEST_F(Resident, SmallIconsAndBackKeepEveryIconWhereItWasInEachView) {
    bench::TargetProcess desktop(DesktopStandIn());
    const HWND list = desktop.listView();
    PlaceIcon(list, 0, 200, 60);
    const POINT large[3] = {IconAt(list, 0), IconAt(list, 1), IconAt(list, 2)};
    RunAndClose([&] {
        const HWND frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
        const HWND dialog = SettingsDialogOf(frame);
        ASSERT_TRUE(ResidentProgram().Ended(10000));
        ASSERT_TRUE(bench::WaitFor([&] { return ::IsWindowVisible(dialog) != FALSE; }));
        SwitchIconSize(dialog);
        ASSERT_TRUE(bench::WaitFor([&] { return ShowsSmallIcons(list); })) << "1. small icons";
        PlaceIcon(list, 1, 150, 120);
        const POINT small = IconAt(list, 1);
        SwitchIconSize(dialog);
        ASSERT_TRUE(bench::WaitFor([&] { return !ShowsSmallIcons(list); })) << "2. large icons again";
        for (int i = 0; i < 3; ++i) {
            const POINT now = IconAt(list, i);
            EXPECT_TRUE(now.x == large[i].x && now.y == large[i].y)
                << "2. icon " << i << " at " << now.x << "," << now.y << ", was " << large[i].x << "," << large[i].y;
        }
        SwitchIconSize(dialog);
        ASSERT_TRUE(bench::WaitFor([&] { return ShowsSmallIcons(list); }));
        const POINT back = IconAt(list, 1);
        EXPECT_TRUE(back.x == small.x && back.y == small.y) << "3. the small view's own place came back";
    });
    EXPECT_FALSE(ShowsSmallIcons(list)) << "4. the program's end left large icons";
    const std::vector<std::string> big = Section(Read(), "IconBig");
    ASSERT_FALSE(big.empty());
    EXPECT_EQ(big.front(), "n=3") << "5. the layouts are in the file";
}

TEST_F(Resident, AnIconBeyondTheDesktopComesBackAtZeroAndABusyExplorerKeepsTheLayout) {
    // A desktop wider than the work area, as with a second monitor to the right.
    const RECT work = bench::WorkArea();
    bench::WindowSpec spec = DesktopStandIn();
    spec.rect = {0, 0, work.right + 700, 400};
    bench::TargetProcess desktop(spec);
    const HWND list = desktop.listView();
    const int onSecondMonitor = work.right + 200;
    Write("[Config]\r\nSmallIcon=1\r\n[IconSmall]\r\nn=2\r\nicon000_name=item1\r\nicon000_x=5000\r\nicon000_y=100\r\n"
          "icon001_name=item2\r\nicon001_x=" + std::to_string(onSecondMonitor) + "\r\nicon001_y=50\r\n");
    RunAndClose([&] {
        ASSERT_TRUE(bench::WaitFor([&] { return ShowsSmallIcons(list); })) << "the start switched to small icons";
        RECT client{};
        ::GetClientRect(list, &client);
        ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
        // The icons are placed once the view has switched.
        EXPECT_TRUE(bench::WaitFor([&] { return IconAt(list, 2).x == onSecondMonitor; }))
            << "1. beyond the work area, on the desktop: where it was, not at " << IconAt(list, 2).x;
        EXPECT_LT(bench::ListItemRect(list, 1, LVIR_BOUNDS).left - client.left, 20) << "1. beyond the desktop: at x = 0";
        desktop.Hang(5000);  // Explorer too busy to answer either save of the program's end
    });
    const std::vector<std::string> small = Section(Read(), "IconSmall");
    ASSERT_FALSE(small.empty());
    EXPECT_EQ(small.front(), "n=2") << "2. a desktop that did not answer leaves the layout as it was";
}

}  // namespace

namespace {

// The program's dialog whose extended style is layered: the volume display.
HWND VolumeDisplayOf(HWND frame) {
    return ProgramDialogWhere(frame, [](HWND w) { return (::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; });
}

// The bars along the middle row of the display, left to right: true for a bar in `lit`, false
// for one in `unlit`; pixels of neither colour are gaps (the screen below shows there).
std::vector<bool> BarsOnScreen(HWND display, COLORREF lit, COLORREF unlit) {
    const bench::ScreenShot shot(bench::WindowRect(display));
    std::vector<bool> bars;
    COLORREF previous = CLR_INVALID;
    for (int x = 0; x < shot.width(); ++x) {
        const COLORREF c = shot.Pixel(x, shot.height() / 2);
        if ((c == lit || c == unlit) && c != previous) bars.push_back(c == lit);
        previous = c;
    }
    return bars;
}

TEST_F(Resident, AVolumeChangeShowsTheBarsForAMoment) {
    // Bars at or below the level in green, above it in blue.
    Write("[Config]\r\nVolumeDispTime=500\r\nVolumeDispColor1=16711680\r\nVolumeDispColor2=65280\r\n");
    RunAndClose([&] {
        const HWND frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
        const HWND display = VolumeDisplayOf(frame);
        ASSERT_NE(display, nullptr) << "1. the display, made hidden";
        EXPECT_FALSE(::IsWindowVisible(display));
        ::SendMessageA(frame, MM_MIXM_CONTROL_CHANGE, 0, 0);  // what the mixer sends on a change
        EXPECT_TRUE(::IsWindowVisible(display)) << "2. shown at once";
        const DWORD shown = ::GetTickCount();
        // Along the bottom of the work area the program saw when it made the display.
        const RECT r = bench::WindowRect(display);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoA(::MonitorFromWindow(display, MONITOR_DEFAULTTONEAREST), &monitor);
        // (Under Wine the work area this process reads may differ from the one the program read.)
        const RECT screen = monitor.rcMonitor;
        const RECT work = monitor.rcWork;
        EXPECT_EQ(r.left, screen.left) << "2. along the bottom of the work area";
        EXPECT_EQ(r.right, screen.right);
        EXPECT_TRUE(r.bottom >= work.bottom && r.bottom <= screen.bottom) << r.bottom;
        EXPECT_GE(r.bottom - r.top, (work.bottom - work.top) / 12) << "2. a twelfth of it high";
        EXPECT_LE(r.bottom - r.top, (screen.bottom - screen.top) / 12);
        // What the program painted reaches the screen a moment later: read while it still shows.
        std::vector<bool> bars;
        bench::WaitFor([&] {
            bars = BarsOnScreen(display, RGB(0, 255, 0), RGB(0, 0, 255));
            return bars.size() == 100u || ::GetTickCount() - shown > 300;
        });
        ASSERT_EQ(bars.size(), 100u) << "3. a hundred bars on the screen, with the screen between them, read "
                                     << ::GetTickCount() - shown << " ms after it showed";
        const size_t lit = std::find(bars.begin(), bars.end(), false) - bars.begin();
        EXPECT_EQ(std::count(bars.begin(), bars.end(), true), static_cast<long>(lit)) << "3. the lit bars come first";
        // The program's own mixer volume, which is whole until something turns it down.
        EXPECT_EQ(lit, 100u) << "3. the level the program reads: full";
        ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindowVisible(display); }, 3000)) << "4. hidden again";
        const DWORD after = ::GetTickCount() - shown;
        EXPECT_GE(after, 400u) << "4. after its time of 500 ms";
        EXPECT_LE(after, 1500u);
        // Clicks on the shown display reach the window below it.
        bench::TargetProcess below(bench::WindowAt("below the bars", {r.left + 100, r.top - 200, r.left + 500, r.bottom}));
        ::SendMessageA(frame, MM_MIXM_CONTROL_CHANGE, 0, 0);
        ASSERT_TRUE(::IsWindowVisible(display));
        below.ResetCounts();
        bench::Click(r.left + 300, (r.top + r.bottom) / 2);
        below.SyncInput();
        EXPECT_EQ(below.Count(WM_LBUTTONDOWN), 1) << "5. the click went through the bars";

        // 6. The work area changes (a taskbar moved, a display docked): the bars follow it. Another
        // utility's hook sets the program's own work area, as Wine keeps one per process.
        const HMODULE chain = ::LoadLibraryA("qchain.dll");
        ASSERT_NE(chain, nullptr);
        const auto install = reinterpret_cast<BOOL (*)()>(::GetProcAddress(chain, "ChainInstall"));
        const auto remove = reinterpret_cast<void (*)()>(::GetProcAddress(chain, "ChainRemove"));
        ASSERT_TRUE(install && remove && install());
        const UINT setWorkArea = ::RegisterWindowMessageA("QChainSetWorkArea");
        const auto movesTo = [&](RECT area, UINT told, WPARAM what) {
            ::PostMessageA(display, setWorkArea, MAKEWPARAM(area.left, area.top), MAKELPARAM(area.right, area.bottom));
            const int height = (area.bottom - area.top) / 12;
            const RECT strip{area.left, area.bottom - height, area.right, area.bottom};
            return bench::WaitFor([&] {
                ::SendMessageA(display, told, what, 0);
                const RECT now = bench::WindowRect(display);
                return ::EqualRect(&now, &strip) != FALSE;
            });
        };
        EXPECT_TRUE(movesTo({screen.left + 100, screen.top, screen.right - 100, screen.bottom - 150}, WM_SETTINGCHANGE,
                            SPI_SETWORKAREA))
            << "6. along the new work area's bottom, and as wide: " << bench::WindowRect(display).left << ","
            << bench::WindowRect(display).right;
        EXPECT_TRUE(movesTo({screen.left, screen.top + 50, screen.right - 300, screen.bottom - 40}, WM_DISPLAYCHANGE, 32))
            << "6. and again on a new display setting";
        remove();
        ::FreeLibrary(chain);
    });
    Write("[Config]\r\nVolumeDisp=0\r\n");
    RunAndClose([&] {
        const HWND frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
        const HWND display = VolumeDisplayOf(frame);
        ::SendMessageA(frame, MM_MIXM_CONTROL_CHANGE, 0, 0);
        EXPECT_FALSE(bench::WaitFor([&] { return ::IsWindowVisible(display) != FALSE; }, 700))
            << "4. with the display off, nothing shows";
    });
}

}  // namespace
