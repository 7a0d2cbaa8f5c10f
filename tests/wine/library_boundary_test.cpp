// The library's image and its shared block, seen from one and from two processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "hooklib/quordll.h"
#include "tests/wine/support/bench_support.h"

namespace {

const std::set<std::string> kExpectedExports = {
    "SetUnAvailable", "GetUnAvailable", "SetAllowSnap", "SetAllowSnapInside", "SetAllowOut", "SetAllowTaskBar",
    "SetSnap", "SetSizeExt", "SetAutoArrange", "SetDeskIconText", "SetDeskIconTextBk", "SetDeskIconTextColor",
    "SetExpUp", "SetExpRename", "SetTransparent", "SetRedirect", "SetRedirectActive", "SetVolume",
    "SetVolumeDelta", "SetVD", "SetDisableClose", "SetDisableMax", "SetDisableMin", "SetShowDesk",
    "SetDisableKeyAlt", "SetDisableKeyWin", "SetDisableKeyIns", "SetDisableKeyMenu", "SetDisableKeyCaps",
    "SetDisableKeyHankaku", "SetDisableKeyKana", "SetDisableKeyF1", "SetnIgnore", "SetnIgnoreExe", "SetAlpha",
    "SetTaskTray", "SetIgnoreMouse", "SetIgnoreKeyboard", "SetSoftLaser", "SetIgnore", "SetIgnoreExe",
    "SetMouseCut", "GetMouseCutCmd", "GetStatMouse", "SetStatMouse", "GetStatKeyboard", "SetStatKeyboard",
    "GetStatMouseMove", "SetStatMouseMove", "GetStatTotalTime", "SetStatTotalTime", "StatClear", "SetHook",
    "UnSetHook"};

BYTE* Base(HMODULE m) { return reinterpret_cast<BYTE*>(m); }

IMAGE_NT_HEADERS* Nt(HMODULE m) {
    return reinterpret_cast<IMAGE_NT_HEADERS*>(Base(m) + reinterpret_cast<IMAGE_DOS_HEADER*>(m)->e_lfanew);
}

std::set<std::string> ExportNames(HMODULE m) {
    const auto& dir = Nt(m)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* exports = reinterpret_cast<IMAGE_EXPORT_DIRECTORY*>(Base(m) + dir.VirtualAddress);
    auto* names = reinterpret_cast<DWORD*>(Base(m) + exports->AddressOfNames);
    std::set<std::string> result;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) result.insert(reinterpret_cast<char*>(Base(m) + names[i]));
    EXPECT_EQ(exports->NumberOfFunctions, exports->NumberOfNames) << "exports without a name";
    return result;
}

std::vector<std::string> ImportedDlls(HMODULE m) {
    const auto& dir = Nt(m)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> result;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(Base(m) + dir.VirtualAddress); d->Name; ++d) {
        std::string name = reinterpret_cast<char*>(Base(m) + d->Name);
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        result.push_back(name);
    }
    return result;
}

// Runs qlib.exe (a second process mapping the library) and returns its exit code.
DWORD RunQlib(const std::string& args) { return bench::RunProgram("qlib.exe " + args); }

// A copy of the library under another name has a block of its own, untouched by any process.
class FreshLibrary {
public:
    FreshLibrary() {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "QuordllFresh" + std::to_string(::GetCurrentProcessId()) + ".dll";
        ::CopyFileA((bench::ProgramDir() + "\\Quordll.dll").c_str(), path_.c_str(), FALSE);
        module_ = ::LoadLibraryA(path_.c_str());
    }
    ~FreshLibrary() {
        if (module_) ::FreeLibrary(module_);
        ::DeleteFileA(path_.c_str());
    }
    HMODULE get() const { return module_; }
    template <typename F>
    F Proc(const char* name) const { return reinterpret_cast<F>(::GetProcAddress(module_, name)); }

private:
    std::string path_;
    HMODULE module_ = nullptr;
};

}  // namespace

TEST(Image, ExportsExactlyTheFiftyFourPlainNames) {
    EXPECT_EQ(ExportNames(::GetModuleHandleA("Quordll.dll")), kExpectedExports);
}

TEST(Image, QuorSectionIsReadWriteShared) {
    const DWORD flags = bench::SectionCharacteristics(nullptr, ".QUOR");
    EXPECT_TRUE(flags & IMAGE_SCN_MEM_READ);
    EXPECT_TRUE(flags & IMAGE_SCN_MEM_WRITE);
    EXPECT_TRUE(flags & IMAGE_SCN_MEM_SHARED);
}

TEST(Image, ImportsOnlySystemDlls) {
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll",
                                          "comctl32.dll", "psapi.dll", "advapi32.dll", "msvcrt.dll",
                                          "winmm.dll", "shlwapi.dll", "ole32.dll", "comdlg32.dll"};
    for (const char* file : {"Quordll.dll", "Quorvelle.exe"}) {
        HMODULE m = ::LoadLibraryExA((bench::ProgramDir() + "\\" + file).c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
        ASSERT_NE(m, nullptr) << file;
        for (const auto& dll : ImportedDlls(m))
            EXPECT_TRUE(system.count(dll) || (dll == "quordll.dll" && file != std::string("Quordll.dll")))
                << file << " imports " << dll;
        if (m != ::GetModuleHandleA("Quordll.dll")) ::FreeLibrary(m);
    }
}

TEST(Image, FileVersionIs2_2_7_0) {
    for (const char* file : {"Quordll.dll", "Quorvelle.exe"}) {
        const std::string path = bench::ProgramDir() + "\\" + file;
        DWORD ignored = 0;
        std::vector<BYTE> data(::GetFileVersionInfoSizeA(path.c_str(), &ignored));
        ASSERT_FALSE(data.empty()) << file;
        ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
        VS_FIXEDFILEINFO* info = nullptr;
        UINT len = 0;
        ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &len));
        EXPECT_EQ(info->dwFileVersionMS, MAKELONG(2, 2)) << file;
        EXPECT_EQ(info->dwFileVersionLS, MAKELONG(0, 7)) << file;
    }
}

TEST(SharedBlock, AtLoadValuesInAFreshBlock) {
    FreshLibrary fresh;
    ASSERT_NE(fresh.get(), nullptr);
    EXPECT_EQ(fresh.Proc<int (*)()>("GetUnAvailable")(), 0);
    for (int i = 0; i < quor::kStatMouseCount; ++i) EXPECT_EQ(fresh.Proc<unsigned (*)(int)>("GetStatMouse")(i), 0u);
    EXPECT_EQ(fresh.Proc<double (*)()>("GetStatMouseMove")(), 0.0);
    const quor::SharedBlock& b = bench::Block(fresh.get());
    EXPECT_EQ(b.VolumeDelta, 100);
    EXPECT_EQ(b.TaskTray, 1);
    EXPECT_EQ(b.MouseHook, nullptr);
    EXPECT_EQ(b.nAlphaTable, 0);
    EXPECT_EQ(b.Snap, 0);
    // The per-process start-up filled the command names and the double-click rectangle.
    EXPECT_STREQ(b.MouseCutCmd[0], "\x82\xc8\x82\xb5");  // "なし" in code page 932
    EXPECT_STREQ(b.MouseCutCmd[33], "\x83\x7e\x83\x85\x81\x5b\x83\x67\x90\xd8\x91\xd6");  // "ミュート切替"
    EXPECT_EQ(b.MouseCutCmd[34][0], '\0');
    EXPECT_GT(b.DblClkCx, 0);
    EXPECT_GT(b.DblClkCy, 0);
}

TEST(SharedBlock, TwoProcessesSeeEachOthersWrites) {
    SetUnAvailable(7);
    EXPECT_EQ(RunQlib("get GetUnAvailable"), 7u) << "1. a setter here, a getter in another process";
    EXPECT_EQ(RunQlib("set SetUnAvailable 3"), 0u);
    EXPECT_EQ(GetUnAvailable(), 3) << "2. a setter there, a getter here";
    SetStatMouse(2, 41);
    EXPECT_EQ(RunQlib("stat 2"), 41u) << "3. statistics";
    SetUnAvailable(0);
}

TEST(SharedBlock, CommandNamesAreCodePage932Bytes) {
    // In any locale: this test runs in a second one too, which must have taken.
    char locale[64] = {};
    if (::GetEnvironmentVariableA("QUOR_LOCALE", locale, sizeof locale) > 0) {
        EXPECT_EQ(::GetACP(), 1252u) << locale;
    }
    EXPECT_STREQ(GetMouseCutCmd(0), "\x82\xc8\x82\xb5");
    EXPECT_STREQ(GetMouseCutCmd(1), "\x83\x58\x83\x4e\x83\x8a\x81\x5b\x83\x93\x83\x5a\x81\x5b\x83\x6f\x81\x5b");
    EXPECT_STREQ(GetMouseCutCmd(64), "") << "an index past the table reads as empty";
}

TEST(Setters, MouseCutKeepsAll255CharactersAndCutsLonger) {
    std::string text(255, 'x');
    text[0] = 'a';
    text[254] = 'z';
    SetMouseCut(3, text.c_str());
    EXPECT_EQ(std::string(bench::Block().MouseCut[3]), text);
    std::string longer(400, 'y');
    SetMouseCut(4, longer.c_str());
    EXPECT_EQ(std::string(bench::Block().MouseCut[4]), std::string(255, 'y')) << "bounded to the slot";
    SetMouseCut(24, "past the table");  // dropped, not written over the next field
    EXPECT_EQ(bench::Block().MouseCutCmd[0][0], '\x82');
    SetMouseCut(3, nullptr);
    EXPECT_STREQ(bench::Block().MouseCut[3], "");
    SetIgnore(63, "Notepad");
    SetIgnoreExe(0, "notepad.exe");
    EXPECT_STREQ(bench::Block().Ignore[63], "Notepad");
    EXPECT_STREQ(bench::Block().IgnoreExe[0], "notepad.exe");
}

TEST(Setters, UnterminatedTextIsNotReadPastItsSlot) {
    SYSTEM_INFO info{};
    ::GetSystemInfo(&info);
    const DWORD page = info.dwPageSize;
    auto* memory = static_cast<char*>(::VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(memory, nullptr);
    DWORD old = 0;
    ASSERT_TRUE(::VirtualProtect(memory + page, page, PAGE_NOACCESS, &old));
    // 255 bytes without a terminator, and nothing readable after them.
    char* text = memory + page - 255;
    std::memset(text, 'q', 255);
    SetMouseCut(5, text);
    SetIgnore(6, text);
    SetIgnoreExe(7, text);
    const std::string expected(255, 'q');
    EXPECT_EQ(std::string(bench::Block().MouseCut[5]), expected);
    EXPECT_EQ(std::string(bench::Block().Ignore[6]), expected);
    EXPECT_EQ(std::string(bench::Block().IgnoreExe[7]), expected);
    ::VirtualFree(memory, 0, MEM_RELEASE);
    SetIgnore(6, "");
    SetIgnoreExe(7, "");
}

TEST(Setters, IgnoreMouseAndKeyboardExcludeEachOther) {
    SetIgnoreMouse(0);
    SetIgnoreKeyboard(0);
    quor::SharedBlock& b = bench::Block();
    const RECT work = bench::WorkArea();

    auto cursorAt = [](int x, int y) {
        return bench::WaitFor([=] {
            POINT p{};
            ::GetCursorPos(&p);
            return p.x == x && p.y == y;
        }, 2000);
    };
    ::SetCursorPos(5, 5);
    ASSERT_TRUE(cursorAt(5, 5));
    SetIgnoreKeyboard(1);
    SetIgnoreMouse(1);
    EXPECT_EQ(b.IgnoreKeyboard, 1);
    EXPECT_EQ(b.IgnoreMouse, 0) << "1. mouse blocking cannot start while the keyboard is blocked";
    EXPECT_TRUE(cursorAt((work.right - work.left) / 2, (work.bottom - work.top) / 2))
        << "1. the cursor still went to the work-area centre";
    POINT pt{};

    SetIgnoreKeyboard(0);
    SetIgnoreMouse(1);
    ASSERT_EQ(b.IgnoreMouse, 1);
    SetIgnoreKeyboard(1);
    EXPECT_EQ(b.IgnoreKeyboard, 0) << "2. the reverse order leaves the keyboard unblocked";
    SetIgnoreMouse(0);

    ::SetCursorPos(7, 9);
    ASSERT_TRUE(cursorAt(7, 9));
    SetIgnoreMouse(2);
    EXPECT_EQ(b.IgnoreMouse, 2) << "3. only 1 takes the special path";
    ::GetCursorPos(&pt);
    EXPECT_EQ(pt.x, 7);
    EXPECT_EQ(pt.y, 9);
    SetIgnoreMouse(0);
}

TEST(Setters, StatClearLeavesSettings) {
    SetSnap(20);
    SetVolumeDelta(250);
    SetAllowOut(1);
    SetStatMouse(0, 5);
    SetStatKeyboard(25, 9);
    SetStatMouseMove(123.5);
    SetStatTotalTime(77);
    StatClear();
    quor::SharedBlock& b = bench::Block();
    for (int i = 0; i < quor::kStatMouseCount; ++i) EXPECT_EQ(GetStatMouse(i), 0u);
    for (int i = 0; i < quor::kStatKeyboardCount; ++i) EXPECT_EQ(GetStatKeyboard(i), 0u);
    EXPECT_EQ(GetStatMouseMove(), 0.0);
    EXPECT_EQ(GetStatTotalTime(), 0u);
    EXPECT_EQ(b.Snap, 20);
    EXPECT_EQ(b.VolumeDelta, 250);
    EXPECT_EQ(b.AllowOut, 1);
    SetAllowOut(0);
    SetVolumeDelta(100);
}

TEST(Setters, TaskTrayTransitions) {
    quor::SharedBlock& b = bench::Block();
    SetTaskTray(0);
    b.TrayWnd[5] = reinterpret_cast<HWND>(0x1234);  // stale entries from an earlier session
    b.TrayExStyle[5] = 0x80;
    b.TrayHigh = 5;
    SetTaskTray(1);
    EXPECT_EQ(b.TaskTray, 1);
    EXPECT_EQ(b.TrayWnd[5], nullptr) << "turning the setting on frees the entries of windows that are gone";
    EXPECT_EQ(b.TrayExStyle[5], 0);
    EXPECT_EQ(b.TrayHigh, 0);
    SetTaskTray(2);
    EXPECT_EQ(b.TaskTray, 1) << "any value but 0 is on";
    SetTaskTray(1);
}
