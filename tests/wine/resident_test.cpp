// The resident program: it installs the hooks, windows of other programs snap while it runs,
// and it removes the hooks when it is closed.
#include "tests/wine/support/bench_support.h"

#include <gtest/gtest.h>

#include "hooklib/quordll.h"

namespace {

class ResidentProgram {
public:
    ResidentProgram() {
        std::string cmd = "\"" + bench::ProgramDir() + "\\Quorvelle.exe\"";
        STARTUPINFOA si{sizeof si};
        PROCESS_INFORMATION pi{};
        if (::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
            ::CloseHandle(pi.hThread);
            process_.reset(pi.hProcess);
            pid_ = pi.dwProcessId;
        }
    }
    ~ResidentProgram() {
        if (process_ && ::WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) ::TerminateProcess(process_.get(), 1);
    }
    // The hidden frame of the program.
    HWND Frame() const {
        HWND frame = nullptr;
        while ((frame = ::FindWindowExA(nullptr, frame, "QuorvelleFrame", nullptr)) != nullptr) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(frame, &pid);
            if (pid == pid_) return frame;
        }
        return nullptr;
    }
    bool Ended(int timeoutMs) const { return ::WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0; }

private:
    quor::unique_handle process_;
    DWORD pid_ = 0;
};

TEST(Resident, InstallsTheHooksAndWindowsSnapUntilItIsClosed) {
    SetUnAvailable(0);  // also maps the library into this process, to read its block
    quor::SharedBlock& b = bench::Block();
    b.MouseHook = b.MessageHook = b.WindowHook = b.LLMouseHook = b.KeyboardHook = nullptr;
    b.DummyWnd = nullptr;
    ResidentProgram program;
    // The hidden window is made after the five hooks are in.
    ASSERT_TRUE(bench::WaitFor([&] { return program.Frame() != nullptr && b.DummyWnd != nullptr; }, 15000))
        << "1. the program started and installed its hooks";
    EXPECT_NE(b.MouseHook, nullptr);
    EXPECT_NE(b.KeyboardHook, nullptr);
    EXPECT_EQ(b.Snap, 20) << "1. and pushed the window-behaviour defaults";

    bench::TargetProcess target(bench::WindowAt("snaps", {300, 300, 700, 600}));
    const HWND w = target.window();
    const POINT from = bench::HitPoint(w, HTCAPTION);
    bench::Drag(from, {from.x - 288, from.y}, 8, w);  // left edge 12 px from the work area's
    target.SyncInput();
    EXPECT_EQ(bench::WindowRect(w).left, 0) << "2. a drag of another program's window snapped";

    ::PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.Ended(10000)) << "3. the program ends when its frame closes";
    EXPECT_EQ(b.MouseHook, nullptr) << "3. and removed its hooks";
    EXPECT_EQ(b.LLMouseHook, nullptr);
}

}  // namespace
