// The mouse-shortcut dialog and the About box of the real program, opened from its icon's menu
// and driven through their controls as a person drives them.
#include "tests/wine/support/bench_support.h"
#include "tests/wine/support/resident_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <shlobj.h>

#include "hooklib/quordll.h"

namespace {

using bench::ClickControl;
using bench::ControlText;
using bench::ResidentProgram;

// Texts of the program's controls are in the system's code page.
std::string Ansi(const wchar_t* text) {
    char bytes[1024] = {};
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

constexpr int kDesktopDoubleClick = 1016;
constexpr int kDesktopCtrlDoubleClick = 1017;
constexpr int kDesktopCtrlWheel = 1021;
constexpr int kTaskbarDoubleClick = 1018;
constexpr int kTitleWheel = 1024;
constexpr int kTitleCtrlWheel = 1025;
constexpr int kTitleRight = 1037;
constexpr int kAlphaBox = 1031;
constexpr int kApply = 3;

class Tools : public ::testing::Test {
protected:
    void SetUp() override {
        SetUnAvailable(0);  // maps the library in this process too, to see its block
        ::DeleteFileA(bench::SettingsPath().c_str());
    }
    void TearDown() override { ::DeleteFileA(bench::SettingsPath().c_str()); }

    // The program's message box over `dialog` (titled with the program's name); its text.
    static HWND MessageBoxOver(HWND frame, HWND dialog, std::wstring* text = nullptr) {
        HWND box = nullptr;
        bench::WaitFor([&] {
            box = bench::ProgramDialogWhere(frame, [&](HWND w) {
                return w != dialog && ::IsWindowVisible(w) && ::GetWindow(w, GW_OWNER) == dialog;
            });
            return box != nullptr;
        });
        if (box && text) {
            wchar_t body[512] = {};
            ::GetDlgItemTextW(box, 0xFFFF, body, 512);
            *text = body;
        }
        return box;
    }
    static void CloseBox(HWND box) {
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        bench::WaitFor([&] { return !::IsWindow(box); });
    }
    static int Count(HWND dialog, int box) { return static_cast<int>(::SendMessageA(::GetDlgItem(dialog, box), CB_GETCOUNT, 0, 0)); }
    static bool Lists(HWND dialog, int box, const wchar_t* text) {
        return ::SendMessageW(::GetDlgItem(dialog, box), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(text)) != CB_ERR;
    }
    static std::wstring WideText(HWND dialog, int id) {
        wchar_t text[512] = {};
        ::GetDlgItemTextW(dialog, id, text, 512);
        return text;
    }
    static void SetText(HWND dialog, int box, const std::string& text) {
        ::SendMessageA(::GetDlgItem(dialog, box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    static HWND OpenMouseShortcuts(HWND frame) {
        if (!bench::ChooseTrayMenuItem(frame, 1)) return nullptr;
        return bench::WaitForProgramDialog(frame, L"マウスショートカットの設定");
    }
};

// A file dropped as the shell drops it: the drop structure in the receiving program's memory, the
// cursor over the point of the drop.
void DropFile(HWND dialog, POINT at, const std::string& path) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(dialog, &pid);
    quor::unique_handle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
    ASSERT_TRUE(process);
    std::string block(sizeof(DROPFILES), '\0');
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.pt = at;
    std::memcpy(block.data(), &header, sizeof header);
    block += path;
    block.append(2, '\0');  // the list ends with an empty name
    void* remote = ::VirtualAllocEx(process.get(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    ASSERT_TRUE(::WriteProcessMemory(process.get(), remote, block.data(), block.size(), nullptr));
    // The pointer really there: moved as input moves it, and warped (another program reads the
    // pointer's place from the display under Wine).
    bench::MoveMouse(at.x, at.y);
    ::SetCursorPos(at.x, at.y);
    ASSERT_TRUE(bench::WaitFor([&] {
        POINT now{};
        ::GetCursorPos(&now);
        return now.x == at.x && now.y == at.y;
    }));
    ASSERT_TRUE(::PostMessageA(dialog, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0)) << ::GetLastError();
}

POINT CentreOf(HWND window) {
    const RECT r = bench::WindowRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(Tools, MouseShortcutsShowTheDefaultsAndTheCommandsEachPlaceCanRun) {
    ResidentProgram program;
    ASSERT_TRUE(program.WaitUntilUp());
    const HWND dialog = OpenMouseShortcuts(program.Frame());
    ASSERT_NE(dialog, nullptr) << "1. opened from the icon's menu";
    bench::SaveWindowShot(dialog, "dialog-mouse-shortcuts");
    // Read through the wide calls: the names must show right whatever the program's code page.
    EXPECT_EQ(WideText(dialog, kDesktopDoubleClick), L"スクリーンセーバー") << "1. the defaults, with no file";
    EXPECT_EQ(WideText(dialog, kTaskbarDoubleClick), L"スクリーンセーバー");
    EXPECT_EQ(WideText(dialog, kTitleRight), L"閉じる");
    EXPECT_EQ(ControlText(dialog, kAlphaBox), "200");
    const wchar_t* showDesktop = L"デスクトップの表示/戻す";
    const wchar_t* minimize = L"最小化";
    EXPECT_TRUE(Lists(dialog, kTitleWheel, showDesktop)) << "2. the title bar's wheel click can show the desktop";
    EXPECT_FALSE(Lists(dialog, kTitleRight, showDesktop)) << "2. its right-click cannot";
    EXPECT_FALSE(Lists(dialog, kTitleCtrlWheel, showDesktop)) << "2. nor a modified click";
    EXPECT_FALSE(Lists(dialog, kDesktopCtrlDoubleClick, showDesktop));
    EXPECT_TRUE(Lists(dialog, kTitleRight, minimize)) << "2. window commands on the title bar";
    EXPECT_FALSE(Lists(dialog, kDesktopDoubleClick, minimize)) << "2. and not on the desktop";
    EXPECT_EQ(Count(dialog, kTitleWheel), 34);
    EXPECT_EQ(Count(dialog, kTitleRight), 33);
    EXPECT_EQ(Count(dialog, kDesktopDoubleClick), 22);
    EXPECT_EQ(Count(dialog, kDesktopCtrlDoubleClick), 21);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(dialog); })) << "3. Cancel closes it";
    ASSERT_TRUE(program.Close());
}

TEST_F(Tools, MouseShortcutsRefuseWhatTheLibraryCannotTakeAndWriteNothing) {
    ResidentProgram program;
    ASSERT_TRUE(program.WaitUntilUp());
    const HWND frame = program.Frame();
    const HWND dialog = OpenMouseShortcuts(frame);
    ASSERT_NE(dialog, nullptr);
    for (const char* alpha : {"0", "256"}) {
        SetText(dialog, kAlphaBox, alpha);
        ClickControl(dialog, kApply);
        std::wstring text;
        const HWND box = MessageBoxOver(frame, dialog, &text);
        ASSERT_NE(box, nullptr) << "1. the range message for " << alpha;
        EXPECT_NE(text.find(L"1 から 255"), std::wstring::npos);
        CloseBox(box);
        EXPECT_TRUE(::IsWindow(dialog)) << "1. the dialog stays open";
        EXPECT_EQ(::GetFileAttributesA(bench::SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES) << "1. nothing written";
    }
    SetText(dialog, kAlphaBox, "120");
    SetText(dialog, kDesktopCtrlWheel, "notepad.exe " + std::string(300, 'x'));
    ClickControl(dialog, kApply);
    std::wstring text;
    const HWND box = MessageBoxOver(frame, dialog, &text);
    ASSERT_NE(box, nullptr) << "2. a command line too long for the library is refused";
    EXPECT_NE(text.find(L"デスクトップを: Ctrl + ホイールクリック"), std::wstring::npos) << "2. naming its box";
    CloseBox(box);
    EXPECT_EQ(::GetFileAttributesA(bench::SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES) << "2. nothing written";
    EXPECT_EQ(ControlText(dialog, kDesktopCtrlWheel).size(), 312u) << "2. and nothing cut";

    const std::string kept = "[Config]\r\nDWC=kept.exe\r\n";
    bench::WriteSettingsFile(kept);
    ::SetFileAttributesA(bench::SettingsPath().c_str(), FILE_ATTRIBUTE_READONLY);
    SetText(dialog, kDesktopCtrlWheel, "notepad.exe");
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    const HWND failed = MessageBoxOver(frame, dialog, &text);
    ASSERT_NE(failed, nullptr) << "3. a file that takes no save is reported";
    EXPECT_NE(text.find(L"設定ファイルに保存できませんでした"), std::wstring::npos) << "3. " << text.size();
    CloseBox(failed);
    EXPECT_TRUE(::IsWindow(dialog)) << "3. OK leaves the dialog open";
    EXPECT_EQ(ControlText(dialog, kDesktopCtrlWheel), "notepad.exe") << "3. with what was typed";
    EXPECT_STRNE(bench::Block().MouseCut[5], "notepad.exe") << "3. and applies nothing";
    EXPECT_EQ(bench::ReadSettingsFile(), kept) << "3. the file as it was";
    ::SetFileAttributesA(bench::SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(program.Close());
}

TEST_F(Tools, ADroppedFileAndAnAppliedCommandReachTheFileAndTheLibrary) {
    ResidentProgram program;
    ASSERT_TRUE(program.WaitUntilUp());
    const HWND frame = program.Frame();
    const HWND dialog = OpenMouseShortcuts(frame);
    ASSERT_NE(dialog, nullptr);
    const auto allTexts = [&] {
        std::vector<std::string> texts;
        for (int id = 1016; id <= 1040; ++id)
            if (id != kAlphaBox) texts.push_back(ControlText(dialog, id));
        return texts;
    };
    const std::vector<std::string> before = allTexts();
    // Onto the dialog's background first: nothing changes.
    const RECT whole = bench::WindowRect(dialog);
    DropFile(dialog, {whole.left + 12, whole.bottom - 12}, "C:\\windows\\regedit.exe");
    const std::string path = "C:\\windows\\notepad.exe";
    DropFile(dialog, CentreOf(::GetDlgItem(dialog, kDesktopCtrlWheel)), path);
    ASSERT_TRUE(bench::WaitFor([&] { return ControlText(dialog, kDesktopCtrlWheel) == path; }))
        << "1. the box under the cursor takes the file's path";
    bench::ParkPointerAwayFromTheDialogs();
    std::vector<std::string> after = allTexts();
    after[kDesktopCtrlWheel - 1016] = before[kDesktopCtrlWheel - 1016];
    EXPECT_EQ(after, before) << "1. the drop onto the background changed no box, and the other drop only its own";
    EXPECT_EQ(::GetFileAttributesA(bench::SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES) << "1. not yet written";

    const std::string minimize = Ansi(L"最小化");
    SetText(dialog, kTitleRight, minimize);
    SetText(dialog, kAlphaBox, "120");
    ClickControl(dialog, kApply);
    ASSERT_TRUE(bench::WaitFor([&] { return std::string(bench::Block().MouseCut[12]) == minimize; }))
        << "2. 適用 pushes the texts into the library";
    EXPECT_TRUE(bench::WaitFor([] { return bench::Block().Alpha == 120; })) << "2. and the opacity";
    const std::vector<std::string> config = bench::IniSection(bench::ReadSettingsFile(), "Config");
    const auto has = [&](const std::string& line) { return std::find(config.begin(), config.end(), line) != config.end(); };
    EXPECT_TRUE(has("DWC=" + path)) << "2. and writes them";
    EXPECT_TRUE(has("BR=" + minimize));
    EXPECT_TRUE(has("Alpha=120"));
    EXPECT_EQ(config.size(), 25u) << "2. the 24 keys and the opacity";

    bench::TargetProcess target(bench::WindowAt("right-clicked", {200, 150, 600, 450}));
    const POINT caption = bench::HitPoint(target.window(), HTCAPTION);
    bench::Click(caption.x, caption.y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsIconic(target.window()) != FALSE; }))
        << "3. a right-click on a title bar runs the new command";
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(dialog); })) << "4. OK saves and closes";
    ASSERT_TRUE(program.Close());
}

TEST_F(Tools, TheSettingsDialogsButtonsOpenTheShortcutsAndTheWindowListAfterApplyingItsValues) {
    ResidentProgram program;
    ASSERT_TRUE(program.WaitUntilUp());
    const HWND frame = program.Frame();
    ASSERT_TRUE(bench::ChooseTrayMenuItem(frame, 0));
    const HWND settings = bench::WaitForProgramDialog(frame, L"\"くおるべれ\"の設定");
    ASSERT_NE(settings, nullptr) << "1. the settings dialog from the icon's menu";
    SetText(settings, 1000, "33");  // the snap distance, typed and not applied
    ClickControl(settings, 1009);
    const HWND shortcuts = bench::WaitForProgramDialog(frame, L"マウスショートカットの設定");
    ASSERT_NE(shortcuts, nullptr) << "2. its shortcut button opens the shortcut dialog";
    EXPECT_EQ(bench::Block().Snap, 33) << "2. with the settings applied first";
    EXPECT_EQ(::GetWindow(shortcuts, GW_OWNER), settings) << "2. over the settings dialog";
    ::PostMessageA(shortcuts, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(shortcuts); }));
    ClickControl(settings, 1008);
    const HWND windows = bench::WaitForProgramDialog(frame, L"ウィンドウ一覧");
    ASSERT_NE(windows, nullptr) << "3. its window-list button opens the window list";
    ::PostMessageA(windows, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(windows); }));
    ASSERT_TRUE(program.Close());
}

// The shell's handler of web addresses, replaced for this test by a program that records them;
// the prefix's own handler comes back after.
class AddressRecorder {
public:
    AddressRecorder() {
        const std::string command = "\"" + bench::ProgramDir() + "\\qurl.exe\" %1";
        if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                              nullptr) == ERROR_SUCCESS) {
            char old[1024] = {};
            DWORD size = sizeof old;
            hadOld_ = ::RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
            old_ = old;
            ::RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                             static_cast<DWORD>(command.size() + 1));
        }
        ::DeleteFileA(Path().c_str());
    }
    ~AddressRecorder() {
        if (key_) {
            if (hadOld_)
                ::RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                                 static_cast<DWORD>(old_.size() + 1));
            else
                ::RegDeleteValueA(key_, nullptr);
            ::RegCloseKey(key_);
        }
        ::DeleteFileA(Path().c_str());
    }
    AddressRecorder(const AddressRecorder&) = delete;
    AddressRecorder& operator=(const AddressRecorder&) = delete;
    static std::string Path() { return bench::ProgramDir() + "\\qurl.txt"; }
    // The address handed over, once it arrived (then forgotten).
    static std::string Take() {
        std::string text;
        bench::WaitFor([&] {
            std::ifstream in(Path(), std::ios::binary);
            std::ostringstream all;
            all << in.rdbuf();
            text = all.str();
            return !text.empty();
        }, 10000);
        ::DeleteFileA(Path().c_str());
        return text;
    }

private:
    static constexpr char kKey[] = "https\\shell\\open\\command";
    HKEY key_ = nullptr;
    bool hadOld_ = false;
    std::string old_;
};

TEST_F(Tools, TheAboutBoxShowsTheVersionOnceAndOpensTheHomePage) {
    AddressRecorder browser;
    ResidentProgram program;
    ASSERT_TRUE(program.WaitUntilUp());
    const HWND frame = program.Frame();
    ASSERT_TRUE(bench::ChooseTrayMenuItem(frame, 4));
    const HWND about = bench::WaitForProgramDialog(frame, L"バージョン情報");
    ASSERT_NE(about, nullptr) << "1. opened from the icon's menu";
    bench::SaveWindowShot(about, "dialog-about");
    EXPECT_NE(::FindWindowExW(about, nullptr, L"Static", L"くおるべれ ver. 2.27"), nullptr) << "1. the version";
    ASSERT_TRUE(bench::ChooseTrayMenuItem(frame, 4));
    const auto aboutBoxes = [&] {
        int n = 0;
        bench::ProgramDialogWhere(frame, [&](HWND w) {
            wchar_t text[64] = {};
            ::GetWindowTextW(w, text, 64);
            n += std::wstring(text) == L"バージョン情報";
            return false;
        });
        return n;
    };
    EXPECT_FALSE(bench::WaitFor([&] { return aboutBoxes() > 1; }, 1000)) << "2. no second box while it is open";
    ClickControl(about, 1010);
    const std::string address = AddressRecorder::Take();
    EXPECT_NE(address.find("https://quorvelle.github.io/"), std::string::npos) << "3. the home page opened: " << address;
    EXPECT_TRUE(::IsWindowVisible(about)) << "3. beside the box, which stays open";
    ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(about); })) << "4. OK closes it";
    ASSERT_TRUE(bench::ChooseTrayMenuItem(frame, 5));
    EXPECT_NE(AddressRecorder::Take().find("https://quorvelle.github.io/"), std::string::npos)
        << "5. the menu's home-page item opens it too";
    ASSERT_TRUE(program.Close());
}

}  // namespace
