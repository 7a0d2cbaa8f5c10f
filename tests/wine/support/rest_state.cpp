#include "tests/wine/support/rest_state.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <optional>
#include <thread>

#include "hooklib/core/shared_block.h"
#include "platform/unique_any.h"
#include "tests/wine/support/bench_support.h"

namespace bench {
namespace {

// Wine's own programs, which run for the bench's whole life or start when first needed, and the
// bench's keeper. The desktop's Explorer (which the keeper starts) is the bench's too; another
// Explorer (a file browser a command opened) is not.
constexpr const char* kBenchPrograms[] = {"services.exe", "winedevice.exe", "plugplay.exe", "svchost.exe",
                                          "rpcss.exe",    "conhost.exe",    "qkeep.exe"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool IsBenchProgramName(const std::string& name) {
    const std::string lower = Lower(name);
    return std::any_of(std::begin(kBenchPrograms), std::end(kBenchPrograms),
                       [&](const char* own) { return lower == own; });
}

std::vector<std::pair<DWORD, std::string>> ForeignProcesses() {
    std::vector<PROCESSENTRY32> all;
    const quor::unique_hfile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return {};
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot.get(), &entry); more; more = ::Process32Next(snapshot.get(), &entry))
        all.push_back(entry);
    DWORD desktop = 0;
    ::GetWindowThreadProcessId(::GetDesktopWindow(), &desktop);
    std::vector<std::pair<DWORD, std::string>> found;
    for (const PROCESSENTRY32& e : all) {
        const DWORD pid = e.th32ProcessID;
        if (pid == 0 || pid == ::GetCurrentProcessId() || pid == desktop ||
            IsBenchProgramName(e.szExeFile))
            continue;
        found.emplace_back(pid, e.szExeFile);
    }
    return found;
}

BOOL CALLBACK AddShownWindow(HWND window, LPARAM out) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
    char cls[64] = {}, title[128] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    ::GetWindowTextA(window, title, sizeof title);
    reinterpret_cast<std::vector<std::pair<HWND, std::string>>*>(out)->emplace_back(
        window, std::string(cls) + " \"" + title + "\" of process " + std::to_string(pid));
    return TRUE;
}

// Read on a thread of its own: the platform keeps a copy of the key state for each thread that
// asks, and a test that presses a button and asks at once must not be answered from ours.
std::vector<int> KeysDown() {
    std::vector<int> down;
    std::thread([&] {
        for (int vk = 1; vk < 255; ++vk)
            if (::GetAsyncKeyState(vk) & 0x8000) down.push_back(vk);
    }).join();
    return down;
}

// The keys that stay on once pressed, as the keyboard's state holds them.
constexpr int kToggleKeys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_KANA};

std::vector<int> KeysToggledOn() {
    std::vector<int> on;
    std::thread([&] {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        for (int vk : kToggleKeys)
            if (state[vk] & 1) on.push_back(vk);
    }).join();
    return on;
}

void Press(int vk) {
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = static_cast<WORD>(vk);
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, press, sizeof press[0]);
}

// The system parameters live in the registry: in HKCU\Control Panel as stored, and in Wine's key of
// changes for the session only. They are compared there, and not through SystemParametersInfo:
// each process keeps the parameters it read once, so reading them here would keep this test
// program from seeing a change another program makes later.
struct RegistryTree {
    const char* name;
    HKEY root;
    const char* key;
    const char* value;  // one value (null: the key's default), or every value beneath the key
    bool wholeTree;
};

const RegistryTree kRegistry[] = {
    {"HKCU\\Control Panel", HKEY_CURRENT_USER, "Control Panel", nullptr, true},
    {"HKCU\\Software\\Wine\\Temporary System Parameters", HKEY_CURRENT_USER,
     "Software\\Wine\\Temporary System Parameters", nullptr, true},
    // The browser, which a test replaces.
    {"HKCR\\https\\shell\\open\\command", HKEY_CLASSES_ROOT, "https\\shell\\open\\command", nullptr, false},
};

std::optional<StoredValue> ReadValue(HKEY key, const char* name) {
    StoredValue stored;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &stored.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    stored.bytes.resize(size);
    if (::RegQueryValueExA(key, name, nullptr, &stored.type, reinterpret_cast<BYTE*>(stored.bytes.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    stored.bytes.resize(size);
    return stored;
}

// Wine writes the locale's own record here to match each program's locale as the program starts;
// a test that runs in a second locale changes it, and so does the next one in the first.
bool IsLocaleRecord(const std::string& path) { return path == "HKCU\\Control Panel\\International\\"; }

// Every value beneath `key`, by its path below the tree's top ("Desktop\\UserPreferencesMask").
void ReadTree(HKEY key, const std::string& path, std::map<std::string, StoredValue>& out) {
    if (IsLocaleRecord(path)) return;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (::RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (const std::optional<StoredValue> value = ReadValue(key, name)) out[path + name] = *value;
    }
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        HKEY sub = nullptr;
        if (::RegOpenKeyExA(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
        ReadTree(sub, path + name + "\\", out);
        ::RegCloseKey(sub);
    }
}

}  // namespace

std::map<std::string, StoredValue> ReadComparedRegistry() {
    std::map<std::string, StoredValue> values;
    for (const RegistryTree& tree : kRegistry) {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(tree.root, tree.key, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
        if (tree.wholeTree) {
            ReadTree(key, std::string(tree.name) + "\\", values);
        } else if (const std::optional<StoredValue> value = ReadValue(key, tree.value)) {
            values[tree.name] = *value;
        }
        ::RegCloseKey(key);
    }
    return values;
}

namespace {

// Writes a value back at its path, or deletes it for nullopt.
void WriteValue(const std::string& path, const std::optional<StoredValue>& stored) {
    for (const RegistryTree& tree : kRegistry) {
        const std::string top = tree.name;
        if (path.compare(0, top.size(), top) != 0) continue;
        std::string key = tree.key;
        const char* name = tree.value;
        std::string below;
        if (tree.wholeTree) {
            if (path.size() <= top.size() || path[top.size()] != '\\') continue;
            below = path.substr(top.size() + 1);
            const size_t last = below.rfind('\\');
            if (last != std::string::npos) key += "\\" + below.substr(0, last);
            below = last == std::string::npos ? below : below.substr(last + 1);
            name = below.c_str();
        } else if (path != top) {
            continue;
        }
        HKEY handle = nullptr;
        if (::RegCreateKeyExA(tree.root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
            ERROR_SUCCESS)
            return;
        if (stored)
            ::RegSetValueExA(handle, name, 0, stored->type, reinterpret_cast<const BYTE*>(stored->bytes.data()),
                             static_cast<DWORD>(stored->bytes.size()));
        else
            ::RegDeleteValueA(handle, name);
        ::RegCloseKey(handle);
        return;
    }
}

std::string Text(const StoredValue& stored) {
    std::string text = "type " + std::to_string(stored.type) + ":";
    char hex[4];
    for (unsigned char c : stored.bytes) {
        std::snprintf(hex, sizeof hex, " %02x", c);
        text += hex;
    }
    return text;
}

std::set<std::string> FilesBesideThePrograms() {
    std::set<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA((ProgramDir() + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

// Files a test writes beside the program, which must not be there when the next one starts.
constexpr const char* kSettingsFiles[] = {"Quorvelle.ini", "Ignore.txt"};

bool IsSettingsFile(const std::string& name) {
    return std::any_of(std::begin(kSettingsFiles), std::end(kSettingsFiles),
                       [&](const char* settings) { return Lower(name) == Lower(settings); });
}

// The library's block in this process, when this program maps the library as it starts (white-box
// programs link its code instead, and a hook may map it into them later on: they never look).
quor::SharedBlock* SharedBlockIfMapped() {
    static quor::SharedBlock* const block = ::GetModuleHandleA("Quordll.dll") ? &Block() : nullptr;
    return block;
}

std::vector<std::string> BlockNotAtRest() {
    std::vector<std::string> found;
    const quor::SharedBlock* b = SharedBlockIfMapped();
    if (!b) return found;
    // Not among them: the settings (the program leaves the ones it pushed, keys it disables among
    // them; the tests that install the hooks themselves set every one they rely on), and the release
    // to swallow after a press that ran a command, which stays set when that release reached no
    // hooked window, and which the next right press clears.
    const auto expect = [&](const char* name, long long value) {
        if (value != 0) found.push_back(std::string(name) + " = " + std::to_string(value));
    };
    expect("UnAvailable", b->UnAvailable);
    expect("IgnoreMouse", b->IgnoreMouse);
    expect("IgnoreKeyboard", b->IgnoreKeyboard);
    expect("LaserState", b->LaserState);
    expect("ShowDesk", b->ShowDesk);
    expect("MoveArmed", b->MoveArmed);
    expect("Moving", b->Moving);
    expect("SizeArmed", b->SizeArmed);
    expect("Sizing", b->Sizing);
    expect("DragWnd", reinterpret_cast<intptr_t>(b->DragWnd));
    expect("CaptureWnd", reinterpret_cast<intptr_t>(b->CaptureWnd));
    expect("nRolled", b->nRolled);
    expect("nAlphaTable", b->nAlphaTable);
    expect("TrayHigh", b->TrayHigh);
    expect("VDScreen", b->VDScreen);
    expect("nHidden", b->nHidden);
    expect("nHiddenSaved", b->nHiddenSaved);
    return found;
}

void PutBlockAtRest() {
    quor::SharedBlock* b = SharedBlockIfMapped();
    if (!b) return;
    b->UnAvailable = b->IgnoreMouse = b->IgnoreKeyboard = b->LaserState = b->ShowDesk = 0;
    b->SwallowRButtonUp = 0;
    b->MoveArmed = b->Moving = b->SizeArmed = b->Sizing = 0;
    b->DragWnd = b->CaptureWnd = nullptr;
    b->nRolled = b->nAlphaTable = 0;
    for (HWND& w : b->TrayWnd) w = nullptr;
    b->TrayHigh = 0;
    b->VDScreen = b->nHidden = b->nHiddenSaved = 0;
}

void LetGo(int vk) {
    INPUT input{};
    switch (vk) {
        case VK_LBUTTON: input.type = INPUT_MOUSE; input.mi.dwFlags = MOUSEEVENTF_LEFTUP; break;
        case VK_RBUTTON: input.type = INPUT_MOUSE; input.mi.dwFlags = MOUSEEVENTF_RIGHTUP; break;
        case VK_MBUTTON: input.type = INPUT_MOUSE; input.mi.dwFlags = MOUSEEVENTF_MIDDLEUP; break;
        default:
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = static_cast<WORD>(vk);
            input.ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput(1, &input, sizeof input);
}

// A menu goes with Escape, which reaches it wherever its program's thread runs it; any other
// window is asked to close.
void CloseShownWindow(HWND window) {
    char cls[16] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    for (int attempt = 0; attempt < 3 && ::IsWindowVisible(window); ++attempt) {
        if (std::string(cls) == "#32768") {
            INPUT escape[2] = {};
            escape[0].type = escape[1].type = INPUT_KEYBOARD;
            escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
            escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
            ::SendInput(2, escape, sizeof escape[0]);
        } else {
            ::PostMessageA(window, WM_CLOSE, 0, 0);
        }
        WaitFor([&] { return !::IsWindowVisible(window); }, 1000);
    }
}

}  // namespace

RestState ReadRestState() {
    RestState state;
    state.processes = ForeignProcesses();
    ::EnumWindows(AddShownWindow, reinterpret_cast<LPARAM>(&state.shownWindows));
    state.keysDown = KeysDown();
    state.keysToggledOn = KeysToggledOn();
    state.clipboardFormats = ::CountClipboardFormats();
    state.registry = ReadComparedRegistry();
    state.files = FilesBesideThePrograms();
    state.block = BlockNotAtRest();
    return state;
}

std::vector<std::string> NotAtRest(const RestState& now) {
    std::vector<std::string> found;
    for (const auto& [pid, name] : now.processes)
        found.push_back("a program still runs: " + name + " (process " + std::to_string(pid) + ")");
    for (const auto& [window, text] : now.shownWindows) found.push_back("a window shows: " + text);
    for (int vk : now.keysDown) found.push_back("a key or button is held: virtual key " + std::to_string(vk));
    if (now.clipboardFormats != 0)
        found.push_back("the clipboard holds " + std::to_string(now.clipboardFormats) + " format(s)");
    for (const std::string& name : now.files)
        if (IsSettingsFile(name)) found.push_back("a settings file lies beside the programs: " + name);
    for (const std::string& field : now.block) found.push_back("the shared block is not at rest: " + field);
    return found;
}

std::vector<std::string> ChangedSince(const RestState& before, const RestState& now) {
    std::vector<std::string> found;
    for (const auto& [path, value] : now.registry) {
        const auto was = before.registry.find(path);
        if (was == before.registry.end())
            found.push_back("registry value " + path + " was added: " + Text(value));
        else if (!(was->second == value))
            found.push_back("registry value " + path + " is " + Text(value) + ", was " + Text(was->second));
    }
    for (const auto& [path, value] : before.registry)
        if (!now.registry.count(path)) found.push_back("registry value " + path + " was deleted, was " + Text(value));
    for (const std::string& name : now.files)
        if (!before.files.count(name) && !IsSettingsFile(name)) found.push_back("a file was left beside the programs: " + name);
    for (const std::string& name : before.files)
        if (!now.files.count(name)) found.push_back("a file beside the programs was deleted: " + name);
    if (now.keysToggledOn != before.keysToggledOn)
        found.push_back("a key that stays on (Caps Lock, Num Lock, Scroll Lock, Kana) was left switched");
    return found;
}

void ReturnToRest(const RestState& before, const RestState& now) {
    for (const auto& [pid, name] : now.processes) {
        const quor::unique_handle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
        if (!process) continue;
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
    for (int vk : now.keysDown) LetGo(vk);
    for (int vk : kToggleKeys) {
        const bool was = std::count(before.keysToggledOn.begin(), before.keysToggledOn.end(), vk) != 0;
        const bool is = std::count(now.keysToggledOn.begin(), now.keysToggledOn.end(), vk) != 0;
        if (was != is) Press(vk);
    }
    // What is left shows in a program of the bench's own (a menu of the desktop's, say).
    for (const auto& [window, text] : now.shownWindows) CloseShownWindow(window);
    if (now.clipboardFormats != 0 && WaitFor([] { return ::OpenClipboard(nullptr) != FALSE; }, 1000)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    PutBlockAtRest();
    for (const std::string& name : now.files)
        if (IsSettingsFile(name) || !before.files.count(name)) ::DeleteFileA((ProgramDir() + "\\" + name).c_str());
    RestoreRegistry(before.registry);
}

void RestoreRegistry(const std::map<std::string, StoredValue>& before) {
    const std::map<std::string, StoredValue> now = ReadComparedRegistry();
    for (const auto& [path, value] : before) {
        const auto found = now.find(path);
        if (found == now.end() || !(found->second == value)) WriteValue(path, value);
    }
    for (const auto& [path, value] : now)
        if (!before.count(path)) WriteValue(path, std::nullopt);
}

namespace {

// The baseline's file in the bench's folder, or "" when no bench is named.
std::string BaselinePath() {
    const char* benchDir = std::getenv("QUOR_BENCH_DIR");
    if (!benchDir || benchDir[0] != '/') return "";
    std::string path = "Z:" + std::string(benchDir) + "/rest-baseline.txt";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string Hex(const std::string& bytes) {
    std::string text;
    char pair[3];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", c);
        text += pair;
    }
    return text;
}

std::string Unhex(const std::string& text) {
    std::string bytes;
    for (size_t i = 0; i + 1 < text.size(); i += 2)
        bytes.push_back(static_cast<char>(std::strtoul(text.substr(i, 2).c_str(), nullptr, 16)));
    return bytes;
}

}  // namespace

std::optional<RestState> LoadBenchBaseline() {
    const std::string path = BaselinePath();
    if (path.empty()) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    RestState baseline;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string kind, a, b, c;
        std::getline(fields, kind, '\t');
        std::getline(fields, a, '\t');
        std::getline(fields, b, '\t');
        std::getline(fields, c, '\t');
        if (kind == "R") baseline.registry[a] = StoredValue{static_cast<DWORD>(std::strtoul(b.c_str(), nullptr, 10)), Unhex(c)};
        if (kind == "F") baseline.files.insert(a);
        if (kind == "T") baseline.keysToggledOn.push_back(std::atoi(a.c_str()));
    }
    return baseline;
}

void SaveBenchBaseline(const RestState& state) {
    const std::string path = BaselinePath();
    if (path.empty()) return;
    const std::string partial = path + ".new";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        for (const auto& [name, value] : state.registry)
            out << "R\t" << name << '\t' << value.type << '\t' << Hex(value.bytes) << '\n';
        for (const std::string& name : state.files) out << "F\t" << name << '\n';
        for (int vk : state.keysToggledOn) out << "T\t" << vk << '\n';
    }
    ::MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace bench
