// Test helper: runs an unpacked Quorvelle.exe as a person does. Starts it (from another current
// folder than its own), waits for its hooks and its notification icon, exits it from the icon's
// menu and waits for its end. Exit code 0 when all of that happened; each step is printed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/wine/support/bench_support.h"
#include "tests/wine/support/resident_support.h"

namespace {

HWND FrameOf(DWORD pid) {
    for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "Afx:400000:0", nullptr)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if (owner == pid) return w;
    }
    return nullptr;
}

int Fail(const char* step) {
    std::printf("qinstall: FAILED: %s\n", step);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return Fail("usage: qinstall PATH\\Quorvelle.exe");
    std::string cmd = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, "C:\\", &si, &pi))
        return Fail("1. start the program");
    quor::unique_handle process(pi.hProcess);
    ::CloseHandle(pi.hThread);
    HWND frame = nullptr;
    if (!bench::WaitFor([&] { return (frame = FrameOf(pi.dwProcessId)) != nullptr; }, 20000))
        return Fail("1. its frame");
    if (!bench::WaitFor([&] { return bench::NotificationIconRegistered(frame, 1); }, 10000))
        return Fail("2. its notification icon");
    std::printf("qinstall: running, with its notification icon\n");
    // 終了 is the last of the menu's eight items.
    if (!bench::ChooseTrayMenuItem(frame, 7)) return Fail("3. its menu");
    if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) return Fail("3. exit from the menu");
    std::printf("qinstall: exited from its menu\n");
    return 0;
}
