// Start of the resident program until its hooks are installed and its notification icon is
// registered, over several starts; then what the program does while nothing happens: the
// messages its thread takes from its queue, timers among them (figures only).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "hooklib/quordll.h"
#include "tests/wine/support/bench_support.h"

namespace {

struct MessageCounts {
    LONG total;
    LONG timers;
    LONG timerById[16];
};

// Counts the messages the program's thread takes over `seconds` of no input, with a message hook
// placed on that thread alone.
bool ReportIdleMessages(HWND frame, int seconds) {
    const std::string dll = bench::ProgramDir() + "\\qmsgcount.dll";
    const HMODULE counter = ::LoadLibraryA(dll.c_str());
    if (!counter) return false;
    const auto proc = reinterpret_cast<HOOKPROC>(::GetProcAddress(counter, "CountTakenMessages"));
    const auto counts = reinterpret_cast<MessageCounts* (*)()>(::GetProcAddress(counter, "TakenMessageCounts"));
    if (!proc || !counts) return false;
    const DWORD thread = ::GetWindowThreadProcessId(frame, nullptr);
    const HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, proc, counter, thread);
    if (!hook) return false;
    // The hook reaches the thread with the next message it takes: one that is counted out.
    ::PostMessageA(frame, WM_NULL, 0, 0);
    ::Sleep(500);
    MessageCounts& c = *counts();
    const MessageCounts before = c;
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const MessageCounts after = c;
    ::UnhookWindowsHookEx(hook);
    std::printf("Idle, %d s with no input: %.2f messages/s taken by the program's thread, %.2f of them timers/s\n",
                seconds, (after.total - before.total) / static_cast<double>(seconds),
                (after.timers - before.timers) / static_cast<double>(seconds));
    for (int id = 0; id < 16; ++id) {
        const LONG ticks = after.timerById[id] - before.timerById[id];
        if (ticks) std::printf("  timer %d: %ld ticks (one each %.1f s)\n", id, ticks, seconds / static_cast<double>(ticks));
    }
    return true;
}

HWND StartProgram(const std::string& exe, PROCESS_INFORMATION& pi) {
    quor::SharedBlock& b = bench::Block();
    b.DummyWnd = nullptr;
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si{sizeof si};
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
    HWND frame = nullptr;
    bench::WaitFor([&] {
        frame = ::FindWindowA("Afx:400000:0", "Quorvelle");
        return frame && b.DummyWnd != nullptr && bench::NotificationIconRegistered(frame, 1);
    }, 20000);
    return frame && b.DummyWnd != nullptr ? frame : nullptr;
}

void EndProgram(HWND frame, PROCESS_INFORMATION& pi) {
    if (frame) ::PostMessageA(frame, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

}  // namespace

int main() {
    SetUnAvailable(0);  // maps the library, to see its block
    const std::string exe = bench::ProgramDir() + "\\Quorvelle.exe";
    const std::string ini = bench::ProgramDir() + "\\Quorvelle.ini";
    constexpr int kStarts = 5;
    std::vector<double> ms;
    for (int run = 0; run < kStarts; ++run) {
        ::DeleteFileA(ini.c_str());
        PROCESS_INFORMATION pi{};
        const auto start = std::chrono::steady_clock::now();
        const HWND frame = StartProgram(exe, pi);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (frame) ms.push_back(took.count());
        EndProgram(frame, pi);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("Quorvelle.exe from start to hooks installed and icon registered (%d starts)\n", kStarts);
    for (double m : ms) std::printf("  %8.1f ms\n", m);
    if (!ms.empty()) std::printf("  median: %8.1f ms\n", ms[ms.size() / 2]);

    PROCESS_INFORMATION pi{};
    const HWND frame = StartProgram(exe, pi);
    const bool counted = frame && ReportIdleMessages(frame, 12);
    EndProgram(frame, pi);
    ::DeleteFileA(ini.c_str());
    return ms.size() == kStarts && counted ? 0 : 1;
}
