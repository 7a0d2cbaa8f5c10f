// The password generator and the statistics dialog of the real program, opened from its icon's
// menu, driven through their controls, and read back from the list boxes, the settings file and
// the clipboard as another program sees them.
#include "tests/wine/support/bench_support.h"
#include "tests/wine/support/resident_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "hooklib/quordll.h"

namespace {

using bench::ControlText;
using bench::ResidentProgram;

constexpr int kList = 1041, kGenerate = 1042, kCopy = 1043, kCount = 1044, kChars = 1045;
constexpr int kCapital = 1048, kSmall = 1049, kNumeral = 1050;
constexpr int kTable = 1013, kReset = 1015, kCopyTable = 1016, kTotalTime = 1046;

// Texts of the program's controls and clipboard are in the system's code page.
std::string Ansi(const wchar_t* text) {
    char bytes[1024] = {};
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    return bytes;
}

// The clipboard's plain text, as any program reads it; nullopt when there is none.
std::optional<std::string> ClipboardText() {
    if (!bench::WaitFor([] { return ::OpenClipboard(nullptr) != FALSE; })) return std::nullopt;
    std::optional<std::string> text;
    if (const HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) {
            text = std::string(bytes, strnlen(bytes, ::GlobalSize(data)));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

// Puts `text` on the clipboard with `owner` as its owner; false when the clipboard stayed busy.
bool PutOnClipboard(HWND owner, const char* text) {
    if (!bench::WaitFor([&] { return ::OpenClipboard(owner) != FALSE; })) return false;
    ::EmptyClipboard();
    const size_t size = std::strlen(text) + 1;
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), text, size);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
    return true;
}

// Something else on the clipboard first, so that a copy that did nothing shows.
void PutMarkerOnClipboard() { ASSERT_TRUE(PutOnClipboard(nullptr, "marker")); }

// A program that owns the clipboard and stops answering for a while: whoever empties the clipboard
// tells it, and waits for its answer.
class HungClipboardOwner {
public:
    explicit HungClipboardOwner(DWORD hangMs) : thread_([this, hangMs] { Run(hangMs); }) {
        while (threadId_ == 0) ::Sleep(1);  // its queue is made: the quit message reaches it
        bench::WaitFor([&] { return owning_.load(); });
    }
    ~HungClipboardOwner() {
        ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    bool Owning() const { return owning_; }

private:
    void Run(DWORD hangMs) {
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // a queue for the quit message
        threadId_ = ::GetCurrentThreadId();
        const HWND window = ::CreateWindowExA(0, "STATIC", "owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        owning_ = PutOnClipboard(window, "owned") && ::GetClipboardOwner() == window;
        ::Sleep(hangMs);  // taking no messages
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
        ::DestroyWindow(window);
    }
    std::atomic<bool> owning_{false};
    std::atomic<DWORD> threadId_{0};
    std::thread thread_;
};

std::vector<std::string> Lines(const std::string& text, char end) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, end);) lines.push_back(line);
    return lines;
}

// Whether the window's bottom-right corner is the work area's. Under Wine the program may be given
// the whole screen as its work area while this process is given the screen less the taskbar (seen:
// 1003 here, 1024 in the program, on a screen 1024 high), so the screen's bottom counts too.
bool AtWorkAreaCorner(HWND window) {
    const RECT work = bench::WorkArea(), placed = bench::WindowRect(window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return placed.right == work.right &&
           (placed.bottom == work.bottom || placed.bottom == monitor.rcMonitor.bottom);
}

class PasswordsAndStatistics : public ::testing::Test {
protected:
    void SetUp() override {
        SetUnAvailable(0);  // maps the library in this process too, to see its counters
        ::DeleteFileA(bench::SettingsPath().c_str());
        bench::Block().DummyWnd = nullptr;
        program_ = std::make_unique<ResidentProgram>();
        ASSERT_TRUE(program_->WaitUntilUp()) << "the program started";
        frame_ = program_->Frame();
    }
    void TearDown() override {
        program_->Close();
        program_.reset();  // ends it if it is still running
        ::DeleteFileA(bench::SettingsPath().c_str());
        // What was copied stays on the clipboard after the program: the next test starts without it.
        if (bench::WaitFor([] { return ::OpenClipboard(nullptr) != FALSE; })) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }

    HWND OpenPasswords() const {
        if (!bench::ChooseTrayMenuItem(frame_, 3, 2)) return nullptr;
        return bench::WaitForProgramDialog(frame_, L"パスワードの生成");
    }
    HWND OpenStatistics() const {
        if (!bench::ChooseTrayMenuItem(frame_, 3, 3)) return nullptr;
        return bench::WaitForProgramDialog(frame_, L"統計情報");
    }
    bool Closes(HWND dialog) const {
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);  // the close box
        return bench::WaitFor([&] { return !::IsWindow(dialog); });
    }
    // The program's message box over `dialog`, with its text.
    HWND BoxOver(HWND dialog, std::wstring& text) const {
        HWND box = nullptr;
        bench::WaitFor([&] {
            box = bench::ProgramDialogWhere(frame_, [&](HWND w) {
                return ::IsWindowVisible(w) && ::GetWindow(w, GW_OWNER) == dialog;
            });
            return box != nullptr;
        });
        wchar_t body[512] = {};
        if (box) ::GetDlgItemTextW(box, 0xFFFF, body, 512);
        text = body;
        return box;
    }

    // What the program's message box says after a click on the button (empty when none came); the
    // box is closed with OK.
    std::wstring SaidAfterClick(HWND dialog, int id) const {
        ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        std::wstring said;
        const HWND box = BoxOver(dialog, said);
        if (!box) return L"";
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        bench::WaitFor([&] { return !::IsWindow(box); });
        return said;
    }

    // The button's own click, returning once the dialog has handled it.
    static bool Push(HWND dialog, int id) {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 30000, &result) != 0;
    }
    static void Tick(HWND dialog, int id, bool checked) {
        if ((::IsDlgButtonChecked(dialog, id) == BST_CHECKED) != checked) Push(dialog, id);
    }
    static void Type(HWND dialog, int id, const char* text) { ::SetDlgItemTextA(dialog, id, text); }
    // The list's texts through the wide messages: the list lives in another process, and the
    // platform converts a cross-process LB_GETTEXT only between the window's own kind of text.
    static std::vector<std::string> Passwords(HWND dialog) {
        const HWND list = ::GetDlgItem(dialog, kList);
        std::vector<std::string> items;
        const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i) {
            const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, i, 0);
            if (length < 0) return {};
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            const LRESULT got = ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
            text.resize(got > 0 ? static_cast<size_t>(got) : 0);
            items.push_back(std::string(text.begin(), text.end()));  // ASCII
        }
        return items;
    }
    static bool AllOf(const std::vector<std::string>& passwords, size_t length, const char* alphabet) {
        for (const std::string& password : passwords)
            if (password.size() != length || password.find_first_not_of(alphabet) != std::string::npos) return false;
        return true;
    }
    static std::vector<std::string> Config() { return bench::IniSection(bench::ReadSettingsFile(), "Config"); }

    std::unique_ptr<ResidentProgram> program_;
    HWND frame_ = nullptr;
};

constexpr char kDigits[] = "0123456789";
constexpr char kCapitals[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr char kSmalls[] = "abcdefghijklmnopqrstuvwxyz";

TEST_F(PasswordsAndStatistics, PasswordsComeFromTheChosenAlphabetAtTheirLength) {
    const HWND dialog = OpenPasswords();
    ASSERT_NE(dialog, nullptr) << "1. opened from the icon's menu";
    EXPECT_TRUE(AtWorkAreaCorner(dialog)) << "1. at the bottom-right of the work area";
    EXPECT_EQ(ControlText(dialog, kCount), "10") << "1. the defaults, with no file";
    EXPECT_EQ(ControlText(dialog, kChars), "8");
    for (int box : {kCapital, kSmall, kNumeral}) EXPECT_EQ(::IsDlgButtonChecked(dialog, box), BST_CHECKED) << box;

    Tick(dialog, kCapital, false);
    Tick(dialog, kSmall, false);
    ASSERT_TRUE(Push(dialog, kGenerate));
    std::vector<std::string> passwords = Passwords(dialog);
    ASSERT_EQ(passwords.size(), 10u) << "2. ten passwords";
    EXPECT_TRUE(AllOf(passwords, 8, kDigits)) << "2. of 8 digits only: " << passwords[0];
    bench::SaveWindowShot(dialog, "dialog-passwords");

    Tick(dialog, kNumeral, false);
    ASSERT_TRUE(Push(dialog, kGenerate));
    passwords = Passwords(dialog);
    ASSERT_EQ(passwords.size(), 10u);
    EXPECT_TRUE(AllOf(passwords, 8, kCapitals)) << "3. nothing ticked: capitals only: " << passwords[0];

    Tick(dialog, kSmall, true);
    Type(dialog, kChars, "5000");
    Type(dialog, kCount, "3");
    ASSERT_TRUE(Push(dialog, kGenerate));
    EXPECT_EQ(ControlText(dialog, kChars), "1000") << "4. 5000 characters corrected to 1000, and shown";
    passwords = Passwords(dialog);
    ASSERT_EQ(passwords.size(), 3u);
    EXPECT_TRUE(AllOf(passwords, 1000, kSmalls)) << "4. three of 1000 small letters";
    EXPECT_EQ(Config()[1], "PasswordNumChar=1000") << "4. the corrected value is kept";

    EXPECT_TRUE(Closes(dialog)) << "5. the close box ends it";
}

TEST_F(PasswordsAndStatistics, TheFiveKeysAreWrittenAtEachGenerationAndReadAtOpening) {
    HWND dialog = OpenPasswords();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Push(dialog, kGenerate));
    EXPECT_EQ(Config(), (std::vector<std::string>{"PasswordNum=10", "PasswordNumChar=8", "UseCapital=1", "UseSmall=1",
                                                  "UseNumeral=1"}))
        << "1. written at the generation, in this order";

    Type(dialog, kCount, "0");
    Tick(dialog, kNumeral, false);
    ASSERT_TRUE(Push(dialog, kGenerate));
    EXPECT_EQ(::SendDlgItemMessageA(dialog, kList, LB_GETCOUNT, 0, 0), 0) << "2. a count of 0 empties the list";
    EXPECT_EQ(Config(), (std::vector<std::string>{"PasswordNum=0", "PasswordNumChar=8", "UseCapital=1", "UseSmall=1",
                                                  "UseNumeral=0"}))
        << "2. and the keys are written all the same";

    Type(dialog, kCount, "2");
    Type(dialog, kChars, "12");
    ASSERT_TRUE(Push(dialog, kGenerate));
    EXPECT_TRUE(AllOf(Passwords(dialog), 12, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) << "3. letters";
    EXPECT_EQ(Config()[0], "PasswordNum=2") << "3. each generation writes again";

    // 4. A count that is no number: the standard message, then the previous values.
    Type(dialog, kCount, "abc");
    Type(dialog, kChars, "20");
    EXPECT_EQ(SaidAfterClick(dialog, kGenerate), L"整数を入力してください。") << "4. a message for the count";
    std::vector<std::string> passwords;
    ASSERT_TRUE(bench::WaitFor([&] { return (passwords = Passwords(dialog)).size() == 2; }));
    EXPECT_TRUE(AllOf(passwords, 12, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"))
        << "4. generated with the previous count and length";
    EXPECT_EQ(Config()[1], "PasswordNumChar=12");

    ASSERT_TRUE(Closes(dialog));
    dialog = OpenPasswords();
    ASSERT_NE(dialog, nullptr) << "5. opened again";
    EXPECT_EQ(ControlText(dialog, kCount), "2") << "5. the file's values";
    EXPECT_EQ(ControlText(dialog, kChars), "12");
    EXPECT_EQ(::IsDlgButtonChecked(dialog, kNumeral), BST_UNCHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(dialog, kCapital), BST_CHECKED);
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Escape
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(dialog); })) << "5. Escape ends it";
}

TEST_F(PasswordsAndStatistics, CopyPutsTheSelectedPasswordsOnTheClipboardEachWithCrLf) {
    const HWND dialog = OpenPasswords();
    ASSERT_NE(dialog, nullptr);
    const HWND list = ::GetDlgItem(dialog, kList);
    Type(dialog, kCount, "5");
    ASSERT_TRUE(Push(dialog, kGenerate));
    const std::vector<std::string> first = Passwords(dialog);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(::SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1) << "1. one password selected";
    EXPECT_GT(::SendMessageA(list, LB_GETSEL, 0, 0), 0) << "1. the first";
    PutMarkerOnClipboard();
    ASSERT_TRUE(Push(dialog, kCopy));
    EXPECT_EQ(ClipboardText(), first[0] + "\r\n") << "1. an immediate copy copies exactly it";

    ::SendMessageA(list, LB_SETSEL, FALSE, -1);
    for (int item : {1, 2, 4}) ::SendMessageA(list, LB_SETSEL, TRUE, item);
    ASSERT_TRUE(Push(dialog, kCopy));
    EXPECT_EQ(ClipboardText(), first[1] + "\r\n" + first[2] + "\r\n" + first[4] + "\r\n")
        << "2. three selected: three lines, each ending in CR LF";

    ::SendMessageA(list, LB_SETSEL, FALSE, -1);
    ASSERT_TRUE(Push(dialog, kCopy));
    EXPECT_EQ(ClipboardText(), "") << "3. nothing selected: the empty text";

    ASSERT_TRUE(Push(dialog, kGenerate));
    const std::vector<std::string> second = Passwords(dialog);
    ASSERT_EQ(second.size(), 5u);
    for (const std::string& password : second)
        for (const std::string& earlier : first) EXPECT_NE(password, earlier) << "4. a second generation differs";

    // 5. The clipboard's owner does not answer: the dialog waits for it a second at most, and the
    // copy is made once it answers.
    {
        HungClipboardOwner owner(4000);
        ASSERT_TRUE(owner.Owning());
        const auto started = std::chrono::steady_clock::now();
        ASSERT_TRUE(Push(dialog, kCopy));
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
        EXPECT_LT(ms, 2500) << "5. the copy button took " << ms << " ms with the clipboard's owner hung for 4 s";
        // A second copy meanwhile would only wait behind the first: the person is told.
        EXPECT_EQ(SaidAfterClick(dialog, kCopy), L"クリップボードにコピーできませんでした。")
            << "5. a second copy is refused, and said so";
        EXPECT_TRUE(bench::WaitFor([&] { return ClipboardText() == second[0] + "\r\n"; }, 8000))
            << "5. copied once the owner answered; the clipboard holds " << ClipboardText().value_or("(nothing)");
    }
    EXPECT_TRUE(Closes(dialog));
}

TEST_F(PasswordsAndStatistics, AThousandPasswordsOfAThousandDigitsAreCopiedWholeAndSpreadEvenly) {
    const HWND dialog = OpenPasswords();
    ASSERT_NE(dialog, nullptr);
    Tick(dialog, kCapital, false);
    Tick(dialog, kSmall, false);
    Type(dialog, kCount, "1200");
    Type(dialog, kChars, "1000");
    ASSERT_TRUE(Push(dialog, kGenerate));
    EXPECT_EQ(ControlText(dialog, kCount), "1000") << "1. more than a thousand corrected to 1000, and shown";
    const HWND list = ::GetDlgItem(dialog, kList);
    ASSERT_EQ(::SendMessageA(list, LB_GETCOUNT, 0, 0), 1000) << "1. a thousand passwords";
    ::SendMessageA(list, LB_SETSEL, TRUE, -1);
    PutMarkerOnClipboard();
    ASSERT_TRUE(Push(dialog, kCopy));
    const std::optional<std::string> text = ClipboardText();
    ASSERT_TRUE(text);
    ASSERT_EQ(text->size(), 1000u * 1002u) << "2. all of them copied, nothing cut";
    const std::vector<std::string> lines = Lines(*text, '\n');
    ASSERT_EQ(lines.size(), 1000u);
    std::map<char, int> counts;
    for (const std::string& line : lines) {
        ASSERT_EQ(line.size(), 1001u);
        ASSERT_EQ(line.back(), '\r');
        for (size_t i = 0; i + 1 < line.size(); ++i) ++counts[line[i]];
    }
    ASSERT_EQ(counts.size(), 10u) << "3. digits only, every one of them";
    // A million draws: 100,000 each with a spread of 300; 2,000 off is over six spreads.
    for (const auto& [digit, n] : counts) EXPECT_NEAR(n, 100000, 2000) << "3. the share of " << digit;
    EXPECT_TRUE(Closes(dialog));
}

// ---- statistics ----

struct Cell {
    int row;
    int column;
    const wchar_t* text;
};

// Waits until the table shows every cell's text; the ones still different otherwise.
std::string TableDiffers(HWND list, const std::vector<Cell>& cells) {
    std::string differing;
    bench::WaitFor([&] {
        differing.clear();
        for (const Cell& cell : cells) {
            const std::wstring now = bench::ListItemText(list, cell.row, cell.column);
            if (now != cell.text)
                differing += "row " + std::to_string(cell.row) + " column " + std::to_string(cell.column) + ": \"" +
                             Ansi(now.c_str()) + "\" for \"" + Ansi(cell.text) + "\"\n";
        }
        return differing.empty();
    }, 3000);
    return differing;
}

// Fixes the time of use and the travel, then waits until the table shows `cells`. The dialog
// appears under the X pointer resting in the screen's corner, and Wine may report that place as a
// mouse move a moment later, which adds travel and time: the values are then fixed again, and the
// next move is made the first one, which counts no time.
std::string TableDiffersWithFixed(HWND list, unsigned seconds, double travel, const std::vector<Cell>& cells) {
    std::string differing;
    for (int attempt = 0; attempt < 3; ++attempt) {
        bench::Block().LastActivity = 0;
        SetStatTotalTime(seconds);
        SetStatMouseMove(travel);
        differing = TableDiffers(list, cells);
        if (differing.empty()) break;
    }
    return differing;
}

TEST_F(PasswordsAndStatistics, TheTableShowsCountersAndRatiosOfRealInput) {
    bench::TargetProcess target(bench::WindowAt("statistics input", {40, 40, 440, 340}));
    const HWND dialog = OpenStatistics();
    ASSERT_NE(dialog, nullptr) << "1. opened from the icon's menu";
    const HWND list = ::GetDlgItem(dialog, kTable);
    EXPECT_TRUE(AtWorkAreaCorner(dialog)) << "1. at the bottom-right of the work area";
    EXPECT_EQ(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 34) << "1. 34 rows";
    const HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 4) << "1. 4 columns";
    EXPECT_EQ(::SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_FULLROWSELECT);
    EXPECT_EQ(TableDiffers(list, {{0, 0, L"移動距離"}, {1, 0, L""}, {2, 0, L"左クリック"}, {3, 0, L"中クリック"},
                                  {4, 0, L"右クリック"}, {5, 0, L"ホイール（上）"}, {6, 0, L"ホイール（下）"},
                                  {7, 0, L""}, {8, 0, L"A"}, {33, 0, L"Z"}}),
              "")
        << "1. the rows' labels";

    // 2. Known input: clicks in another program's window, the wheel over it, keys typed into it.
    ASSERT_TRUE(target.Activate());
    StatClear();
    bench::Click(240, 190);
    bench::Click(240, 190);
    bench::Click(240, 190, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    bench::Click(240, 190, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    for (int i = 0; i < 3; ++i) bench::Wheel(240, 190, WHEEL_DELTA);
    bench::Wheel(240, 190, -WHEEL_DELTA);
    for (WORD key : {'A', 'A', 'A', 'B'}) bench::Press(key);
    ASSERT_TRUE(bench::WaitFor([] {
        return GetStatMouse(0) == 2 && GetStatMouse(1) == 1 && GetStatMouse(2) == 1 && GetStatMouse(3) == 3 &&
               GetStatMouse(4) == 1 && GetStatKeyboard(0) == 3 && GetStatKeyboard(1) == 1;
    })) << "2. the library counted the input";
    // The time of use and the travel depend on the moment: fixed now that the hand is still.
    EXPECT_EQ(TableDiffersWithFixed(list, 1800, 1234.4,
                                    {{0, 1, L"        1234 pixel"}, {0, 2, L"      2469 pixel"}, {0, 3, L""},
                                     {2, 1, L"         2"}, {2, 2, L"         4"}, {2, 3, L" 50.00 %"},
                                     {3, 1, L"         1"}, {3, 3, L" 25.00 %"}, {4, 3, L" 25.00 %"},
                                     {5, 1, L"         3"}, {5, 2, L"         6"}, {5, 3, L" 75.00 %"},
                                     {6, 3, L" 25.00 %"}, {8, 1, L"         3"}, {8, 3, L" 75.00 %"},
                                     {9, 3, L" 25.00 %"}, {10, 1, L"         0"}, {10, 3, L"  0.00 %"},
                                     {1, 1, L""}, {7, 3, L""}}),
              "")
        << "3. counts, per hour over half an hour, and ratios within clicks, wheel and keys";
    EXPECT_EQ(ControlText(dialog, kTotalTime), "      1800 sec") << "3. the time of use";
    bench::SaveWindowShot(dialog, "dialog-statistics");
    ASSERT_TRUE(Push(dialog, IDOK)) << "4. 閉じる";
    EXPECT_TRUE(bench::WaitFor([&] { return !::IsWindow(dialog); })) << "4. ends it";
}

TEST_F(PasswordsAndStatistics, RatiosWithNothingToDivideByShowADash) {
    bench::TargetProcess target(bench::WindowAt("statistics wheel", {40, 40, 440, 340}));
    const HWND dialog = OpenStatistics();
    ASSERT_NE(dialog, nullptr);
    const HWND list = ::GetDlgItem(dialog, kTable);
    StatClear();
    for (int delta : {WHEEL_DELTA, WHEEL_DELTA, -WHEEL_DELTA, -WHEEL_DELTA}) bench::Wheel(240, 190, delta);
    ASSERT_TRUE(bench::WaitFor([] { return GetStatMouse(3) == 2 && GetStatMouse(4) == 2; })) << "1. only the wheel";
    std::vector<Cell> expected = {{0, 2, L"     36000 pixel"}, {5, 2, L"      7200"}, {5, 3, L" 50.00 %"},
                                  {6, 3, L" 50.00 %"}};
    for (int row : {2, 3, 4}) {
        expected.push_back({row, 1, L"         0"});
        expected.push_back({row, 3, L"-"});
    }
    for (int row = 8; row < 34; ++row) expected.push_back({row, 3, L"-"});
    EXPECT_EQ(TableDiffersWithFixed(list, 0, 10, expected), "")
        << "2. no time: per hour over one second; no clicks and no keys: a dash; the wheel rows make 100 %";
    EXPECT_EQ(ControlText(dialog, kTotalTime), "         0 sec");
    EXPECT_TRUE(Closes(dialog));
}

TEST_F(PasswordsAndStatistics, TheTableIsCopiedAsTabSeparatedTextAndResetAfterAsking) {
    const HWND dialog = OpenStatistics();
    ASSERT_NE(dialog, nullptr);
    const HWND list = ::GetDlgItem(dialog, kTable);
    StatClear();
    SetStatMouse(0, 5);
    SetStatKeyboard(25, 2);
    ASSERT_EQ(TableDiffersWithFixed(list, 3600, 100,
                                    {{2, 1, L"         5"}, {33, 3, L"100.00 %"}, {0, 1, L"         100 pixel"}}),
              "")
        << "1. the table shows the counters";

    PutMarkerOnClipboard();
    ASSERT_TRUE(Push(dialog, kCopyTable));
    const std::optional<std::string> text = ClipboardText();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->back(), '\n');
    const std::vector<std::string> lines = Lines(*text, '\n');
    ASSERT_EQ(lines.size(), 35u) << "2. 35 lines:\n" << *text;
    // The total time is read as the text is made: a stray move of Wine's pointer may have counted
    // one more second since the table showed 3600.
    EXPECT_TRUE(lines[0] == "Total time\t      3600 sec" || lines[0] == "Total time\t      3601 sec")
        << "2. the total time first: " << lines[0];
    EXPECT_EQ(lines[1], Ansi(L"移動距離") + "\t         100 pixel\t       100 pixel\t") << "2. the travel second";
    EXPECT_EQ(lines[2], "\t\t\t") << "2. a blank row: three tabs";
    EXPECT_EQ(lines[3], Ansi(L"左クリック") + "\t         5\t         5\t100.00 %");
    EXPECT_EQ(lines[4], Ansi(L"中クリック") + "\t         0\t         0\t  0.00 %");
    EXPECT_EQ(lines[6], Ansi(L"ホイール（上）") + "\t         0\t         0\t-");
    EXPECT_EQ(lines[8], "\t\t\t");
    EXPECT_EQ(lines[9], "A\t         0\t         0\t  0.00 %");
    EXPECT_EQ(lines[34], "Z\t         2\t         2\t100.00 %");

    // 3. Reset asks first; Cancel keeps the data.
    ::PostMessageA(::GetDlgItem(dialog, kReset), BM_CLICK, 0, 0);
    std::wstring said;
    HWND box = BoxOver(dialog, said);
    ASSERT_NE(box, nullptr) << "3. the question";
    EXPECT_EQ(said, L"データを初期化してもいいですか？");
    wchar_t caption[64] = {};
    ::GetWindowTextW(box, caption, 64);
    EXPECT_STREQ(caption, L"Quorvelle");
    EXPECT_NE(::GetDlgItem(box, IDCANCEL), nullptr) << "3. with OK and Cancel";
    ::PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_EQ(GetStatMouse(0), 5u) << "3. Cancel resets nothing";

    // 4. OK resets every counter, and the table shows it.
    ::PostMessageA(::GetDlgItem(dialog, kReset), BM_CLICK, 0, 0);
    box = BoxOver(dialog, said);
    ASSERT_NE(box, nullptr) << "4. the question again";
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(bench::WaitFor([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(bench::WaitFor([] { return GetStatMouse(0) == 0 && GetStatKeyboard(25) == 0; })) << "4. OK resets";
    EXPECT_EQ(TableDiffers(list, {{2, 1, L"         0"}, {2, 3, L"-"}, {33, 1, L"         0"}, {33, 3, L"-"}}), "")
        << "4. zeros from the next refresh on";
    EXPECT_TRUE(Closes(dialog));
}

}  // namespace
