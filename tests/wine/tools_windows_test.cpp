// The window list and the auto-raise settings, opened in the real program as a person opens them
// (the icon's menu, the settings dialog's button) and driven through their controls from outside:
// the list box of another process is read with its own messages, the windows it acts on belong to
// helper processes, and the auto-raise values are read back from the bench's registry.
#include "tests/wine/support/bench_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hooklib/quordll.h"
#include "tests/wine/support/resident_support.h"
#include "tests/wine/support/rest_state.h"

namespace {

using bench::ClickControl;
using bench::ControlText;
using bench::ResidentProgram;

// Each test starts with no settings file beside the program, and leaves none.
class ToolsDialog : public ::testing::Test {
protected:
    void SetUp() override { ::DeleteFileA(bench::SettingsPath().c_str()); }
    void TearDown() override {
        program_.reset();  // it saves its settings as it exits
        ::DeleteFileA(bench::SettingsPath().c_str());
    }

    // Starts the program and waits for its frame and hooks; null (with a failure) when it did not come up.
    HWND StartProgram() {
        // Asking the library anything maps it here; the hidden window it had from an earlier run is forgotten.
        GetUnAvailable();
        bench::Block().DummyWnd = nullptr;
        program_ = std::make_unique<ResidentProgram>();
        if (!program_->WaitUntilUp()) {
            ADD_FAILURE() << "the program did not come up";
            return nullptr;
        }
        return program_->Frame();
    }

    std::unique_ptr<ResidentProgram> program_;
};

// A title in the program's code page, from UTF-8 source text.
std::string Ansi(const wchar_t* text) {
    char bytes[256] = {};
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// The program's visible dialog other than those given (a message box, say), or null.
HWND OtherProgramDialog(HWND frame, std::initializer_list<HWND> known) {
    return bench::ProgramDialogWhere(frame, [&](HWND w) {
        return ::IsWindowVisible(w) && std::find(known.begin(), known.end(), w) == known.end();
    });
}

std::wstring MessageBoxText(HWND box) {
    wchar_t text[256] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 256);
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The window list
// ---------------------------------------------------------------------------------------------
namespace {

constexpr int kList = 1013;

struct Entry {
    std::wstring text;
    HWND window;
};

// The entries of the window list, read from the program's list box.
std::vector<Entry> Entries(HWND dialog) {
    const HWND list = ::GetDlgItem(dialog, kList);
    std::vector<Entry> entries;
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::vector<wchar_t> buffer(length > 0 ? static_cast<size_t>(length) + 1 : 1);
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        entries.push_back({buffer.data(), reinterpret_cast<HWND>(::SendMessageW(list, LB_GETITEMDATA, i, 0))});
    }
    return entries;
}

// The index of the entry with this text, or -1.
int IndexOf(const std::vector<Entry>& entries, const std::wstring& text) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].text == text) return static_cast<int>(i);
    return -1;
}

bool Lists(HWND dialog, const std::wstring& text) { return IndexOf(Entries(dialog), text) >= 0; }

int Selection(HWND dialog) { return static_cast<int>(::SendMessageW(::GetDlgItem(dialog, kList), LB_GETCURSEL, 0, 0)); }

// The transparency box is the last the dialog writes when it shows a window's properties: a mark
// put there first and overwritten tells that the properties were shown anew, completely.
constexpr int kAlpha = 1029;
constexpr char kMark[] = "7";

void PutMark(HWND dialog) { ::SetDlgItemTextA(dialog, kAlpha, kMark); }
bool MarkOverwritten(HWND dialog) {
    return bench::WaitFor([&] { return ControlText(dialog, kAlpha) != kMark; });
}

// Clicks a button after which the properties are shown anew, and waits until they are.
bool ClickAndShow(HWND dialog, int id) {
    PutMark(dialog);
    ClickControl(dialog, id);
    return MarkOverwritten(dialog);
}

// Waits until the dialog has handled every click given to it so far. Its thread takes input in
// order, so once a click on one of the two read-only boxes (where a click changes nothing) has
// given that box the focus, the clicks before it are done with, notifications and all.
bool SettleInput(HWND dialog) {
    constexpr int kClassBox = 1039, kExecutableBox = 1044;
    const HWND box = ::GetDlgItem(dialog, bench::FocusOf(dialog) == ::GetDlgItem(dialog, kClassBox) ? kExecutableBox
                                                                                                     : kClassBox);
    const RECT r = bench::WindowRect(box);
    bench::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return bench::WaitFor([&] { return bench::FocusOf(dialog) == box; });
}

// Clicks an entry of the list, scrolled into view first, and waits until its properties are shown.
// The list tells the dialog of the selection when the button goes down and again after it let the
// mouse go: the end of the capture does not tell that the dialog is done showing them.
bool ClickEntry(HWND dialog, int index) {
    const HWND list = ::GetDlgItem(dialog, kList);
    ::SendMessageW(list, LB_SETTOPINDEX, index, 0);
    RECT item{};
    if (::SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) return false;
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
    PutMark(dialog);
    bench::Click((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    return SettleInput(dialog) && MarkOverwritten(dialog) && Selection(dialog) == index;
}

// Clicks the entry of this window.
bool SelectWindow(HWND dialog, HWND window) {
    const std::vector<Entry> entries = Entries(dialog);
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.window == window; });
    return found != entries.end() && ClickEntry(dialog, static_cast<int>(found - entries.begin()));
}

std::string Hex8(LONG_PTR value) {
    char text[16] = {};
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(value & 0xFFFFFFFF));
    return text;
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

bool IsChecked(HWND dialog, int id) { return ::SendMessageW(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

class WindowList : public ToolsDialog {
protected:
    // Opens the list from the icon's menu, as a person does; null (with a failure) when it did not open.
    HWND Open() {
        frame_ = StartProgram();
        if (!frame_) return nullptr;
        if (!bench::ChooseTrayMenuItem(frame_, 2)) {
            ADD_FAILURE() << "the icon's menu did not open";
            return nullptr;
        }
        const HWND dialog = bench::WaitForProgramDialog(frame_, L"ウィンドウ一覧");
        if (!dialog) ADD_FAILURE() << "the window list did not open";
        return dialog;
    }

    HWND frame_ = nullptr;
};

TEST_F(WindowList, TheFiltersLetInPopupsChildrenMinimizedAndHiddenWindows) {
    bench::TargetProcess plain(bench::WindowAt("wl plain", {100, 100, 400, 300}));
    bench::WindowSpec popupSpec = bench::WindowAt("wl popup", {150, 150, 350, 250});
    popupSpec.style = WS_POPUP | WS_BORDER | WS_VISIBLE;
    bench::TargetProcess popup(popupSpec);
    bench::WindowSpec mdiSpec = bench::WindowAt("wl mdi", {200, 120, 700, 500});
    mdiSpec.kind = "mdi";
    bench::TargetProcess mdi(mdiSpec);
    // Two windows: the first shown, the second ("wl two 2") never.
    bench::WindowSpec twoSpec = bench::WindowAt("wl two", {120, 200, 420, 400});
    twoSpec.style = WS_OVERLAPPEDWINDOW;
    twoSpec.windowCount = 2;
    bench::TargetProcess two(twoSpec);
    bench::TargetProcess small(bench::WindowAt("wl small", {140, 220, 440, 420}));
    ::ShowWindow(small.window(), SW_MINIMIZE);
    ASSERT_TRUE(bench::WaitFor([&] { return ::IsIconic(small.window()) != FALSE; }));

    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    std::vector<Entry> entries = Entries(dialog);
    const int plainAt = IndexOf(entries, L"wl plain"), mdiAt = IndexOf(entries, L"wl mdi"),
              twoAt = IndexOf(entries, L"wl two");
    ASSERT_GE(plainAt, 0) << "1. a plain visible window is listed";
    ASSERT_GE(mdiAt, 0);
    ASSERT_GE(twoAt, 0);
    EXPECT_EQ(entries[plainAt].window, plain.window()) << "1. with its handle";
    EXPECT_EQ(entries[mdiAt].window, mdi.window());
    EXPECT_EQ(IndexOf(entries, L"wl popup"), -1) << "1. no popup";
    EXPECT_EQ(IndexOf(entries, L"wl small"), -1) << "1. no minimized window";
    EXPECT_EQ(IndexOf(entries, L"wl two 2"), -1) << "1. no hidden window";
    EXPECT_EQ(IndexOf(entries, L"    child"), -1) << "1. no child";
    for (const Entry& e : entries) {
        EXPECT_NE(e.text.substr(0, 1), L" ") << "1. only top-level windows: " << Ansi(e.text.c_str());
        EXPECT_EQ(::GetAncestor(e.window, GA_PARENT), ::GetDesktopWindow());
    }
    // The system's order: the helpers' windows come in the list as EnumWindows gives them.
    std::vector<HWND> system;
    ::EnumWindows(
        [](HWND w, LPARAM out) {
            reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&system));
    const auto rank = [&](HWND w) { return std::find(system.begin(), system.end(), w) - system.begin(); };
    EXPECT_EQ(plainAt < mdiAt, rank(plain.window()) < rank(mdi.window())) << "1. in the system's order";
    EXPECT_EQ(mdiAt < twoAt, rank(mdi.window()) < rank(two.window()));

    ClickControl(dialog, 1042);  // 子ウィンドウ
    ASSERT_TRUE(bench::WaitFor([&] { return Lists(dialog, L"    child"); })) << "2. the MDI child, indented";
    entries = Entries(dialog);
    const int childAt = IndexOf(entries, L"    child");
    EXPECT_EQ(entries[childAt].window, mdi.mdiChild());
    EXPECT_EQ(entries[childAt - 1].window, mdi.window()) << "2. right under its top-level window (its client is untitled)";

    ClickControl(dialog, 1041);  // ポップアップウィンドウ
    EXPECT_TRUE(bench::WaitFor([&] { return Lists(dialog, L"wl popup"); })) << "3. popups";
    EXPECT_FALSE(Lists(dialog, L"wl small"));
    ClickControl(dialog, 1040);  // 最小化
    EXPECT_TRUE(bench::WaitFor([&] { return Lists(dialog, L"wl small"); })) << "4. minimized windows";
    EXPECT_FALSE(Lists(dialog, L"wl two 2"));
    ClickControl(dialog, 1043);  // 非表示
    EXPECT_TRUE(bench::WaitFor([&] { return Lists(dialog, L"wl two 2"); })) << "5. hidden windows";
    bench::SaveWindowShot(dialog, "dialog-window-list");

    ClickControl(dialog, 1042);
    EXPECT_TRUE(bench::WaitFor([&] { return !Lists(dialog, L"    child"); })) << "6. children off again";
    EXPECT_TRUE(Lists(dialog, L"wl two 2"));
    ClickControl(dialog, 1021);  // 閉じる
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(dialog); })) << "7. closed";
}

TEST_F(WindowList, TheProgramsOwnWindowsTheDesktopAndTheExcludedTitlesAreNeverListed) {
    bench::TargetProcess desktop(bench::WindowAt("Program Manager", {100, 100, 400, 300}));
    bench::WindowSpec windowsSpec = bench::WindowAt("Windows", {120, 120, 420, 320});
    windowsSpec.windowCount = 2;
    bench::TargetProcess windows(windowsSpec);
    const std::string ownName = Ansi(L"くおるべれ");
    bench::TargetProcess named(bench::WindowAt(ownName.c_str(), {140, 140, 440, 340}));
    bench::TargetProcess like(bench::WindowAt((ownName + " ").c_str(), {160, 160, 460, 360}));

    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ClickControl(dialog, 1043);  // 非表示: the program's hidden frame is a candidate too
    ASSERT_TRUE(bench::WaitFor([&] { return IsChecked(dialog, 1043) && Lists(dialog, L"Windows 2"); }))
        << "1. a title that only begins like an excluded one is listed";
    const std::vector<Entry> entries = Entries(dialog);
    EXPECT_GE(IndexOf(entries, L"くおるべれ "), 0) << "1. and so is one with a space more";
    for (const wchar_t* title : {L"Program Manager", L"Windows", L"くおるべれ", L"Quorvelle", L"ウィンドウ一覧"})
        EXPECT_EQ(IndexOf(entries, title), -1) << "2. never listed: " << Ansi(title);
    for (const Entry& e : entries) {
        EXPECT_NE(e.window, dialog) << "2. not the list itself";
        EXPECT_NE(e.window, frame_) << "2. nor the program's frame";
        EXPECT_NE(e.window, desktop.window());
        EXPECT_NE(e.window, named.window());
    }
    wchar_t frameTitle[64] = {};
    ::GetWindowTextW(frame_, frameTitle, 64);
    EXPECT_STREQ(frameTitle, L"Quorvelle") << "3. the frame is left out by its title";
}

TEST_F(WindowList, RefreshKeepsTheSelectedIndexWhileTheListIsLongEnough) {
    bench::WindowSpec spec = bench::WindowAt("wl sel", {100, 100, 400, 300});
    spec.windowCount = 3;
    bench::TargetProcess three(spec);
    auto gone = std::make_unique<bench::TargetProcess>(bench::WindowAt("wl gone", {300, 300, 600, 500}));

    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_GE(Selection(dialog), 0) << "1. an entry is selected from the start";
    const std::vector<HWND> helpers = three.windows();  // bottom to top
    const HWND second = helpers[1];
    ASSERT_TRUE(SelectWindow(dialog, second)) << "1. clicked in the list";
    const int index = Selection(dialog);
    EXPECT_TRUE(bench::IsAbove(second, helpers[2])) << "1. the selected window came up";
    EXPECT_TRUE(bench::IsAbove(dialog, second)) << "1. under the dialog";

    ASSERT_TRUE(ClickAndShow(dialog, 1014)) << "2. refreshed";  // 最新の情報に更新
    ASSERT_EQ(Selection(dialog), index) << "2. the same index after refresh";
    const HWND atIndex = Entries(dialog)[index].window;
    EXPECT_EQ(ControlText(dialog, 1036), std::to_string(bench::WindowRect(atIndex).left))
        << "2. with that entry's properties";

    const int last = static_cast<int>(Entries(dialog).size()) - 1;
    ASSERT_TRUE(ClickEntry(dialog, last)) << "3. the last entry";
    const HWND goneWindow = gone->window();
    gone.reset();
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(goneWindow); })) << "3. a listed window went";
    ASSERT_TRUE(ClickAndShow(dialog, 1014)) << "3. refreshed";
    EXPECT_EQ(static_cast<int>(Entries(dialog).size()), last) << "3. the list is one shorter";
    EXPECT_EQ(Selection(dialog), 0) << "3. and its first entry is selected";
}

TEST_F(WindowList, PropertiesOfAWindowOfAnotherProgram) {
    bench::WindowSpec spec = bench::WindowAt("wl props", {110, 120, 510, 420});
    spec.exStyle = WS_EX_ACCEPTFILES;
    bench::TargetProcess target(spec);
    const HWND w = target.window();

    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    const RECT work = bench::WorkArea(), placed = bench::WindowRect(dialog);
    EXPECT_EQ(placed.right, work.right) << "1. at the bottom-right of the work area";
    EXPECT_EQ(placed.bottom, work.bottom);
    EXPECT_NE(::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "1. topmost";

    ASSERT_TRUE(SelectWindow(dialog, w));
    EXPECT_TRUE(bench::IsAbove(dialog, w)) << "2. the window came up under the dialog";
    EXPECT_EQ(::GetForegroundWindow(), dialog) << "2. which keeps the keyboard";
    const RECT r = bench::WindowRect(w);
    EXPECT_EQ(ControlText(dialog, 1039), "QuorTarget") << "2. the class";
    EXPECT_EQ(ControlText(dialog, 1033), Hex8(::GetWindowLongPtrA(w, GWL_STYLE))) << "2. eight lower-case digits";
    EXPECT_EQ(ControlText(dialog, 1035), Hex8(::GetWindowLongPtrA(w, GWL_EXSTYLE))) << "2. with leading zeros";
    EXPECT_EQ(ControlText(dialog, 1035).substr(0, 5), "00000");
    std::string exe = ControlText(dialog, 1044);
    std::transform(exe.begin(), exe.end(), exe.begin(), [](char c) { return static_cast<char>(::tolower(c)); });
    EXPECT_GE(exe.size(), 12u);
    EXPECT_EQ(exe.substr(exe.size() - 12), "\\qhelper.exe") << "2. the other process's executable: " << exe;
    EXPECT_EQ(ControlText(dialog, 1022), std::to_string(r.left)) << "2. the rectangle";
    EXPECT_EQ(ControlText(dialog, 1023), std::to_string(r.top));
    EXPECT_EQ(ControlText(dialog, 1024), std::to_string(r.right));
    EXPECT_EQ(ControlText(dialog, 1025), std::to_string(r.bottom));
    EXPECT_EQ(ControlText(dialog, 1027), std::to_string(r.right - r.left)) << "2. the size";
    EXPECT_EQ(ControlText(dialog, 1028), std::to_string(r.bottom - r.top));
    EXPECT_EQ(ControlText(dialog, 1029), "100") << "2. the transparency starts at 100";
    EXPECT_FALSE(IsChecked(dialog, 1030) || IsChecked(dialog, 1032) || IsChecked(dialog, 1034) ||
                 IsChecked(dialog, 1046))
        << "2. neither maximized, minimized, topmost nor layered";
}

TEST_F(WindowList, TheButtonsMoveSizeCentreRaiseAndMaximizeAWindowOfAnotherProgram) {
    bench::TargetProcess target(bench::WindowAt("wl moved", {50, 60, 450, 360}));
    const HWND w = target.window();
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SelectWindow(dialog, w));

    ASSERT_TRUE(ClickAndShow(dialog, 1045)) << "1. centre";  // 中央
    const RECT work = bench::WorkArea();
    const LONG cx = work.left + (work.right - work.left - 400) / 2, cy = work.top + (work.bottom - work.top - 300) / 2;
    EXPECT_TRUE(bench::WaitFor([&] {
        const RECT r = bench::WindowRect(w);
        return r.left == cx && r.top == cy && r.right - r.left == 400 && r.bottom - r.top == 300;
    })) << "1. centred in the work area at " << cx << "," << cy;
    EXPECT_EQ(ControlText(dialog, 1036), std::to_string(cx)) << "1. the position shown";
    EXPECT_EQ(ControlText(dialog, 1037), std::to_string(cy));

    ::SetDlgItemTextA(dialog, 1036, "120");
    ::SetDlgItemTextA(dialog, 1037, "130");
    ASSERT_TRUE(ClickAndShow(dialog, 1038)) << "2. move";  // 位置変更
    EXPECT_TRUE(bench::WaitFor([&] {
        const RECT r = bench::WindowRect(w);
        return r.left == 120 && r.top == 130 && r.right - r.left == 400 && r.bottom - r.top == 300;
    })) << "2. moved, its size kept";
    EXPECT_EQ(ControlText(dialog, 1022), "120") << "2. the rectangle shown anew";

    ::SetDlgItemTextA(dialog, 1027, "300");
    ::SetDlgItemTextA(dialog, 1028, "200");
    ASSERT_TRUE(ClickAndShow(dialog, 1031)) << "3. resize";  // サイズ変更
    EXPECT_TRUE(bench::WaitFor([&] {
        const RECT r = bench::WindowRect(w);
        return r.left == 120 && r.top == 130 && r.right == 420 && r.bottom == 330;
    })) << "3. resized in place";

    const std::pair<int, const char*> typed[] = {{1022, "200"}, {1023, "210"}, {1024, "600"}, {1025, "510"}};
    for (const auto& [id, text] : typed) ::SetDlgItemTextA(dialog, id, text);
    ASSERT_TRUE(ClickAndShow(dialog, 1026)) << "4. change";  // 変更
    EXPECT_TRUE(bench::WaitFor([&] {
        const RECT r = bench::WindowRect(w);
        return r.left == 200 && r.top == 210 && r.right == 600 && r.bottom == 510;
    })) << "4. the rectangle typed";

    ClickControl(dialog, 1034);  // 最前面
    EXPECT_TRUE(bench::WaitFor([&] { return (::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }))
        << "5. topmost";
    ClickControl(dialog, 1034);
    EXPECT_TRUE(bench::WaitFor([&] { return (::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }))
        << "5. and not again";

    ClickControl(dialog, 1030);  // 最大化
    EXPECT_TRUE(bench::WaitFor([&] { return ::IsZoomed(w) != FALSE; })) << "6. maximized";
    ClickControl(dialog, 1030);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsZoomed(w); })) << "6. restored";
    EXPECT_TRUE(bench::WaitFor([&] { return bench::WindowRect(w).left == 200; })) << "6. to its place: " << [&] {
        const RECT r = bench::WindowRect(w);
        WINDOWPLACEMENT p{sizeof p};
        ::GetWindowPlacement(w, &p);
        const RECT& n = p.rcNormalPosition;
        return std::to_string(r.left) + "," + std::to_string(r.top) + " (show " + std::to_string(p.showCmd) +
               ", normally at " + std::to_string(n.left) + "," + std::to_string(n.top) + "); window " +
               (::IsWindow(w) ? "there" : "gone") + ", its program's exit code " + std::to_string(target.ExitCode());
    }();

    ::SetDlgItemTextA(dialog, 1036, "");
    // 最小化, with a position box holding no number (a click the button takes for certain: the
    // message box it leads to keeps a sent message from returning).
    ::PostMessageA(::GetDlgItem(dialog, 1032), BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(bench::WaitFor([&] { return (box = OtherProgramDialog(frame_, {dialog})) != nullptr; }))
        << "7. the empty box is reported";
    EXPECT_EQ(MessageBoxText(box), L"整数を入力してください。");
    ClickControl(box, IDOK);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_FALSE(::IsIconic(w)) << "7. and nothing was done";
    EXPECT_FALSE(IsChecked(dialog, 1032)) << "7. the button shows the window's state again";
}

TEST_F(WindowList, TransparencyTogglesTheLayeredStyleOfAWindowOfAnotherProgram) {
    bench::TargetProcess target(bench::WindowAt("wl glass", {80, 90, 480, 390}));
    const HWND w = target.window();
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SelectWindow(dialog, w));

    ::SetDlgItemTextA(dialog, 1029, "128");
    ClickControl(dialog, 1046);  // 透明化
    // The style comes first and the alpha after it: the alpha is what is waited for.
    EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == 128; }))
        << "1. layered at the alpha typed: " << bench::LayeredAlpha(w);
    EXPECT_TRUE(bench::WaitFor([&] { return IsChecked(dialog, 1046); }));

    ClickControl(dialog, 1046);
    EXPECT_TRUE(bench::WaitFor([&] { return (::GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_LAYERED) == 0; }))
        << "2. no longer layered";
    EXPECT_TRUE(bench::WaitFor([&] { return !IsChecked(dialog, 1046); }));

    ::SetDlgItemTextA(dialog, 1029, "300");
    ClickControl(dialog, 1046);
    EXPECT_TRUE(bench::WaitFor([&] { return bench::LayeredAlpha(w) == (300 & 0xFF); }))
        << "3. the low byte of a larger number: " << bench::LayeredAlpha(w);
}

TEST_F(WindowList, AWindowThatDoesNotAnswerIsLeftAloneTheProgramStaysResponsiveAndSaysSo) {
    bench::TargetProcess target(bench::WindowAt("wl hung", {80, 90, 480, 390}));
    const HWND w = target.window();
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SelectWindow(dialog, w));
    target.Hang(4000);
    ASSERT_TRUE(bench::WaitFor([&] {
        DWORD_PTR ignored = 0;
        return ::SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) == 0;
    })) << "1. the other program's window stopped answering";
    const DWORD start = ::GetTickCount();
    ClickControl(dialog, 1030);  // 最大化
    // The program's thread also runs the input hooks: it must not wait for the hung window.
    EXPECT_TRUE(bench::WaitFor([&] { return !IsChecked(dialog, 1030) && ::GetTickCount() - start > 100; }, 1500))
        << "2. the button went back at once, the window left alone";
    DWORD_PTR ignored = 0;
    EXPECT_NE(::SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored), 0u)
        << "2. the program answers meanwhile";
    EXPECT_LT(::GetTickCount() - start, 3000u) << "2. long before the other window answers again";
    EXPECT_FALSE(::IsZoomed(w));
    HWND box = nullptr;
    EXPECT_TRUE(bench::WaitFor([&] {
        box = bench::ProgramDialogWhere(frame_, [&](HWND d) { return ::GetWindow(d, GW_OWNER) == dialog; });
        return box != nullptr;
    })) << "3. the person is told that nothing was done";
    wchar_t said[128] = {};
    ::GetDlgItemTextW(box, 0xFFFF, said, 128);
    EXPECT_NE(std::wstring(said).find(L"応答していない"), std::wstring::npos) << "3. because the window is not responding";
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); }));
}

TEST_F(WindowList, MovingAChildPlacesItAtScreenCoordinates) {
    bench::WindowSpec spec = bench::WindowAt("wl parent", {100, 100, 700, 500});
    spec.kind = "mdi";
    bench::TargetProcess target(spec);
    const HWND child = target.mdiChild();
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ClickControl(dialog, 1042);  // 子ウィンドウ
    ASSERT_TRUE(bench::WaitFor([&] { return Lists(dialog, L"    child"); }));
    ASSERT_TRUE(SelectWindow(dialog, child));
    const RECT client = bench::WindowRect(target.mdiClient());
    const int x = client.left + 40, y = client.top + 30;
    ::SetDlgItemTextA(dialog, 1036, std::to_string(x).c_str());
    ::SetDlgItemTextA(dialog, 1037, std::to_string(y).c_str());
    ASSERT_TRUE(ClickAndShow(dialog, 1038));  // 位置変更
    EXPECT_TRUE(bench::WaitFor([&] {
        const RECT r = bench::WindowRect(child);
        return r.left == x && r.top == y && r.right - r.left == 200;
    })) << "the child's screen place is the one typed: " << RectText(bench::WindowRect(child));
}

TEST_F(WindowList, MovingAnOwnedPopupKeepsScreenCoordinates) {
    // A dialog box of another program: a popup whose owner GetParent reports as if it were a parent.
    bench::WindowSpec spec = bench::WindowAt("wl owned", {100, 100, 400, 300});
    spec.kind = "owned";
    spec.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    bench::TargetProcess target(spec);
    const HWND w = target.window();
    ASSERT_NE(::GetParent(w), nullptr) << "the owner stands as its parent";
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ClickControl(dialog, 1041);  // ポップアップウィンドウ
    ASSERT_TRUE(bench::WaitFor([&] { return Lists(dialog, L"wl owned"); }));
    ASSERT_TRUE(SelectWindow(dialog, w));
    ::SetDlgItemTextA(dialog, 1036, "150");
    ::SetDlgItemTextA(dialog, 1037, "160");
    ASSERT_TRUE(ClickAndShow(dialog, 1038));  // 位置変更
    EXPECT_TRUE(bench::WaitFor([&] {
        const RECT r = bench::WindowRect(w);
        return r.left == 150 && r.top == 160 && r.right == 450 && r.bottom == 360;
    })) << "at the screen place typed, not shifted by the owner's place: " << RectText(bench::WindowRect(w));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Auto-raise
// ---------------------------------------------------------------------------------------------
namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kMask[] = "UserPreferencesMask";
constexpr char kTimeout[] = "ActiveWndTrkTimeout";

struct RegistryValue {
    DWORD type = 0;
    std::vector<BYTE> bytes;
};

std::optional<RegistryValue> ReadValue(const char* name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    RegistryValue value;
    DWORD size = 0;
    std::optional<RegistryValue> result;
    if (::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.resize(size);
        if (::RegQueryValueExA(key, name, nullptr, &value.type, value.bytes.data(), &size) == ERROR_SUCCESS) {
            value.bytes.resize(size);
            result = value;
        }
    }
    ::RegCloseKey(key);
    return result;
}

// Writes the value, or deletes it for nullopt.
void WriteValue(const char* name, const std::optional<RegistryValue>& value) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (value)
        ::RegSetValueExA(key, name, 0, value->type, value->bytes.data(), static_cast<DWORD>(value->bytes.size()));
    else
        ::RegDeleteValueA(key, name);
    ::RegCloseKey(key);
}

RegistryValue Binary(std::vector<BYTE> bytes) { return {REG_BINARY, std::move(bytes)}; }

RegistryValue Dword(DWORD number) {
    const BYTE* p = reinterpret_cast<const BYTE*>(&number);
    return {REG_DWORD, {p, p + sizeof number}};
}

std::vector<BYTE> MaskBytes() {
    const std::optional<RegistryValue> v = ReadValue(kMask);
    return v ? v->bytes : std::vector<BYTE>{};
}

std::optional<DWORD> Timeout() {
    const std::optional<RegistryValue> v = ReadValue(kTimeout);
    if (!v || v->type != REG_DWORD || v->bytes.size() != 4) return {};
    DWORD number = 0;
    std::copy(v->bytes.begin(), v->bytes.end(), reinterpret_cast<BYTE*>(&number));
    return number;
}

// The bench's own registry is changed, and the running system's window tracking with it (which
// Wine keeps in the registry for the session): each test puts back the values as it found them.
class AutoRaise : public ToolsDialog {
protected:
    void SetUp() override {
        ToolsDialog::SetUp();
        saved_ = bench::ReadComparedRegistry();
    }
    void TearDown() override {
        program_.reset();
        bench::RestoreRegistry(saved_);
        ToolsDialog::TearDown();
    }

    // The settings dialog from the icon's menu, then its button "オートレイズの設定".
    HWND Open() {
        if (!frame_) frame_ = StartProgram();
        if (!frame_) return nullptr;
        if (!settings_ || !::IsWindowVisible(settings_)) {
            if (!bench::ChooseTrayMenuItem(frame_, 0)) {
                ADD_FAILURE() << "the icon's menu did not open";
                return nullptr;
            }
            settings_ = bench::WaitForProgramDialog(frame_, L"\"くおるべれ\"の設定");
            if (!settings_) {
                ADD_FAILURE() << "the settings dialog did not open";
                return nullptr;
            }
        }
        ClickControl(settings_, 1007);
        const HWND dialog = bench::WaitForProgramDialog(frame_, L"オートレイズの設定");
        if (!dialog) ADD_FAILURE() << "the auto-raise dialog did not open";
        return dialog;
    }

    // OK or Cancel, and the dialog's end.
    static bool Close(HWND dialog, int button) {
        ClickControl(dialog, button);
        return bench::WaitFor([&] { return !::IsWindow(dialog); });
    }

    HWND frame_ = nullptr;
    HWND settings_ = nullptr;
    std::map<std::string, bench::StoredValue> saved_;
};

TEST_F(AutoRaise, WithoutValuesTheDialogShows500AndOffAndOkWritesTheDefaultMask) {
    WriteValue(kMask, std::nullopt);
    WriteValue(kTimeout, std::nullopt);
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, 1009), "500") << "1. no timeout: 500";
    EXPECT_FALSE(IsChecked(dialog, 1007)) << "1. no mask: off";
    ASSERT_TRUE(Close(dialog, IDCANCEL)) << "2. cancel";
    EXPECT_FALSE(ReadValue(kMask)) << "2. wrote nothing";
    EXPECT_FALSE(ReadValue(kTimeout));

    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ClickControl(dialog, 1007);
    ASSERT_TRUE(bench::WaitFor([&] { return IsChecked(dialog, 1007); }));
    ASSERT_TRUE(Close(dialog, IDOK)) << "3. on, OK";
    EXPECT_EQ(MaskBytes(), (std::vector<BYTE>{0xDF, 0x3E, 0x00, 0x80})) << "3. the default bytes with both bits";
    EXPECT_EQ(ReadValue(kMask)->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(Timeout(), 500u) << "3. and the delay shown";

    WriteValue(kMask, Binary({0x9F, 0x3E, 0x00, 0x80}));  // tracking without raising
    WriteValue(kTimeout, Dword(250));
    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, 1009), "250") << "4. the registry's delay";
    EXPECT_FALSE(IsChecked(dialog, 1007)) << "4. one bit of the two is off";
    ASSERT_TRUE(Close(dialog, IDCANCEL));
}

TEST_F(AutoRaise, ADelayAbove10000IsRefusedAndTheDialogStays) {
    WriteValue(kMask, Binary({0x9E, 0x3E, 0x00, 0x80}));
    WriteValue(kTimeout, Dword(700));
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, 1009), "700");
    ::SetDlgItemTextA(dialog, 1009, "10001");
    ClickControl(dialog, IDOK);
    HWND box = nullptr;
    ASSERT_TRUE(bench::WaitFor([&] { return (box = OtherProgramDialog(frame_, {dialog, settings_})) != nullptr; }))
        << "1. the range message";
    EXPECT_EQ(MessageBoxText(box), L"0 から 10000 までの整数を入力してください。");
    ClickControl(box, IDOK);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); })) << "2. the message closed";
    EXPECT_TRUE(::IsWindowVisible(dialog)) << "2. the dialog stays";
    EXPECT_TRUE(bench::WaitFor([&] { return bench::FocusOf(dialog) == ::GetDlgItem(dialog, 1009); }))
        << "2. with the focus in the delay";
    EXPECT_EQ(Timeout(), 700u) << "2. nothing written";

    ::SetDlgItemTextA(dialog, 1009, "10000");
    ASSERT_TRUE(Close(dialog, IDOK)) << "3. 10000 is taken";
    EXPECT_EQ(Timeout(), 10000u);
}

TEST_F(AutoRaise, EnablingWith300SetsTheTwoBitsTheDelayAndTheRunningSystem) {
    WriteValue(kMask, Binary({0x9E, 0x3E, 0x07, 0x80}));
    WriteValue(kTimeout, Dword(500));
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ClickControl(dialog, 1007);
    ::SetDlgItemTextA(dialog, 1009, "300");
    ASSERT_TRUE(bench::WaitFor([&] { return IsChecked(dialog, 1007); }));
    bench::SaveWindowShot(dialog, "dialog-auto-raise");
    ASSERT_TRUE(Close(dialog, IDOK)) << "1. on with 300, OK";

    EXPECT_EQ(MaskBytes(), (std::vector<BYTE>{0xDF, 0x3E, 0x07, 0x80})) << "2. exactly the two bits set";
    EXPECT_EQ(Timeout(), 300u) << "2. the delay";
    // Read only now: this process then takes the value as the program left it.
    BOOL tracking = FALSE;
    ::SystemParametersInfoA(SPI_GETACTIVEWINDOWTRACKING, 0, &tracking, 0);
    EXPECT_TRUE(tracking) << "3. the system tracks the active window";
}

TEST_F(AutoRaise, TheRunningSystemRaisesTheTrackedWindowAfterTheDelay) {
    WriteValue(kMask, Binary({0x9E, 0x3E, 0x00, 0x80}));
    const HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    ClickControl(dialog, 1007);
    ::SetDlgItemTextA(dialog, 1009, "300");
    ASSERT_TRUE(bench::WaitFor([&] { return IsChecked(dialog, 1007); }));
    ASSERT_TRUE(Close(dialog, IDOK));
    BOOL raising = FALSE;
    DWORD timeout = 0;
    ::SystemParametersInfoA(SPI_GETACTIVEWNDTRKZORDER, 0, &raising, 0);
    ::SystemParametersInfoA(SPI_GETACTIVEWNDTRKTIMEOUT, 0, &timeout, 0);
    EXPECT_TRUE(raising) << "the tracked window comes to the top";
    EXPECT_EQ(timeout, 300u) << "after the delay";
}

TEST_F(AutoRaise, ALongMaskKeepsEveryFurtherByte) {
    const std::vector<BYTE> eight{0x90, 0x12, 0x03, 0x80, 0x10, 0x00, 0x00, 0x00};
    WriteValue(kMask, Binary(eight));
    HWND dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsChecked(dialog, 1007)) << "1. read whole: off";
    ClickControl(dialog, 1007);
    ASSERT_TRUE(bench::WaitFor([&] { return IsChecked(dialog, 1007); }));
    ASSERT_TRUE(Close(dialog, IDOK));
    EXPECT_EQ(MaskBytes(), (std::vector<BYTE>{0xD1, 0x12, 0x03, 0x80, 0x10, 0x00, 0x00, 0x00}))
        << "2. eight bytes, only the two bits changed";

    dialog = Open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsChecked(dialog, 1007)) << "3. read whole: on";
    ClickControl(dialog, 1007);
    ASSERT_TRUE(bench::WaitFor([&] { return !IsChecked(dialog, 1007); }));
    ASSERT_TRUE(Close(dialog, IDOK));
    EXPECT_EQ(MaskBytes(), eight) << "4. off again: the value as it was";
}

}  // namespace
