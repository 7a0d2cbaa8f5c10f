#include "tests/wine/support/resident_support.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/wine/support/bench_support.h"

namespace bench {

void ParkPointerAwayFromTheDialogs() {
    const RECT work = WorkArea();
    ::SetCursorPos(work.right - 1, work.top);
}

ResidentProgram::ResidentProgram(bool wineNotes) {
    ParkPointerAwayFromTheDialogs();
    std::string cmd = "\"" + ProgramDir() + "\\Quorvelle.exe\"";
    STARTUPINFOA si{sizeof si};
    char debug[256] = {};
    const bool hadDebug = ::GetEnvironmentVariableA("WINEDEBUG", debug, sizeof debug) != 0;
    if (wineNotes) ::SetEnvironmentVariableA("WINEDEBUG", "-all,fixme+msg");
    PROCESS_INFORMATION pi{};
    if (::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ::CloseHandle(pi.hThread);
        process_.reset(pi.hProcess);
        pid_ = pi.dwProcessId;
    }
    if (wineNotes) ::SetEnvironmentVariableA("WINEDEBUG", hadDebug ? debug : nullptr);
}

std::string WineNotes() {
    char unixPath[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("QUOR_WINE_NOTES", unixPath, sizeof unixPath) == 0) return {};
    std::string path = std::string("Z:") + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

ResidentProgram::~ResidentProgram() {
    if (!process_ || Ended(0)) return;
    // Exited as a person exits it, so that its hooks and its icon go with it; ended by force only
    // when it does not go.
    if (Frame() != nullptr && Close(5000)) return;
    ::TerminateProcess(process_.get(), 1);
    Ended(5000);
}

HWND ResidentProgram::Frame() const {
    HWND frame = nullptr;
    while ((frame = ::FindWindowExA(nullptr, frame, "Afx:400000:0", nullptr)) != nullptr) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(frame, &pid);
        if (pid == pid_) return frame;
    }
    return nullptr;
}

bool ResidentProgram::Ended(int timeoutMs) const {
    // This thread's windows keep answering meanwhile: the program may ask them something as it ends.
    return WaitFor([&] { return ::WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }, timeoutMs);
}

bool ResidentProgram::Close(int timeoutMs) const {
    if (const HWND frame = Frame()) ::PostMessageA(frame, WM_CLOSE, 0, 0);
    return Ended(timeoutMs);
}

bool ResidentProgram::WaitUntilUp(int timeoutMs) const {
    quor::SharedBlock& b = Block();
    return WaitFor([&] { return Frame() != nullptr && b.DummyWnd != nullptr; }, timeoutMs);
}

std::string SettingsPath() { return ProgramDir() + "\\Quorvelle.ini"; }

void WriteSettingsFile(const std::string& text) { std::ofstream(SettingsPath(), std::ios::binary) << text; }

std::string ReadSettingsFile() {
    std::ifstream in(SettingsPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> IniSection(const std::string& text, const std::string& name) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inside = line == "[" + name + "]";
            continue;
        }
        if (inside && !line.empty()) lines.push_back(line);
    }
    return lines;
}

void Press(WORD vk) {
    Key(vk, true);
    Key(vk, false);
}

bool OpenTrayMenu(HWND frame) {
    ::PostMessageA(frame, kTrayNotify, 0, WM_RBUTTONUP);
    return WaitFor([] {
        const HWND menu = ::FindWindowA("#32768", nullptr);
        return menu != nullptr && ::IsWindowVisible(menu);
    });
}

bool ChooseTrayMenuItem(HWND frame, int index, int submenuIndex) {
    if (!OpenTrayMenu(frame)) return false;
    // The menu opens with nothing chosen: the first Down chooses its first item.
    for (int i = 0; i <= index; ++i) Press(VK_DOWN);
    if (submenuIndex >= 0) {
        Press(VK_RIGHT);  // opens the submenu on its first item
        for (int i = 0; i < submenuIndex; ++i) Press(VK_DOWN);
    }
    Press(VK_RETURN);
    return true;
}

HWND ProgramDialogWhere(HWND frame, const std::function<bool(HWND)>& matches) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(frame, &pid);
    for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if (owner == pid && matches(w)) return w;
    }
    return nullptr;
}

HWND WaitForProgramDialog(HWND frame, const wchar_t* caption, int timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] {
        found = ProgramDialogWhere(frame, [&](HWND w) {
            wchar_t text[128] = {};
            ::GetWindowTextW(w, text, 128);
            return ::IsWindowVisible(w) && std::wstring(text) == caption;
        });
        return found != nullptr;
    }, timeoutMs);
    return found;
}

void ClickControl(HWND dialog, int id) {
    const RECT r = WindowRect(::GetDlgItem(dialog, id));
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::string ControlText(HWND dialog, int id) {
    char text[4096] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

}  // namespace bench
