// Input through the hooks while the resident program's own thread takes no messages at all (the
// thread suspended, as a dialog's slow work would hold it): the time from an injected mouse move
// or key press until another program has taken it, against the same input with the program idle;
// then whether the hooks are still installed and still counting (figures only).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "hooklib/core/shared_block.h"
#include "hooklib/quordll.h"
#include "platform/unique_any.h"
#include "tests/wine/support/bench_support.h"
#include "tests/wine/support/resident_support.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kEvents = 60;
constexpr int kGiveUpMs = 5000;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Figures {
    double median = 0;
    double worst = 0;
    int lost = 0;  // never arrived within the give-up time
};

Figures Summarize(std::vector<double> ms, int lost) {
    Figures f;
    f.lost = lost;
    if (ms.empty()) return f;
    std::sort(ms.begin(), ms.end());
    f.median = ms[ms.size() / 2];
    f.worst = ms.back();
    return f;
}

// Each move to a new point of the target's client area, timed until the target saw the pointer there.
Figures TimeMoves(const bench::TargetProcess& target) {
    RECT client{};
    ::GetClientRect(target.window(), &client);
    std::vector<double> ms;
    int lost = 0;
    for (int i = 0; i < kEvents; ++i) {
        POINT p{client.right / 4 + (i % 20) * 5, client.bottom / 4 + (i / 20) * 5};
        ::ClientToScreen(target.window(), &p);
        const auto start = Clock::now();
        bench::MoveMouse(p.x, p.y);
        while (!bench::WaitForMouseAt(target.window(), p, 0) && MsSince(start) < kGiveUpMs) {
        }
        if (bench::WaitForMouseAt(target.window(), p, 0))
            ms.push_back(MsSince(start));
        else
            ++lost;
    }
    return Summarize(ms, lost);
}

// Each press and release of a letter, timed until the target took the press.
Figures TimeKeys(const bench::TargetProcess& target) {
    std::vector<double> ms;
    int lost = 0;
    for (int i = 0; i < kEvents; ++i) {
        const int before = target.Count(WM_KEYDOWN);
        const auto start = Clock::now();
        bench::Key('Q', true);
        bench::Key('Q', false);
        while (target.Count(WM_KEYDOWN) == before && MsSince(start) < kGiveUpMs) {
        }
        if (target.Count(WM_KEYDOWN) > before)
            ms.push_back(MsSince(start));
        else
            ++lost;
    }
    return Summarize(ms, lost);
}

void Print(const char* what, const Figures& idle, const Figures& busy) {
    std::printf("%s (%d events each)\n", what, kEvents);
    std::printf("  program idle:             median %7.2f ms, worst %7.2f ms, lost %d\n", idle.median, idle.worst,
                idle.lost);
    std::printf("  program's thread stopped: median %7.2f ms, worst %7.2f ms, lost %d\n", busy.median, busy.worst,
                busy.lost);
}

}  // namespace

int main() {
    SetUnAvailable(0);  // maps the library, to see its block
    quor::SharedBlock& b = bench::Block();
    ::DeleteFileA(bench::SettingsPath().c_str());
    b.DummyWnd = nullptr;
    bench::ResidentProgram program;
    if (!program.WaitUntilUp()) {
        std::printf("the program did not start\n");
        return 1;
    }
    bench::TargetProcess target(bench::WindowAt("input target", {200, 200, 700, 600}));
    target.Activate();
    target.SyncInput();

    const Figures idleMoves = TimeMoves(target);
    const Figures idleKeys = TimeKeys(target);

    const DWORD programThread = ::GetWindowThreadProcessId(program.Frame(), nullptr);
    const quor::unique_handle thread(::OpenThread(THREAD_SUSPEND_RESUME, FALSE, programThread));
    if (!thread || ::SuspendThread(thread.get()) == static_cast<DWORD>(-1)) {
        std::printf("the program's thread could not be stopped\n");
        return 1;
    }
    const double travel = b.StatMouseMove;
    const unsigned letters = b.StatKeyboard['Q' - 'A'];
    const auto stopped = Clock::now();
    const Figures busyMoves = TimeMoves(target);
    const Figures busyKeys = TimeKeys(target);
    const double stoppedMs = MsSince(stopped);
    const bool counted = b.StatMouseMove > travel && b.StatKeyboard['Q' - 'A'] >= letters + kEvents;
    ::ResumeThread(thread.get());

    std::printf("Input reaching another program while the resident program's thread stood still for %.0f ms\n",
                stoppedMs);
    Print("Mouse moves", idleMoves, busyMoves);
    Print("Key presses", idleKeys, busyKeys);
    const bool installed = b.MouseHook && b.MessageHook && b.WindowHook && b.LLMouseHook && b.KeyboardHook;
    std::printf("Meanwhile the hooks counted the moves and the letters: %s\n", counted ? "yes" : "no");
    std::printf("Hooks still installed afterwards: %s\n", installed ? "yes" : "no");
    program.Close();
    ::DeleteFileA(bench::SettingsPath().c_str());
    return counted && installed ? 0 : 1;
}
