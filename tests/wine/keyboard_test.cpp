// The low-level keyboard hook: disabled keys reach no program, letters are counted, and
// Ctrl+Shift+F9 switches the laser pointer's dot in and out as the system arrow.
#include "tests/wine/support/hooked_fixture.h"

#include <mutex>
#include <vector>

namespace {

using bench::TargetProcess;

constexpr auto At = bench::WindowAt;

void Press(WORD vk) {
    bench::Key(vk, true);
    bench::Key(vk, false);
}

class KeyboardTest : public bench::HookedTest {
protected:
    void SetUp() override {
        bench::HookedTest::SetUp();
        editor_ = std::make_unique<TargetProcess>(At("keys", {100, 100, 500, 400}));
        ASSERT_TRUE(editor_->Activate());
    }
    void TearDown() override {
        editor_.reset();
        bench::HookedTest::TearDown();
    }
    // Presses F5 and waits until the editor has it: every key injected before has been handled.
    void Sync() const {
        const int before = editor_->Count(WM_KEYUP);
        Press(VK_F5);
        ASSERT_TRUE(bench::WaitFor([&] { return editor_->Count(WM_KEYUP) > before; })) << "the marker key";
    }
    // Key messages of the editor, the marker key's own two left out.
    int KeyMessages() const {
        return editor_->Count(WM_KEYDOWN) + editor_->Count(WM_KEYUP) + editor_->Count(WM_SYSKEYDOWN) +
               editor_->Count(WM_SYSKEYUP);
    }
    std::unique_ptr<TargetProcess> editor_;
};

TEST_F(KeyboardTest, DisabledKeysAreSwallowedDownAndUp) {
    struct Disabled {
        void (*set)(int);
        std::vector<WORD> keys;
    };
    const Disabled table[] = {
        {SetDisableKeyWin, {VK_LWIN, VK_RWIN}},
        {SetDisableKeyIns, {VK_INSERT}},
        {SetDisableKeyAlt, {VK_MENU, VK_LMENU, VK_RMENU}},
        {SetDisableKeyMenu, {VK_APPS}},
        {SetDisableKeyCaps, {VK_CAPITAL}},
        {SetDisableKeyHankaku, {0xF4, 0xF3}},
        {SetDisableKeyKana, {0xF2}},
        {SetDisableKeyF1, {VK_F1}},
    };
    for (const Disabled& d : table) {
        d.set(1);
        editor_->ResetCounts();
        for (WORD key : d.keys) Press(key);
        Sync();
        EXPECT_EQ(KeyMessages(), 2) << "key " << d.keys[0] << " reached the editor";
        d.set(0);
    }
    // 2. Paused, a disabled key goes through; on again, it is swallowed again.
    SetDisableKeyIns(1);
    SetUnAvailable(1);
    editor_->ResetCounts();
    Press(VK_INSERT);
    Sync();
    EXPECT_EQ(KeyMessages(), 4) << "2. paused: Insert went through";
    SetUnAvailable(0);
    editor_->ResetCounts();
    Press(VK_INSERT);
    Sync();
    EXPECT_EQ(KeyMessages(), 2) << "3. not paused: swallowed again";
}

TEST_F(KeyboardTest, LetterPressesAreCountedAltLettersAreNot) {
    quor::SharedBlock& b = bench::Block();
    const unsigned a = b.StatKeyboard[0], z = b.StatKeyboard[25];
    Press('A');
    Press('Z');
    // Auto-repeat: three key-downs, one key-up.
    for (int i = 0; i < 3; ++i) bench::Key('A', true);
    bench::Key('A', false);
    {
        bench::HeldKey alt(VK_MENU);
        Press('A');
    }
    SetUnAvailable(1);
    Press('A');  // counted while paused too
    SetUnAvailable(0);
    Sync();
    EXPECT_EQ(b.StatKeyboard[0], a + 5) << "1 + 3 repeats + 1 while paused, none for Alt+A";
    EXPECT_EQ(b.StatKeyboard[25], z + 1);
}

// The cursor handed to the system, and the requests to put the user's cursors back.
std::string DifferenceFromTheDot(HCURSOR cursor);

std::mutex g_cursorMutex;
std::vector<std::string> g_systemCursors;  // each handed-over cursor's difference from the dot
std::vector<DWORD> g_systemCursorIds;
int g_cursorReloads = 0;
decltype(&::SetSystemCursor) g_realSetSystemCursor = nullptr;
decltype(&::SystemParametersInfoA) g_realSystemParameters = nullptr;

BOOL WINAPI RecordSetSystemCursor(HCURSOR cursor, DWORD id) {
    // Read before the system takes the cursor, which may destroy the handle.
    const std::string difference = DifferenceFromTheDot(cursor);
    {
        std::lock_guard lock(g_cursorMutex);
        g_systemCursors.push_back(difference);
        g_systemCursorIds.push_back(id);
    }
    return g_realSetSystemCursor(cursor, id);
}

BOOL WINAPI RecordSystemParameters(UINT action, UINT param, void* data, UINT flags) {
    if (action == SPI_SETCURSORS) {
        std::lock_guard lock(g_cursorMutex);
        ++g_cursorReloads;
    }
    return g_realSystemParameters(action, param, data, flags);
}

// Counts the cursor calls of the library in this process, where the tests install the hooks.
class CursorCalls {
public:
    CursorCalls() {
        g_systemCursors.clear();
        g_systemCursorIds.clear();
        g_cursorReloads = 0;
        g_realSetSystemCursor = reinterpret_cast<decltype(g_realSetSystemCursor)>(
            bench::PatchImport(nullptr, "user32.dll", "SetSystemCursor", reinterpret_cast<void*>(RecordSetSystemCursor)));
        g_realSystemParameters = reinterpret_cast<decltype(g_realSystemParameters)>(bench::PatchImport(
            nullptr, "user32.dll", "SystemParametersInfoA", reinterpret_cast<void*>(RecordSystemParameters)));
    }
    ~CursorCalls() {
        bench::PatchImport(nullptr, "user32.dll", "SetSystemCursor", reinterpret_cast<void*>(g_realSetSystemCursor));
        bench::PatchImport(nullptr, "user32.dll", "SystemParametersInfoA",
                           reinterpret_cast<void*>(g_realSystemParameters));
    }
    size_t installs() const {
        std::lock_guard lock(g_cursorMutex);
        return g_systemCursors.size();
    }
    int reloads() const {
        std::lock_guard lock(g_cursorMutex);
        return g_cursorReloads;
    }
    std::string lastDifference() const {
        std::lock_guard lock(g_cursorMutex);
        return g_systemCursors.empty() ? "none" : g_systemCursors.back();
    }
    DWORD lastId() const {
        std::lock_guard lock(g_cursorMutex);
        return g_systemCursorIds.empty() ? 0 : g_systemCursorIds.back();
    }
};

// Pixels of a 32 x 32 bitmap as 0x00RRGGBB, top row first.
std::vector<DWORD> Pixels(HBITMAP bitmap) {
    std::vector<DWORD> pixels(32 * 32);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC dc = ::GetDC(nullptr);
    const int rows = ::GetDIBits(dc, bitmap, 0, 32, pixels.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    if (rows != 32) pixels.clear();
    return pixels;
}

// The dot as drawn: rows 9 to 22, centred between columns 9 and 22, these widths.
bool InDot(int row, int col) {
    static const int widths[] = {6, 8, 10, 12, 14, 14, 14, 14, 14, 14, 12, 10, 8, 6};
    if (row < 9 || row > 22) return false;
    const int half = widths[row - 9] / 2;
    return col >= 16 - half && col < 16 + half;
}

// Compares a cursor with the dot pixel by pixel; "" when they are the same.
std::string DifferenceFromTheDot(HCURSOR cursor) {
    ICONINFO icon{};
    if (!::GetIconInfo(cursor, &icon)) return "no cursor";
    const std::vector<DWORD> colour = icon.hbmColor ? Pixels(icon.hbmColor) : std::vector<DWORD>{};
    const std::vector<DWORD> mask = Pixels(icon.hbmMask);
    if (icon.hbmColor) ::DeleteObject(icon.hbmColor);
    ::DeleteObject(icon.hbmMask);
    if (icon.fIcon || icon.xHotspot != 15 || icon.yHotspot != 15) return "not a cursor with its hotspot at (15, 15)";
    if (colour.size() != 32 * 32 || mask.size() != 32 * 32) return "not 32 x 32 in colour";
    for (int row = 0; row < 32; ++row) {
        for (int col = 0; col < 32; ++col) {
            const DWORD c = colour[row * 32 + col] & 0xFFFFFF, m = mask[row * 32 + col] & 0xFFFFFF;
            const bool ok = InDot(row, col) ? (m == 0 && c == 0x00FF00) : (m == 0xFFFFFF && c == 0);
            if (!ok)
                return "pixel (" + std::to_string(col) + ", " + std::to_string(row) + "): colour " + std::to_string(c) +
                       ", mask " + std::to_string(m);
        }
    }
    return "";
}

void CtrlShiftF9() {
    bench::HeldKey ctrl(VK_CONTROL);
    bench::HeldKey shift(VK_SHIFT);
    Press(VK_F9);
}

TEST_F(KeyboardTest, CtrlShiftF9SwitchesTheLaserDot) {
    CursorCalls calls;
    const quor::SharedBlock& b = bench::Block();
    SetSoftLaser(1);
    const int reloadsBefore = calls.reloads();
    editor_->ResetCounts();
    CtrlShiftF9();
    ASSERT_TRUE(bench::WaitFor([&] { return calls.installs() == 1; })) << "1. the dot went in";
    EXPECT_EQ(calls.lastId(), 32512u) << "1. as the standard arrow only";
    EXPECT_EQ(calls.lastDifference(), "") << "1. the cursor handed over is the dot";
    EXPECT_EQ(b.LaserState, 1);
    CtrlShiftF9();
    EXPECT_TRUE(bench::WaitFor([&] { return calls.reloads() == reloadsBefore + 1; })) << "2. the user's cursors back";
    EXPECT_EQ(b.LaserState, 0);
    Sync();
    EXPECT_EQ(editor_->Count(WM_KEYDOWN, false), 2 + 2 + 1) << "2. Ctrl and Shift twice and F5; no F9";

    // 3. F9 alone and Ctrl+F9 reach the program.
    editor_->ResetCounts();
    Press(VK_F9);
    {
        bench::HeldKey ctrl(VK_CONTROL);
        Press(VK_F9);
    }
    Sync();
    EXPECT_EQ(editor_->Count(WM_KEYDOWN), 4) << "3. F9, Ctrl, F9 and F5";
    EXPECT_EQ(calls.installs(), 1u) << "3. no cursor change";

    // 4. Paused: the hotkey is the program's.
    SetUnAvailable(1);
    editor_->ResetCounts();
    CtrlShiftF9();
    Sync();
    EXPECT_EQ(editor_->Count(WM_KEYDOWN), 4) << "4. Ctrl, Shift, F9 and F5";
    EXPECT_EQ(calls.installs(), 1u);
    SetUnAvailable(0);

    // 5. Switching the setting off while the dot is in puts the cursors back at once.
    CtrlShiftF9();
    ASSERT_TRUE(bench::WaitFor([&] { return calls.installs() == 2; }));
    const int reloads = calls.reloads();
    SetSoftLaser(0);
    EXPECT_EQ(calls.reloads(), reloads + 1) << "5. restored by the setting";
    EXPECT_EQ(b.LaserState, 0);
    editor_->ResetCounts();
    CtrlShiftF9();
    Sync();
    EXPECT_EQ(calls.installs(), 2u) << "6. with the setting off the hotkey does nothing";
    EXPECT_EQ(editor_->Count(WM_KEYDOWN), 4);

    // 7. Ending the resident program while the dot is in puts the cursors back.
    SetSoftLaser(1);
    CtrlShiftF9();
    ASSERT_TRUE(bench::WaitFor([&] { return calls.installs() == 3; }));
    const int beforeEnd = calls.reloads();
    resident_.reset();
    EXPECT_EQ(calls.reloads(), beforeEnd + 1) << "7. restored when the hooks go";
    EXPECT_EQ(b.LaserState, 0);
}

// What a person sees: the system arrow itself becomes the dot, and comes back.
TEST_F(KeyboardTest, TheDotIsTheSystemArrowUntilRestored) {
    SetSoftLaser(1);
    CtrlShiftF9();
    EXPECT_TRUE(bench::WaitFor([] { return bench::Block().LaserState == 1; }));
    EXPECT_EQ(DifferenceFromTheDot(::LoadCursorA(nullptr, IDC_ARROW)), "") << "the arrow is the dot";
    CtrlShiftF9();
    EXPECT_TRUE(bench::WaitFor([] { return bench::Block().LaserState == 0; }));
    EXPECT_NE(DifferenceFromTheDot(::LoadCursorA(nullptr, IDC_ARROW)), "") << "the arrow is back";
}

}  // namespace
