// Per-process start-up of the library: runs in every process that maps it.
#include <windows.h>

#include "hooklib/commands/command_names.h"
#include "hooklib/core/shared_block.h"
#include "platform/win_app.h"

namespace quor {
namespace {

int DoubleClickMetric(int index) noexcept {
    int value = ::GetSystemMetrics(index);
    return value != 0 ? value : 3;
}

}  // namespace

class CQuordllApp : public WinApp {
public:
    BOOL InitInstance() override {
        SharedBlock& b = Block();
        b.DllInstance = ThisModule();
        // The drag state and the caption double-click clock are left alone: a program that
        // starts while a window is dragged must neither stop that drag nor turn the next press
        // into a double-click. They are reset when the hooks are installed.
        b.DblClkCx = DoubleClickMetric(SM_CXDOUBLECLK);
        b.DblClkCy = DoubleClickMetric(SM_CYDOUBLECLK);
        LoadCommandNames(ThisModule());
        return WinApp::InitInstance();
    }
    int ExitInstance() override { return WinApp::ExitInstance(); }
};

namespace {
CQuordllApp theApp;
}

}  // namespace quor

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            quor::SetThisModule(instance);
            ::DisableThreadLibraryCalls(instance);
            return quor::WinApp::Current()->InitInstance();
        case DLL_PROCESS_DETACH:
            quor::WinApp::Current()->ExitInstance();
            return TRUE;
        default:
            return TRUE;
    }
}
