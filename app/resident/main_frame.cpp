#include "app/resident/main_frame.h"

#include <mmsystem.h>

#include "app/resident/clock_tip.h"
#include "app/resident/ignore_file.h"
#include "app/resident/menu_commands.h"
#include "app/resident/statistics_io.h"
#include "app/resources/resource.h"
#include "app/tools/about_dialog.h"
#include "app/tools/password_dialog.h"
#include "app/tools/statistics_dialog.h"
#include "app/tools/window_list_dialog.h"
#include "hooklib/quordll.h"
#include "platform/audio_volume.h"

namespace quor {
namespace {

constexpr UINT kTrayIconId = 1;
constexpr int kViewId = 0xE900;
constexpr char kViewClass[] = "QuorvelleView";
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

bool ClassNameIsDialog(HWND window) noexcept {
    char cls[16] = {};
    return ::GetClassNameA(window, cls, sizeof cls) > 0 && lstrcmpA(cls, "#32770") == 0;
}

}  // namespace

bool IsOwnDialogMessage(MSG& msg) noexcept {
    const HWND active = ::GetActiveWindow();
    if (!active || !ClassNameIsDialog(active)) return false;
    return ::IsDialogMessageW(active, &msg) != FALSE;
}

// ---- the view ----

bool ChildView::Create(HINSTANCE instance, HWND frame) noexcept {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = &ChildView::Proc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kViewClass;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    hwnd_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, kViewClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kViewId)), instance, nullptr);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK ChildView::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_PAINT) {
        ::ValidateRect(hwnd, nullptr);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---- creation and dispatch ----

bool MainFrame::Create(HINSTANCE instance) noexcept {
    instance_ = instance;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &MainFrame::StaticProc;
    wc.hInstance = instance;
    wc.lpszClassName = kFrameClass;
    if (!::RegisterClassA(&wc)) return false;
    // The title is the program's name from its string table (what a second start looks for).
    char title[64] = {};
    if (::LoadStringA(instance, IDR_MAINFRAME, title, sizeof title) <= 0) ::lstrcpynA(title, kFrameTitle, sizeof title);
    // Never shown, and a tool window: no taskbar button.
    return ::CreateWindowExA(WS_EX_TOOLWINDOW, kFrameClass, title, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this) != nullptr;
}

LRESULT CALLBACK MainFrame::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainFrame*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainFrame*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->HandleMessage(msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT MainFrame::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    // The shell made its notification area anew (Explorer restarted): the icon is gone there.
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        if (iconShown_) AddIcon();
        // A new shell shows its desktop as it likes: the icon view of the settings again.
        settings_.ApplyDesktopView();
        return 0;
    }
    switch (msg) {
        case WM_CREATE: return OnCreate();
        case WM_SETFOCUS:
            if (view_.hwnd()) ::SetFocus(view_.hwnd());
            return 0;
        case WM_TRAYNOTIFY: OnTrayNotify(static_cast<UINT>(lParam)); return 0;
        // A second start asks for the settings.
        case WM_OPENSETTINGS: OpenSettings(); return 0;
        case WM_HOOKSINSTALLED: OnHooksInstalledAgain(wParam != 0); return 0;
        case WM_TIMER: OnTimer(wParam); return 0;
        case MM_MIXM_LINE_CHANGE:
        case MM_MIXM_CONTROL_CHANGE: OnVolumeChange(); return 0;  // wParam: the mixer's handle
        case WM_ENDPOINTVOLUME:
            if (wParam == kDefaultSpeakersChanged)
                endpointEvents_.FollowDefaultSpeakers();
            else
                OnVolumeChange();
            return 0;
        case WM_TELLSETTINGSPROBLEMS:
            if (wParam) profile_.TellUnreadableOnce(hwnd_, static_cast<unsigned long>(wParam));
            settings_.TellRefusedShortcuts(hwnd_);
            return 0;
        case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
        case WM_INITMENUPOPUP: UpdateMenu(reinterpret_cast<HMENU>(wParam)); return 0;
        case WM_CLOSE: OnClose(); return 0;
        case WM_QUERYENDSESSION:
            settings_.SaveSettings();
            SaveStatistics();
            return TRUE;
        case WM_ENDSESSION:  // the session ends: close as on exit
            if (wParam) ::DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        case WM_NCDESTROY:
            settings_.SaveSettings();
            return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
        default: return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

int MainFrame::OnCreate() noexcept {
    LoadStatistics();
    if (!view_.Create(instance_, hwnd_)) return -1;
    taskbarCreated_ = ::RegisterWindowMessageA("TaskbarCreated");
    // A copy running with more rights than the shell still hears of a new notification area.
    ::ChangeWindowMessageFilterEx(hwnd_, taskbarCreated_, MSGFLT_ALLOW, nullptr);
    // And a second start with fewer rights still gets its request to open the settings through.
    ::ChangeWindowMessageFilterEx(hwnd_, WM_OPENSETTINGS, MSGFLT_ALLOW, nullptr);
    // The dialog reads the settings and pushes them as it is made (hidden), and the icon comes or
    // stays away with them; then they are read once more.
    if (!settings_.Create(instance_, hwnd_)) return -1;
    settings_.LoadSettings();
    const unsigned long readError = statisticsReadError_ ? statisticsReadError_ : settings_.LoadError();
    if (readError || settings_.RefusedShortcuts()) ::PostMessageA(hwnd_, WM_TELLSETTINGSPROBLEMS, readError, 0);
    // The mixer tells this window of every change it sees.
    HMIXER mixer = nullptr;
    if (::mixerOpen(&mixer, 0, reinterpret_cast<DWORD_PTR>(hwnd_), 0, CALLBACK_WINDOW) == MMSYSERR_NOERROR)
        mixer_.reset(mixer);
    // Where the speakers' endpoint carries the volume, the endpoint reports its changes (the mixer
    // sees only this program's own sound there). One read settles which of the two is in use,
    // unless no speakers answered just now: the next use asks again.
    unsigned level = 0;
    ReadVolumeLevel(level);
    // Also where no speakers answered just now: the watch of the default speakers reports them when
    // they come.
    if (ActiveVolumeBackend() != VolumeBackend::kMixer) endpointEvents_.Start(hwnd_, WM_ENDPOINTVOLUME);
    volume_.Create(instance_, hwnd_);
    lastSample_ = SampleInput();
    ::SetTimer(hwnd_, kHookWatchTimer, kHookWatchMs, nullptr);
    return 0;
}

void MainFrame::OnTimer(UINT_PTR id) noexcept {
    if (id == kHookWatchTimer) WatchLowLevelHooks();
    if (id == kVolumeTimer) HideVolumeWhenItsTimeIsUp();
}

// ---- the volume display ----

void MainFrame::OnVolumeChange() noexcept {
    if (settings_.record().VolumeDisp) ShowVolumeDisplay();
}

void MainFrame::ShowVolumeDisplay() noexcept {
    const SettingsRecord& r = settings_.record();
    volume_.SetColours(static_cast<COLORREF>(r.VolumeDispColor1), static_cast<COLORREF>(r.VolumeDispColor2));
    volume_.Show();
    volumeShownAt_ = std::clock();
    ::SetTimer(hwnd_, kVolumeTimer, kVolumeTimerMs, nullptr);
}

void MainFrame::HideVolumeWhenItsTimeIsUp() noexcept {
    const double elapsedMs = static_cast<double>(std::clock() - volumeShownAt_) * 1000.0 / CLOCKS_PER_SEC;
    if (elapsedMs < settings_.record().VolumeDispTime) return;
    ::KillTimer(hwnd_, kVolumeTimer);
    volume_.Hide();
}

void MainFrame::CloseMixer() noexcept {
    endpointEvents_.Stop();
    mixer_.reset();
}

// ---- the low-level hooks' watch ----

// Real mouse input that the low-level hook did not count: the platform removed the hooks, and
// they go in again, with the exclusion list that installing empties. A failed installation shows
// its errors once; it is not tried again every few seconds.
void MainFrame::WatchLowLevelHooks() noexcept {
    // Not while a cleaning box runs (installing ends a cleaning mode), nor from inside an error
    // box of the installation itself.
    if (cleaning_ || reinstalling_) return;
    const InputSample now = SampleInput();
    // Twice in a row: keys typed while a program moves the cursor look like it once.
    lostChecks_ = LowLevelHooksLost(lastSample_, now) ? lostChecks_ + 1 : 0;
    if (lostChecks_ >= 2 && !reinstallFailed_) {
        lostChecks_ = 0;
        // WM_HOOKSINSTALLED tells how it went; a hooks' thread that cannot be asked is not waited for.
        reinstalling_ = hooks_.Reinstall();
        reinstallFailed_ = !reinstalling_;
    }
    lastSample_ = SampleInput();
}

bool MainFrame::InstallHooks() noexcept {
    reinstallFailed_ = !hooks_.Start(hwnd_);
    return !reinstallFailed_;
}

void MainFrame::OnHooksInstalledAgain(bool installed) noexcept {
    reinstallFailed_ = !installed;
    // The installation emptied the window-class table, and ended any cleaning mode: a cleaning box
    // opened while it was on its way keeps its mode.
    LoadIgnoreList();
    if (cleaning_ && cleaningMode_) cleaningMode_(1);
    reinstalling_ = false;
    lastSample_ = SampleInput();  // the time without hooks is not counted against the new ones
}

// ---- the notification-area icon ----

// The icon is shown exactly while the settings do not hide it.
void MainFrame::ShowTrayIcon(bool show) noexcept {
    if (iconShown_ && !show) {
        NOTIFYICONDATAW icon = IconRecord();
        ::Shell_NotifyIconW(NIM_DELETE, &icon);
        iconShown_ = false;
    } else if (!iconShown_ && show) {
        AddIcon();
        iconShown_ = true;
    }
}

// The icon of the library's state, paused or running, at the notification area's size.
HICON MainFrame::StateIcon() noexcept {
    const bool paused = GetUnAvailable() != 0;
    unique_hicon& icon = paused ? pausedIcon_ : runningIcon_;
    if (!icon)
        icon.reset(static_cast<HICON>(::LoadImageA(instance_, MAKEINTRESOURCEA(paused ? IDI_TRAY_PAUSED : IDI_TRAY_RUNNING),
                                                   IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                   ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
    return icon.get();
}

NOTIFYICONDATAW MainFrame::IconRecord() const noexcept {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = hwnd_;
    icon.uID = kTrayIconId;
    return icon;
}

// The icon with the clock as its tip.
void MainFrame::AddIcon() noexcept {
    NOTIFYICONDATAW icon = IconRecord();
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_TRAYNOTIFY;
    icon.hIcon = StateIcon();
    MakeClockText(icon.szTip, sizeof icon.szTip / sizeof icon.szTip[0]);
    ::Shell_NotifyIconW(NIM_ADD, &icon);
}

// After a pause or a resume: the icon of the new state, with the program's name as its tip.
void MainFrame::RefreshIcon() noexcept {
    if (!iconShown_) return;
    NOTIFYICONDATAW icon = IconRecord();
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = WM_TRAYNOTIFY;
    icon.hIcon = StateIcon();
    ::lstrcpynW(icon.szTip, L"Quorvelle", sizeof icon.szTip / sizeof icon.szTip[0]);
    ::Shell_NotifyIconW(NIM_MODIFY, &icon);
}

// The clock in the tip, rebuilt when the mouse moves over the icon, at most once a second.
void MainFrame::RefreshClockTip() noexcept {
    const int64_t now = ClockSecondNow();
    if (!TipIsDue(lastTipTime_, now)) return;
    NOTIFYICONDATAW icon = IconRecord();
    icon.uFlags = NIF_TIP;
    MakeClockText(icon.szTip, sizeof icon.szTip / sizeof icon.szTip[0]);
    ::Shell_NotifyIconW(NIM_MODIFY, &icon);
    lastTipTime_ = now;
}

void MainFrame::ToggleDisable() noexcept {
    SetUnAvailable(GetUnAvailable() ? 0 : 1);
    RefreshIcon();
}

void MainFrame::OnTrayNotify(UINT mouseMsg) noexcept {
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

void MainFrame::ShowTrayMenu() noexcept {
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
void MainFrame::UpdateMenu(HMENU popup) noexcept {
    const ProgramState now{dialogOpen_, settings_.mouseCutOpen(), GetUnAvailable() != 0};
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

// ---- commands ----

void MainFrame::OnCommand(UINT id) noexcept {
    switch (id) {
        case ID_OPEN_SETTINGS: OpenSettings(); break;
        case ID_CLEAN_MOUSE: CleanMouse(); break;
        case ID_CLEAN_KEYBOARD: CleanKeyboard(); break;
        case ID_TOGGLE_DISABLE: ToggleDisable(); break;
        case ID_APP_EXIT:
            if (!dialogOpen_) OnClose();
            SaveStatistics();
            CloseMixer();
            break;
        case ID_MOUSE_SHORTCUTS: settings_.OpenMouseShortcuts(); break;
        case ID_WINDOW_LIST: RunWindowListDialog(instance_, hwnd_); break;
        case ID_PASSWORDS:
            RunPasswordDialog(instance_, hwnd_, profile_, SettingsSection(instance_));
            settings_.ApplySettings();
            break;
        case ID_STATISTICS: RunStatisticsDialog(instance_, hwnd_); break;
        case ID_APP_ABOUT:
            // One About box at a time; while it is open the frame's other dialogs wait too.
            if (dialogOpen_) break;
            dialogOpen_ = true;
            RunAboutDialog(instance_, hwnd_);
            dialogOpen_ = false;
            break;
        case ID_HOME_PAGE: OpenHomePage(instance_); break;
        default: break;
    }
}

void MainFrame::OpenSettings() noexcept { settings_.Open(); }

// A message box the person can reach with what still works: in front, with the focus.
void MainFrame::CleaningBox(int textId, UINT icon) noexcept {
    wchar_t text[256] = {};
    ::LoadStringW(instance_, textId, text, 256);
    ::SetForegroundWindow(hwnd_);
    cleaning_ = true;
    ::MessageBoxW(hwnd_, text, L"Quorvelle", MB_OK | icon | MB_SYSTEMMODAL | MB_SETFOREGROUND | MB_TOPMOST);
    cleaning_ = false;
    cleaningMode_ = nullptr;
}

// Every mouse event is thrown away until the box is closed with the keyboard.
void MainFrame::CleanMouse() noexcept {
    if (cleaning_) return;  // one cleaning at a time
    cleaningMode_ = &SetIgnoreMouse;
    SetIgnoreMouse(1);
    CleaningBox(IDS_CLEANING_MOUSE, 0);
    SetIgnoreMouse(0);
}

// Every key reaches no window until the box is closed with the mouse.
void MainFrame::CleanKeyboard() noexcept {
    if (cleaning_) return;
    cleaningMode_ = &SetIgnoreKeyboard;
    SetIgnoreKeyboard(1);
    CleaningBox(IDS_CLEANING_KEYBOARD, MB_ICONHAND);
    SetIgnoreKeyboard(0);
}

// ---- the end ----

void MainFrame::OnClose() noexcept {
    if (!hwnd_ || !::IsWindow(hwnd_)) return;
    ::ShowWindow(settings_.hwnd(), SW_HIDE);
    settings_.SaveSettings();
    SaveStatistics();
    ::DestroyWindow(hwnd_);
}

// The counters start from the file's, before anything can count.
void MainFrame::LoadStatistics() noexcept {
    const std::optional<IniDocument> file = profile_.Read();
    statisticsFromFile_ = file.has_value();
    statisticsReadError_ = file ? 0 : profile_.LastError();
    LoadStatisticsIntoLibrary(file.value_or(IniDocument()));
}

void MainFrame::SaveStatistics() noexcept {
    StatisticsRecord statistics = StatisticsOfLibrary();
    if (!statisticsFromFile_) {
        // The counters began from 0, the file being unreadable then: once it can be read, this
        // session's counts are added to the file's, and the library goes on from the sum.
        const std::optional<IniDocument> file = profile_.Read();
        if (!file) return;
        statistics = SumOf(ReadStatistics(*file), statistics);
        PutStatisticsIntoLibrary(statistics);
        statisticsFromFile_ = true;
    }
    profile_.Update([&](IniDocument& file) { WriteStatistics(file, statistics); });
}

void MainFrame::OnDestroy() noexcept {
    ::KillTimer(hwnd_, kHookWatchTimer);
    ::KillTimer(hwnd_, kVolumeTimer);
    CloseMixer();
    settings_.SaveSettings();
    // The program is over when its frame goes; the icon goes after the hooks, at its very end.
    ::PostQuitMessage(0);
}

void MainFrame::RemoveIcon() noexcept {
    if (!iconShown_) return;
    NOTIFYICONDATAW icon = IconRecord();
    ::Shell_NotifyIconW(NIM_DELETE, &icon);
    iconShown_ = false;
}

}  // namespace quor
