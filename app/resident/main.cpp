// The resident program: maps the hook library, installs its hooks and stays in the notification area.
#include <windows.h>

#include <mmsystem.h>

#include <ctime>
#include <string>

#include "app/framework/profile_file.h"
#include "app/resident/clock_tip.h"
#include "app/resident/hook_watch.h"
#include "app/resident/ignore_list.h"
#include "app/resident/menu_commands.h"
#include "app/resident/statistics_io.h"
#include "app/resident/volume_display.h"
#include "app/resources/resource.h"
#include "app/settings/settings_dialog.h"
#include "hooklib/quordll.h"
#include "platform/unique_any.h"
#include "platform/win_app.h"

namespace quor {
namespace {

// The running copy is found by its frame's class and title.
constexpr char kFrameClass[] = "Afx:400000:0";
constexpr char kFrameTitle[] = "Quorvelle";
constexpr char kInstanceMutex[] = "QuorvelleMutex";
constexpr UINT WM_TRAYNOTIFY = WM_APP + 100;
constexpr UINT WM_OPENSETTINGS = WM_APP + 101;
constexpr UINT kTrayIconId = 1;

// What the program keeps between its start and its end: its settings file.
struct ResidentState {
    ProfileFile profile{FileBesideProgram(L"Quorvelle.ini")};
};


// Reads "Ignore.txt" beside the program into the library's exclusion tables; a missing or
// unreadable file is no entries.
void LoadIgnoreList() noexcept {
    const FileContents file = ReadSmallFile(FileBesideProgram(L"Ignore.txt"));
    if (file.state != FileContents::State::kRead) return;
    const IgnoreList list = ParseIgnoreList(file.text);
    // Whatever an earlier run left in the tables is replaced, not added to.
    SetnIgnore(0);
    SetnIgnoreExe(0);
    for (size_t i = 0; i < list.windowClasses.size(); ++i) {
        SetIgnore(static_cast<int>(i), list.windowClasses[i].c_str());
        SetnIgnore(static_cast<int>(i + 1));
    }
    for (size_t i = 0; i < list.programFiles.size(); ++i) {
        SetIgnoreExe(static_cast<int>(i), list.programFiles[i].c_str());
        SetnIgnoreExe(static_cast<int>(i + 1));
    }
}

bool ClassNameIsDialog(HWND window) noexcept {
    char cls[16] = {};
    return ::GetClassNameA(window, cls, sizeof cls) > 0 && lstrcmpA(cls, "#32770") == 0;
}

// How often the program looks whether the platform took its low-level hooks away.
constexpr UINT kHookWatchTimer = 2;
constexpr UINT kHookWatchMs = 3000;
// While the volume is shown: when to hide it.
constexpr UINT kVolumeTimer = 3;
constexpr UINT kVolumeTimerMs = 100;

InputSample SampleInput() noexcept {
    LASTINPUTINFO last{};
    last.cbSize = sizeof last;
    ::GetLastInputInfo(&last);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    return {last.dwTime, cursor.x, cursor.y, GetStatMouseMove()};
}

class ResidentFrame : private SettingsDialog::Host {
public:
    bool Create(HINSTANCE instance, ResidentState* state) noexcept {
        instance_ = instance;
        state_ = state;
        WNDCLASSA wc{};
        wc.lpfnWndProc = &ResidentFrame::StaticProc;
        wc.hInstance = instance;
        wc.lpszClassName = kFrameClass;
        if (!::RegisterClassA(&wc)) return false;
        // Never shown, and a tool window: no taskbar button.
        return ::CreateWindowExA(WS_EX_TOOLWINDOW, kFrameClass, kFrameTitle, 0, CW_USEDEFAULT, CW_USEDEFAULT,
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
        // The shell made its notification area anew (Explorer restarted): the icon is gone there.
        if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
            if (iconShown_) AddIcon();
            return 0;
        }
        switch (msg) {
            case WM_CREATE: return OnCreate();                                     // int OnCreate()
            case WM_TRAYNOTIFY: OnTrayNotify(static_cast<UINT>(lParam)); return 0;  // void OnTrayNotify(UINT mouseMsg)
            // A second start asks for the settings.
            case WM_OPENSETTINGS: OpenSettings(); return 0;
            case WM_TIMER:                                                       // void WatchLowLevelHooks()
                if (wParam == kHookWatchTimer) WatchLowLevelHooks();
                if (wParam == kVolumeTimer) HideVolumeWhenItsTimeIsUp();            // void HideVolume...()
                return 0;
            case MM_MIXM_LINE_CHANGE:
            case MM_MIXM_CONTROL_CHANGE:                                         // void ShowVolumeDisplay()
                if (!settings_.record().VolumeDisp) return 0;
                ShowVolumeDisplay();
                return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
            case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;                  // void OnCommand(UINT id)
            case WM_INITMENUPOPUP:                                               // void UpdateMenu(HMENU)
                UpdateMenu(reinterpret_cast<HMENU>(wParam));
                return 0;
            case WM_CLOSE: OnClose(); return 0;                                    // void OnClose()
            case WM_QUERYENDSESSION: Save(); return TRUE;                          // void Save()
            case WM_ENDSESSION:                                                   // the session ends: close as on exit
                if (wParam) ::DestroyWindow(hwnd_);
                return 0;
            case WM_DESTROY: OnDestroy(); return 0;                                // void OnDestroy()
            default: return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
        }
    }

    int OnCreate() noexcept {
        taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
        // The dialog reads the settings and pushes them as it is made (hidden), and the icon comes
        // or stays away with them; then they are read once more.
        if (!settings_.Create(instance_, hwnd_)) return -1;
        settings_.LoadSettings();
        // The mixer tells this window of every change of the volume; the display shows it.
        HMIXER mixer = nullptr;
        if (::mixerOpen(&mixer, 0, reinterpret_cast<DWORD_PTR>(hwnd_), 0, CALLBACK_WINDOW) == MMSYSERR_NOERROR)
            mixer_ = mixer;
        volume_.Create(instance_, hwnd_);
        lastSample_ = SampleInput();
        ::SetTimer(hwnd_, kHookWatchTimer, kHookWatchMs, nullptr);
        return 0;
    }

    // The icon is shown exactly while the settings do not hide it.
    void ShowTrayIcon(bool show) noexcept override {
        if (iconShown_ && !show) {
            NOTIFYICONDATAA icon = IconRecord();
            ::Shell_NotifyIconA(NIM_DELETE, &icon);
            iconShown_ = false;
        } else if (!iconShown_ && show) {
            AddIcon();
            iconShown_ = true;
        }
    }

    const ProfileFile& Profile() const noexcept override { return state_->profile; }

    // Real mouse input that the low-level hook did not count: the platform removed the hooks, and
    // they go in again, with the exclusion list that installing empties. A failed installation
    // shows its errors once; it is not tried again every few seconds.
    void WatchLowLevelHooks() noexcept {
        // Not while a cleaning box runs (installing ends a cleaning mode), nor from inside an error
        // box of the installation itself.
        if (cleaning_ || reinstalling_) return;
        const InputSample now = SampleInput();
        // Twice in a row: keys typed while a program moves the cursor look like it once.
        lostChecks_ = LowLevelHooksLost(lastSample_, now) ? lostChecks_ + 1 : 0;
        if (lostChecks_ >= 2 && !reinstallFailed_) {
            lostChecks_ = 0;
            reinstalling_ = true;
            reinstallFailed_ = true;  // until it is known to have worked
            reinstallFailed_ = ::SetHook() == nullptr;
            LoadIgnoreList();
            reinstalling_ = false;
        }
        lastSample_ = SampleInput();
    }

public:
    // The start-up installation failed and showed its errors: it is not tried again.
    void HooksInstalled(bool installed) noexcept { reinstallFailed_ = !installed; }

private:

    void ShowVolumeDisplay() noexcept {
        const SettingsRecord& r = settings_.record();
        volume_.Show(static_cast<COLORREF>(r.VolumeDispColor1), static_cast<COLORREF>(r.VolumeDispColor2));
        volumeShownAt_ = std::clock();
        ::SetTimer(hwnd_, kVolumeTimer, kVolumeTimerMs, nullptr);
    }

    void HideVolumeWhenItsTimeIsUp() noexcept {
        const double elapsedMs = static_cast<double>(std::clock() - volumeShownAt_) * 1000.0 / CLOCKS_PER_SEC;
        if (elapsedMs < settings_.record().VolumeDispTime) return;
        ::KillTimer(hwnd_, kVolumeTimer);
        volume_.Hide();
    }

    // The icon of the library's state, paused or running, at the notification area's size.
    HICON StateIcon() noexcept {
        unique_hicon& icon = GetUnAvailable() ? pausedIcon_ : runningIcon_;
        if (!icon)
            icon.reset(static_cast<HICON>(::LoadImageA(instance_,
                                                       MAKEINTRESOURCEA(GetUnAvailable() ? IDI_TRAY_PAUSED
                                                                                         : IDI_TRAY_RUNNING),
                                                       IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                       ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
        return icon.get();
    }

    // The icon with the clock as its tip.
    void AddIcon() noexcept {
        NOTIFYICONDATAA icon = IconRecord();
        icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        icon.uCallbackMessage = WM_TRAYNOTIFY;
        icon.hIcon = StateIcon();
        MakeClockText(icon.szTip, sizeof icon.szTip);
        ::Shell_NotifyIconA(NIM_ADD, &icon);
    }

    // After a pause or a resume: the icon of the new state, with the program's name as its tip.
    void RefreshIcon() noexcept {
        if (!iconShown_) return;
        NOTIFYICONDATAA icon = IconRecord();
        icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        icon.uCallbackMessage = WM_TRAYNOTIFY;
        icon.hIcon = StateIcon();
        ::lstrcpynA(icon.szTip, kFrameTitle, sizeof icon.szTip);
        ::Shell_NotifyIconA(NIM_MODIFY, &icon);
    }

    void ToggleDisable() noexcept {
        SetUnAvailable(GetUnAvailable() ? 0 : 1);
        RefreshIcon();
    }

    // The clock in the tip, rebuilt when the mouse moves over the icon, at most once a second.
    void RefreshClockTip() noexcept {
        const int64_t now = ClockSecondNow();
        if (!TipIsDue(lastTipTime_, now)) return;
        NOTIFYICONDATAA icon = IconRecord();
        icon.uFlags = NIF_TIP;
        MakeClockText(icon.szTip, sizeof icon.szTip);
        ::Shell_NotifyIconA(NIM_MODIFY, &icon);
        lastTipTime_ = now;
    }

    void OnTrayNotify(UINT mouseMsg) noexcept {
        switch (mouseMsg) {
            case WM_MOUSEMOVE: RefreshClockTip(); break;
            case WM_LBUTTONDBLCLK:
                ::SetForegroundWindow(hwnd_);
                if (::GetAsyncKeyState(VK_CONTROL) < 0)
                    ToggleDisable();
                else if (!dialogOpen_)
                    OpenSettings();
                break;
            case WM_RBUTTONUP: ShowTrayMenu(); break;
            default: break;
        }
    }

    void ShowTrayMenu() noexcept {
        ::SetForegroundWindow(hwnd_);
        ::SetFocus(hwnd_);
        unique_hmenu menu(::LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_TRAY_MENU)));
        if (HMENU popup = menu ? ::GetSubMenu(menu.get(), 0) : nullptr) {
            ::SetMenuDefaultItem(popup, ID_OPEN_SETTINGS, FALSE);
            POINT pt{};
            ::GetCursorPos(&pt);
            ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hwnd_, nullptr);
        }
        ::PostMessageA(hwnd_, WM_NULL, 0, 0);
    }

    // Each item of a menu about to pop up, enabled and named as the program's state says.
    void UpdateMenu(HMENU popup) noexcept {
        const ProgramState now{dialogOpen_, mouseCutOpen_, GetUnAvailable() != 0};
        const int count = ::GetMenuItemCount(popup);
        for (int i = 0; i < count; ++i) {
            const UINT id = ::GetMenuItemID(popup, i);
            if (id == 0 || id == static_cast<UINT>(-1)) continue;  // a separator or a submenu
            const CommandState state = CommandStateFor(static_cast<int>(id), now);
            ::EnableMenuItem(popup, id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
            wchar_t text[64] = {};
            if (state.textId != 0 && ::LoadStringW(instance_, state.textId, text, 64) > 0)
                ::ModifyMenuW(popup, id, MF_BYCOMMAND | MF_STRING, id, text);
        }
    }

    void OnCommand(UINT id) noexcept {
        switch (id) {
            case ID_OPEN_SETTINGS: OpenSettings(); break;
            case ID_CLEAN_MOUSE: CleanMouse(); break;
            case ID_CLEAN_KEYBOARD: CleanKeyboard(); break;
            case ID_TOGGLE_DISABLE: ToggleDisable(); break;
            case ID_APP_EXIT:
                if (!dialogOpen_) {
                    OnClose();
                } else {
                    SaveStatistics();
                }
                break;
            // The dialogs of the tools (mouse shortcuts, window list, password generator,
            // statistics, About box, home page) arrive with the tools' work.
            default: break;
        }
    }

    void OpenSettings() noexcept { settings_.Open(); }

    // A message box the person can reach with what still works: in front, with the focus.
    void CleaningBox(int textId, UINT icon) noexcept {
        wchar_t text[256] = {};
        ::LoadStringW(instance_, textId, text, 256);
        ::SetForegroundWindow(hwnd_);
        cleaning_ = true;
        ::MessageBoxW(hwnd_, text, L"Quorvelle", MB_OK | icon | MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST);
        cleaning_ = false;
    }

    // Every mouse event is thrown away until the box is closed with the keyboard.
    void CleanMouse() noexcept {
        if (cleaning_) return;  // one cleaning at a time
        SetIgnoreMouse(1);
        CleaningBox(IDS_CLEANING_MOUSE, 0);
        SetIgnoreMouse(0);
    }

    // Every key reaches no window until the box is closed with the mouse.
    void CleanKeyboard() noexcept {
        if (cleaning_) return;
        SetIgnoreKeyboard(1);
        CleaningBox(IDS_CLEANING_KEYBOARD, MB_ICONHAND);
        SetIgnoreKeyboard(0);
    }

    void OnClose() noexcept {
        ::ShowWindow(settings_.hwnd(), SW_HIDE);
        Save();
        ::DestroyWindow(hwnd_);
    }

    // Every key of the settings, the icon layouts and the statistics.
    void Save() noexcept {
        settings_.SaveSettings();
        SaveStatistics();
    }

    void SaveStatistics() noexcept {
        const StatisticsRecord statistics = StatisticsOfLibrary();
        state_->profile.Update([&](IniDocument& file) { WriteStatistics(file, statistics); });
    }

    void OnDestroy() noexcept {
        ::KillTimer(hwnd_, kHookWatchTimer);
        ::KillTimer(hwnd_, kVolumeTimer);
        if (mixer_) ::mixerClose(mixer_);
        mixer_ = nullptr;
        Save();
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
    ResidentState* state_ = nullptr;
    HWND hwnd_ = nullptr;
    UINT taskbarCreated_ = 0;
    int64_t lastTipTime_ = 0;
    InputSample lastSample_{};
    bool reinstallFailed_ = false;
    SettingsDialog settings_{*this};
    VolumeDisplay volume_;
    HMIXER mixer_ = nullptr;
    std::clock_t volumeShownAt_ = 0;
    bool iconShown_ = false;
    bool cleaning_ = false;       // a cleaning box is open
    bool reinstalling_ = false;   // the hooks are being installed again
    int lostChecks_ = 0;          // checks in a row that found the low-level hooks gone
    unique_hicon runningIcon_;
    unique_hicon pausedIcon_;
    bool dialogOpen_ = false;    // the About box is open (with the tools' work)
    bool mouseCutOpen_ = false;  // the mouse-shortcut dialog is open (with the tools' work)
};

}  // namespace

// The active window is one of this program's dialogs: the dialog manager handles the message.
bool IsOwnDialogMessage(MSG& msg) noexcept {
    const HWND active = ::GetActiveWindow();
    if (!active || !ClassNameIsDialog(active)) return false;
    return ::IsDialogMessageW(active, &msg) != FALSE;
}

namespace {

class CQuorvelleApp : public WinApp {
public:
    BOOL InitInstance() override {
        const HINSTANCE instance = ::GetModuleHandleA(nullptr);
        // One copy runs: a second one asks the first for its settings and ends, touching no hook.
        mutex_.reset(::CreateMutexA(nullptr, TRUE, kInstanceMutex));
        const DWORD mutexError = ::GetLastError();
        // Access denied: a copy running with other rights holds it; this one gives way too.
        if (mutexError == ERROR_ALREADY_EXISTS || mutexError == ERROR_ACCESS_DENIED) {
            if (HWND running = ::FindWindowA(kFrameClass, kFrameTitle)) {
                DWORD_PTR ignored = 0;
                ::SendMessageTimeoutA(running, WM_OPENSETTINGS, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            }
            return FALSE;
        }
        const IniDocument file = state_.profile.Read();
        // The counters are in the library before anything can count.
        LoadStatisticsIntoLibrary(file);
        if (!frame_.Create(instance, &state_)) return FALSE;
        // A partial installation leaves hooks in place, so removal runs whatever the result.
        frame_.HooksInstalled(::SetHook() != nullptr);
        hooked_ = true;
        // After SetHook, which empties the window-class table.
        LoadIgnoreList();
        return TRUE;
    }
    int ExitInstance() override {
        if (hooked_) ::UnSetHook();
        mutex_.reset();
        return WinApp::ExitInstance();
    }

private:
    unique_handle mutex_;
    ResidentState state_;
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
        // The modeless dialogs take their keys: Tab, Return, Escape.
        if (quor::IsOwnDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    app->ExitInstance();
    return static_cast<int>(msg.wParam);
}
