// Start of the resident program until its hooks are installed and its notification icon is
// registered, over several starts (figures only).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "hooklib/quordll.h"
#include "tests/wine/support/bench_support.h"

int main() {
    SetUnAvailable(0);  // maps the library, to see its block
    quor::SharedBlock& b = bench::Block();
    const std::string exe = bench::ProgramDir() + "\\Quorvelle.exe";
    const std::string ini = bench::ProgramDir() + "\\Quorvelle.ini";
    constexpr int kStarts = 5;
    std::vector<double> ms;
    for (int run = 0; run < kStarts; ++run) {
        ::DeleteFileA(ini.c_str());
        b.DummyWnd = nullptr;
        std::string cmd = "\"" + exe + "\"";
        STARTUPINFOA si{sizeof si};
        PROCESS_INFORMATION pi{};
        const auto start = std::chrono::steady_clock::now();
        if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
        HWND frame = nullptr;
        const bool up = bench::WaitFor([&] {
            frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
            return frame && b.DummyWnd != nullptr && bench::NotificationIconRegistered(frame, 1);
        }, 20000);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (up) ms.push_back(took.count());
        if (frame) ::PostMessageA(frame, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    ::DeleteFileA(ini.c_str());
    std::sort(ms.begin(), ms.end());
    std::printf("Quorvelle.exe from start to hooks installed and icon registered (%d starts)\n", kStarts);
    for (double m : ms) std::printf("  %8.1f ms\n", m);
    if (!ms.empty()) std::printf("  median: %8.1f ms\n", ms[ms.size() / 2]);
    std::printf("Idle: one timer, every 3 s (the check for low-level hooks the system removed)\n");
    return ms.size() == kStarts ? 0 : 1;
}
