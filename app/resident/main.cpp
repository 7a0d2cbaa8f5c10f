// The resident program: maps the hook library, installs its hooks and stays in the notification area.
#include <windows.h>

#include "app/resources/resource.h"
#include "app/settings/window_defaults.h"
#include "hooklib/quordll.h"
#include "platform/unique_any.h"
#include "platform/win_app.h"

namespace quor {
namespace {

constexpr char kFrameClass[] = "QuorvelleFrame";
constexpr UINT WM_TRAYNOTIFY = WM_APP + 1;
constexpr UINT kTrayIconId = 1;


class ResidentFrame {
public:
    bool Create(HINSTANCE instance) noexcept {
        instance_ = instance;
        WNDCLASSA wc{};
        wc.lpfnWndProc = &ResidentFrame::StaticProc;
        wc.hInstance = instance;
        wc.lpszClassName = kFrameClass;
        if (!::RegisterClassA(&wc)) return false;
        return ::CreateWindowExA(0, kFrameClass, "Quorvelle", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this) != nullptr;
    }

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        if (msg == WM_NCCREATE) {
            auto* self = static_cast<ResidentFrame*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<ResidentFrame*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        return self ? self->HandleMessage(msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
        switch (msg) {
            case WM_CREATE: OnCreate(); return 0;                                  // void OnCreate()
            case WM_TRAYNOTIFY: OnTrayNotify(static_cast<UINT>(lParam)); return 0;  // void OnTrayNotify(UINT mouseMsg)
            case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;                  // void OnCommand(UINT id)
            case WM_ENDSESSION:                                                   // the session ends: close as on exit
                if (wParam) ::DestroyWindow(hwnd_);
                return 0;
            case WM_DESTROY: OnDestroy(); return 0;                                // void OnDestroy()
            default: return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
        }
    }

    void OnCreate() noexcept {
        NOTIFYICONDATAA icon = IconRecord();
        icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        icon.uCallbackMessage = WM_TRAYNOTIFY;
        icon.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
        ::LoadStringA(instance_, IDS_TRAY_TIP, icon.szTip, sizeof icon.szTip);
        ::Shell_NotifyIconA(NIM_ADD, &icon);
    }

    void OnTrayNotify(UINT mouseMsg) noexcept {
        if (mouseMsg != WM_RBUTTONUP) return;
        unique_hmenu menu(::CreatePopupMenu());
        char exitText[64] = {};
        ::LoadStringA(instance_, IDS_MENU_EXIT, exitText, sizeof exitText);
        ::AppendMenuA(menu.get(), MF_STRING, ID_APP_EXIT, exitText);
        POINT pt{};
        ::GetCursorPos(&pt);
        ::SetForegroundWindow(hwnd_);
        ::TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
        ::PostMessageA(hwnd_, WM_NULL, 0, 0);
    }

    void OnCommand(UINT id) noexcept {
        if (id == ID_APP_EXIT) ::DestroyWindow(hwnd_);
    }

    void OnDestroy() noexcept {
        NOTIFYICONDATAA icon = IconRecord();
        ::Shell_NotifyIconA(NIM_DELETE, &icon);
        // Post a quit message because the program is over when its frame goes.
        ::PostQuitMessage(0);
    }

    NOTIFYICONDATAA IconRecord() const noexcept {
        NOTIFYICONDATAA icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = hwnd_;
        icon.uID = kTrayIconId;
        return icon;
    }

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
};

class CQuorvelleApp : public WinApp {
public:
    BOOL InitInstance() override {
        if (!frame_.Create(::GetModuleHandleA(nullptr))) return FALSE;
        PushWindowBehaviourDefaults();
        // A partial installation leaves hooks in place, so removal runs whatever the result.
        ::SetHook();
        hooked_ = true;
        return TRUE;
    }
    int ExitInstance() override {
        if (hooked_) ::UnSetHook();
        return WinApp::ExitInstance();
    }

private:
    ResidentFrame frame_;
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
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    app->ExitInstance();
    return static_cast<int>(msg.wParam);
}
