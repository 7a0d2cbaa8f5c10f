#include "hooklib/commands/system_commands.h"

#include <cstdio>

#include "hooklib/core/shared_block.h"
#include "hooklib/window/eligibility.h"
#include "hooklib/window/window_query.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

void Key(BYTE vk, bool down) noexcept { ::keybd_event(vk, 0, down ? 0 : KEYEVENTF_KEYUP, 0); }

void EnablePrivilege(HANDLE token) noexcept {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
}

}  // namespace

void StartCommandLine(const char* text) noexcept {
    // CreateProcess may write into the command line: it gets a copy.
    char commandLine[kTextSlot];
    std::snprintf(commandLine, sizeof commandLine, "%.255s", text ? text : "");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE, nullptr, nullptr,
                          &startup, &process))
        return;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

void StartSystemProgram(SystemFolder folder, const char* program, const char* arguments) noexcept {
    // By its full path: a program of that name in the folder of the program the mouse was over,
    // or in its current folder, would be found first otherwise.
    char directory[MAX_PATH] = {};
    const UINT length = folder == SystemFolder::kWindows ? ::GetWindowsDirectoryA(directory, MAX_PATH)
                                                         : ::GetSystemDirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    char commandLine[kTextSlot];
    const int written = std::snprintf(commandLine, sizeof commandLine, "\"%s\\%s\"%s%s", directory, program,
                                      *arguments ? " " : "", arguments);
    if (written < 0 || static_cast<size_t>(written) >= sizeof commandLine) return;
    StartCommandLine(commandLine);
}

void ShowDesktop() noexcept {
    SharedBlock& b = Block();
    const int32_t disabled = b.DisableKeyWin;
    b.DisableKeyWin = 0;
    Key(VK_LWIN, true);
    Key('D', true);
    Key('D', false);
    Key(VK_LWIN, false);
    b.DisableKeyWin = disabled;
}

void OpenTaskManager() noexcept {
    Key(VK_CONTROL, true);
    Key(VK_SHIFT, true);
    Key(VK_ESCAPE, true);
    Key(VK_ESCAPE, false);
    Key(VK_SHIFT, false);
    Key(VK_CONTROL, false);
}

void OpenControlPanelApplet(const char* file) noexcept {
    char arguments[kTextSlot];
    std::snprintf(arguments, sizeof arguments, "shell32.dll,Control_RunDLL %s", file);
    StartSystemProgram(SystemFolder::kSystem, "rundll32.exe", arguments);
}

void OpenHotplugDialog() noexcept { OpenControlPanelApplet("hotplug.dll"); }

// Explorer started as a program: the shell's own ShellExecute would want COM in this thread, which
// belongs to whatever program the mouse was over, and may wait on the shell.
void OpenShellFolder(const char* parameters) noexcept {
    StartSystemProgram(SystemFolder::kWindows, "explorer.exe", parameters);
}

namespace {

// The pointer is hidden where the shortcut was used (its thread's cursor); a thread of its own has
// no cursor to hide.
DWORD WINAPI ScreenSaverAfterAMoment(void* hidePointer) {
    ::Sleep(500);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(Block().DeskListView, WM_SYSCOMMAND, SC_SCREENSAVE, 0, SMTO_ABORTIFHUNG,
                          kForeignSendTimeoutMs, &ignored);
    if (!hidePointer) return 0;
    for (int i = 0; i < 10; ++i) {
        ::Sleep(50);
        ::SetCursor(nullptr);
    }
    return 0;
}

DWORD WINAPI MonitorOffAfterAMoment(void*) {
    ::Sleep(500);
    // Told to every top-level window without waiting: one hung window would hold us here for good.
    ::SendNotifyMessageA(HWND_BROADCAST, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
    return 0;
}

// The hooks' thread takes every mouse and key event of the desktop, and a 32-bit program's
// shortcuts come back to it: what waits a moment runs in a thread of its own there (its parameter
// null). Elsewhere it runs in the thread of the program the shortcut was used in, as it always has.
void RunWithoutHoldingTheHooks(LPTHREAD_START_ROUTINE work) noexcept {
    const HWND hooksWindow = Block().DummyWnd;
    if (hooksWindow && OwnedByThisThread(hooksWindow)) {
        if (const HANDLE thread = ::CreateThread(nullptr, 0, work, nullptr, 0, nullptr)) {
            ::CloseHandle(thread);
            return;
        }
    }
    int inThisThread = 1;
    work(&inThisThread);
}

}  // namespace

void StartScreenSaver() noexcept { RunWithoutHoldingTheHooks(&ScreenSaverAfterAMoment); }

void TurnMonitorOff() noexcept { RunWithoutHoldingTheHooks(&MonitorOffAfterAMoment); }

int EnableShutdownPrivilege() noexcept {
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return -1;
    unique_handle token(raw);
    EnablePrivilege(token.get());
    return ::GetLastError() == ERROR_SUCCESS ? 0 : -1;
}

void SuspendSystem(BOOL suspend) noexcept {
    HANDLE raw = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &raw)) {
        unique_handle token(raw);
        EnablePrivilege(token.get());
    }
    ::SetSystemPowerState(suspend, FALSE);
}

}  // namespace quor
