// The resident program: maps the hook library, installs its hooks and stays in the notification area.
#include <windows.h>

#include "app/framework/profile_file.h"
#include "app/resident/ignore_file.h"
#include "app/resident/main_frame.h"
#include "hooklib/quordll.h"
#include "platform/unique_any.h"
#include "platform/win_app.h"

namespace quor {
namespace {

constexpr char kInstanceMutex[] = "QuorvelleMutex";

class CQuorvelleApp : public WinApp {
public:
    BOOL InitInstance() override {
        // One copy runs: a second one asks the first for its settings and ends, touching no hook.
        mutex_.reset(::CreateMutexA(nullptr, TRUE, kInstanceMutex));
        const DWORD mutexError = ::GetLastError();
        // Access denied: a copy running with other rights holds it; this one gives way too.
        if (mutexError == ERROR_ALREADY_EXISTS || mutexError == ERROR_ACCESS_DENIED) {
            if (HWND running = ::FindWindowA(kFrameClass, kFrameTitle)) {
                // The running copy may bring its dialog to the front: this start is the person's.
                DWORD runningPid = 0;
                ::GetWindowThreadProcessId(running, &runningPid);
                ::AllowSetForegroundWindow(runningPid);
                DWORD_PTR ignored = 0;
                ::SendMessageTimeoutA(running, WM_OPENSETTINGS, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            }
            return FALSE;
        }
        if (!frame_.Create(::GetModuleHandleA(nullptr))) return FALSE;
        // A partial installation leaves hooks in place, so removal runs whatever the result.
        frame_.InstallHooks();
        // What needed the hooks in other programs (the desktop's icon view) is applied again.
        frame_.ApplyDesktopViewAgain();
        hooked_ = true;
        // After SetHook, which empties the window-class table.
        LoadIgnoreList();
        return TRUE;
    }
    int ExitInstance() override {
        if (hooked_) frame_.RemoveHooks();
        frame_.RemoveIcon();
        mutex_.reset();
        return WinApp::ExitInstance();
    }

private:
    unique_handle mutex_;
    ProfileFile profile_{FileBesideProgram(L"Quorvelle.ini")};
    MainFrame frame_{profile_};
    bool hooked_ = false;
};

CQuorvelleApp theApp;

}  // namespace
}  // namespace quor

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    quor::WinApp* app = quor::WinApp::Current();
    if (!app->InitInstance()) return app->ExitInstance();
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // The modeless dialogs take their keys: Tab, Return, Escape.
        if (quor::IsOwnDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    app->ExitInstance();
    return static_cast<int>(msg.wParam);
}
