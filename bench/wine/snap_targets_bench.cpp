// Time of one snap-target collection (the first move of every drag) with 0, 64 and 256 windows
// of another process on the screen (figures only). Run without arguments; it starts itself as
// that other process ("windows N").
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/per_call_timer.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/snap_targets.h"
#include "hooklib/window/visible_frame.h"

namespace {

// Collection without asking for any window's visible frame, for comparison.
quor::Insets NoFrames(HWND, const RECT&) noexcept { return quor::kNoInsets; }

// The platform's share of a collection: listing the top-level windows and asking each for its
// style and its rectangle, the two questions no window can be spared.
HWND g_listed[1024];
int g_count = 0;

BOOL CALLBACK ListWindow(HWND w, LPARAM) {
    if (g_count < 1024) g_listed[g_count++] = w;
    return TRUE;
}

void PlatformQuestionsOnly() {
    g_count = 0;
    ::EnumWindows(ListWindow, 0);
    RECT r{};
    for (int i = 0; i < g_count; ++i) {
        if (::GetWindowLongPtrA(g_listed[i], GWL_STYLE) & WS_VISIBLE) ::GetWindowRect(g_listed[i], &r);
    }
}

int RunWindows(int count) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuorBenchTarget";
    ::RegisterClassA(&wc);
    for (int i = 0; i < count; ++i)
        ::CreateWindowExA(0, wc.lpszClassName, "target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50 + (i * 37) % 900,
                          50 + (i * 23) % 700, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    return 0;
}

// The other process with its windows, ended with this object.
class WindowsProcess {
public:
    explicit WindowsProcess(int count) {
        char self[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string cmd = "\"" + std::string(self) + "\" windows " + std::to_string(count);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
        ::CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        // Ready when all its windows are up and painted: the figures are of the collection alone,
        // not of a program still drawing meanwhile.
        for (int waited = 0; CountWindows() < count && waited < 30000; waited += 10) ::Sleep(10);
        ::WaitForInputIdle(process_, 30000);
    }
    ~WindowsProcess() {
        if (!process_) return;
        ::TerminateProcess(process_, 0);
        ::WaitForSingleObject(process_, 5000);
        ::CloseHandle(process_);
    }

private:
    static int CountWindows() {
        int n = 0;
        for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "QuorBenchTarget", nullptr)) != nullptr;) ++n;
        return n;
    }
    HANDLE process_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "windows") == 0) return RunWindows(std::atoi(argv[2]));
    quor::SharedBlock& b = quor::Block();
    std::printf("snap-target collection, windows of another process (the first move of a drag)\n");
    std::printf("%-10s %12s %12s %14s %14s %10s\n", "windows", "fastest ms", "median ms", "no frames ms",
                "platform ms", "targets");
    for (int count : {0, 64, 256}) {
        WindowsProcess others(count);
        // Rounds alternate between the system's visible frames and none at all; the fastest of five
        // shows each collection's own cost, the median what a drag meets on a busy machine.
        double framed[5], bare[5], platform[5];
        for (int round = 0; round < 5; ++round) {
            quor::SetFrameInsetsProvider(nullptr);
            framed[round] = NanosecondsPerCall([&](int) { quor::CollectSnapTargets({400, 300}, nullptr); }, 20);
            quor::SetFrameInsetsProvider(NoFrames);
            bare[round] = NanosecondsPerCall([&](int) { quor::CollectSnapTargets({400, 300}, nullptr); }, 20);
            platform[round] = NanosecondsPerCall([&](int) { PlatformQuestionsOnly(); }, 20);
        }
        quor::SetFrameInsetsProvider(nullptr);
        std::sort(std::begin(framed), std::end(framed));
        std::sort(std::begin(bare), std::end(bare));
        std::sort(std::begin(platform), std::end(platform));
        std::printf("%-10d %12.2f %12.2f %14.2f %14.2f %10d\n", count, framed[0] / 1e6, framed[2] / 1e6,
                    bare[0] / 1e6, platform[2] / 1e6, b.nSnapRect);
    }
    std::printf("target: under 20 ms with 256 windows\n");
    std::printf("platform ms: the median of listing the windows, asking each for its style and each visible one for\n"
                "its rectangle, and nothing else\n");
    return 0;
}
