#pragma once
// The resident program's one top-level window, never shown: it owns the settings and their
// dialog, the volume display and the notification-area icon, takes the icon's and the mixer's
// messages, routes the menu's commands and saves everything when the program ends.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <ctime>

#include "app/framework/profile_file.h"
#include "app/resident/hook_thread.h"
#include "app/resident/hook_watch.h"
#include "app/resident/volume_display.h"
#include "app/settings/settings_dialog.h"
#include "platform/unique_any.h"
#include "platform/volume_change_events.h"

namespace quor {

// The running copy is found by its frame's class and title.
inline constexpr char kFrameClass[] = "Afx:400000:0";
inline constexpr char kFrameTitle[] = "Quorvelle";
inline constexpr UINT WM_TRAYNOTIFY = WM_APP + 100;
inline constexpr UINT WM_OPENSETTINGS = WM_APP + 101;
// Core Audio reports a change of the speakers' volume or mute.
inline constexpr UINT WM_ENDPOINTVOLUME = WM_APP + 102;
// What was wrong with the settings file at start (unreadable: the reason in wParam; shortcuts
// too long to set), said once the program is up.
inline constexpr UINT WM_TELLSETTINGSPROBLEMS = WM_APP + 103;

// The frame's client: an empty window that only keeps the focus.
class ChildView {
public:
    bool Create(HINSTANCE instance, HWND frame) noexcept;
    HWND hwnd() const noexcept { return hwnd_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    HWND hwnd_ = nullptr;
};

class MainFrame : private SettingsDialog::Host {
public:
    explicit MainFrame(const ProfileFile& profile) noexcept : profile_(profile) {}
    bool Create(HINSTANCE instance) noexcept;
    // Installs the hooks from a thread of their own; false when that failed and showed its errors
    // (it is not tried again then).
    bool InstallHooks() noexcept;
    // Removes them, from their thread, and ends it.
    void RemoveHooks() noexcept { hooks_.Remove(HookThread::kRemoveWaitMs); }
    void ApplyDesktopViewAgain() noexcept { settings_.ApplyDesktopView(); }
    // Takes the icon out of the notification area (the frame may be gone by then).
    void RemoveIcon() noexcept;

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    int OnCreate() noexcept;
    void OnTimer(UINT_PTR id) noexcept;
    void OnVolumeChange() noexcept;

    // SettingsDialog::Host
    void ShowTrayIcon(bool show) noexcept override;
    const ProfileFile& Profile() const noexcept override { return profile_; }

    void WatchLowLevelHooks() noexcept;
    void OnHooksInstalledAgain(bool installed) noexcept;
    void ShowVolumeDisplay() noexcept;
    void HideVolumeWhenItsTimeIsUp() noexcept;

    HICON StateIcon() noexcept;
    NOTIFYICONDATAW IconRecord() const noexcept;
    void AddIcon() noexcept;
    void RefreshIcon() noexcept;
    void RefreshClockTip() noexcept;
    void ToggleDisable() noexcept;
    void OnTrayNotify(UINT mouseMsg) noexcept;
    void ShowTrayMenu() noexcept;
    void UpdateMenu(HMENU popup) noexcept;

    void OnCommand(UINT id) noexcept;
    void OpenSettings() noexcept;
    void CleaningBox(int textId, UINT icon) noexcept;
    void CleanMouse() noexcept;
    void CleanKeyboard() noexcept;
    void OnClose() noexcept;
    void LoadStatistics() noexcept;
    void SaveStatistics() noexcept;
    void CloseMixer() noexcept;
    void OnDestroy() noexcept;

    const ProfileFile& profile_;
    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    ChildView view_;
    SettingsDialog settings_{*this};
    VolumeDisplay volume_;
    unique_any<HMIXER, &::mixerClose> mixer_;  // tells this window of the mixer's changes
    VolumeChangeEvents endpointEvents_;
    HookThread hooks_;
    std::clock_t volumeShownAt_ = 0;
    UINT taskbarCreated_ = 0;
    int64_t lastTipTime_ = 0;
    bool iconShown_ = false;
    unique_hicon runningIcon_;
    unique_hicon pausedIcon_;
    InputSample lastSample_{};
    int lostChecks_ = 0;          // checks in a row that found the low-level hooks gone
    bool reinstallFailed_ = false;
    bool reinstalling_ = false;   // the hook thread is installing the hooks again
    bool cleaning_ = false;       // a cleaning box is open
    void (*cleaningMode_)(int) = nullptr;  // and the library's switch of its mode
    bool dialogOpen_ = false;     // the About box is open
    bool statisticsFromFile_ = false;  // the counters began from the file's (else from 0)
    unsigned long statisticsReadError_ = 0;
};

// The active window is one of this program's dialogs: the dialog manager handles the message.
bool IsOwnDialogMessage(MSG& msg) noexcept;

}  // namespace quor
