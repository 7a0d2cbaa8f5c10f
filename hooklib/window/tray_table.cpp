#include "hooklib/window/tray_table.h"

#include <cstring>
#include <shellapi.h>

#include "hooklib/core/desktop_watch.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/core/table_lock.h"
#include "hooklib/window/window_query.h"
#include "hooklib/window/eligibility.h"
#include "hooklib/window/tray_tip.h"
#include "platform/message_wait.h"

namespace quor {
namespace {

bool IsLeadByteOfThisCodePage(unsigned char c) { return ::IsDBCSLeadByte(c) != FALSE; }

// The window's small icon: its class's, else its module file's first icon, else the question
// mark. The file's icon is read from the file itself: the shell's own look-up would need COM,
// which this thread of another program may not have, and which is never started here.
HICON SmallIconOf(HWND window) noexcept {
    const auto module = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE));
    char name[1024] = {};
    ::GetClassNameA(window, name, sizeof name);
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof cls;
    if (::GetClassInfoExA(module, name, &cls) && cls.hIconSm) return cls.hIconSm;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        HICON small = nullptr;
        if (::ExtractIconExW(path, 0, nullptr, &small, 1) > 0 && small) return small;
    }
    return ::LoadIconA(nullptr, IDI_QUESTION);
}

NotifyIconRecord TrayIconFor(HWND window, int slot, HWND owner) noexcept {
    NotifyIconRecord icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = owner;
    icon.uID = static_cast<UINT>(slot);
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayCallbackBase + slot;
    icon.hIcon = SmallIconOf(window);
    char title[1024];
    TitleWithoutWaiting(window, title, sizeof title);
    // A long title is cut for the tip, never between the two bytes of one character.
    const size_t length = DoubleByteSafeLength(title, sizeof icon.szTip - 1, IsLeadByteOfThisCodePage);
    std::memcpy(icon.szTip, title, length);
    icon.szTip[length] = '\0';
    return icon;
}

bool NotifyShell(DWORD action, const NotifyIconRecord& icon) noexcept {
    NOTIFYICONDATAA record{};
    static_assert(sizeof record >= sizeof icon);
    std::memcpy(&record, &icon, sizeof icon);
    return ::Shell_NotifyIconA(action, &record) != FALSE;
}

// Minimized, then hidden: from the window's own thread directly; a window of another thread is
// asked without waiting long and hidden without waiting at all (its minimizing already set the
// styles that the direct path writes).
void HideIntoTray(HWND window) noexcept {
    if (OwnedByThisThread(window)) {
        ::SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ::ShowWindow(window, SW_HIDE);
        const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
        ::SetWindowLongPtrA(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_VISIBLE)) | WS_MINIMIZE);
        return;
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_ABORTIFHUNG, kForeignSendTimeoutMs, &ignored);
    ::ShowWindowAsync(window, SW_HIDE);
}

void DeleteIcon(const NotifyIconRecord& icon) noexcept { NotifyShell(NIM_DELETE, icon); }

// A call to the shell that took this long means it is not answering: the calls after it in the
// same pass are not made (each would wait as long again).
constexpr DWORD kShellSlowMs = 1000;

bool NotifyShellTimed(DWORD action, const NotifyIconRecord& icon, bool& shellAnswers) noexcept {
    if (!shellAnswers) return false;
    const DWORD started = ::GetTickCount();
    const bool done = NotifyShell(action, icon);
    if (::GetTickCount() - started > kShellSlowMs) shellAnswers = false;
    return done;
}

// The shell forgot every icon when its notification area was made anew: give back ours. Each one
// is given back, however slow the new shell is at first: a window whose icon is not given back
// could not be reached. This runs beside the hooks' thread, which frees and claims slots
// meanwhile: each slot is read under the table's lock, and an icon whose slot changed while it
// was being added goes again.
void AddRecordedIcons() noexcept {
    SharedBlock& b = Block();
    for (int i = 0; i < kWindowTable; ++i) {
        HWND window = nullptr;
        NotifyIconRecord icon{};
        {
            const TableLock lock;
            window = b.TrayWnd[i];
            if (window) icon = b.TrayIcon[i];
        }
        if (!window || !::IsWindow(window)) continue;
        NotifyShell(NIM_ADD, icon);
        bool changed = false;
        {
            const TableLock lock;
            changed = b.TrayWnd[i] != window;
        }
        if (changed) DeleteIcon(icon);
    }
}

DWORD WINAPI AddRecordedIconsInThisThread(void*) {
    AddRecordedIcons();
    return 0;
}

// A shell that has just started may take its time with each icon, and this window lives on the
// hooks' thread, which every mouse and key event of the desktop waits for: the icons are given
// back from a thread of their own, waited for a moment while the hooks' calls are still taken.
constexpr DWORD kIconsBackWaitMs = 1000;

void GiveIconsBackToTheNewShell() noexcept {
    const HANDLE thread = ::CreateThread(nullptr, 0, &AddRecordedIconsInThisThread, nullptr, 0, nullptr);
    if (!thread) {
        AddRecordedIcons();
        return;
    }
    WaitTakingSentMessages(thread, kIconsBackWaitMs);
    ::CloseHandle(thread);
}

// A window of this thread is shown and told directly, as the shell's own restore does.
void ShowOwnWindow(HWND window, LONG_PTR exStyle) noexcept {
    ::SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SendMessageA(window, WM_NULL, 0, 0);
    ::SendMessageA(window, WM_PAINT, 0, 0);
    ::SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

// Another thread's window may be busy or hung, and nothing here waits for it: the style, the
// showing and the three messages are queued to its thread in this order, and it takes them
// when it can. Its extended style is written by its own thread (the window-procedure hook
// takes the style message), since writing another thread's style waits for that thread.
void ShowOtherThreadsWindow(HWND window, LONG_PTR exStyle) noexcept {
    const UINT styleMsg = Block().TrayStyleMsg;
    if (styleMsg != 0 && ::GetWindowLongPtrA(window, GWL_EXSTYLE) != exStyle)
        ::SendNotifyMessageA(window, styleMsg, 0, exStyle);
    ::ShowWindowAsync(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SendNotifyMessageA(window, WM_NULL, 0, 0);
    ::SendNotifyMessageA(window, WM_PAINT, 0, 0);
    ::SendNotifyMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

}  // namespace

int FindFreeTraySlot() noexcept {
    const SharedBlock& b = Block();
    for (int i = 0; i < kWindowTable; ++i)
        if (b.TrayWnd[i] == nullptr) return i;
    return -1;
}

int FindTraySlot(HWND window) noexcept {
    if (!window) return -1;
    const SharedBlock& b = Block();
    const int high = CountOf(b.TrayHigh, kWindowTable - 1);
    for (int i = 0; i <= high; ++i)
        if (b.TrayWnd[i] == window) return i;
    return -1;
}

namespace {

void RestoreSlot(int slot, bool& shellAnswers) noexcept {
    SharedBlock& b = Block();
    const HWND window = b.TrayWnd[slot];
    if (!window) return;
    const LONG_PTR exStyle = b.TrayExStyle[slot];
    const NotifyIconRecord icon = b.TrayIcon[slot];
    // The slot is free before the window hears of it: the restore messages come back through
    // the hooks, which must find nothing left to restore. The record was copied first, since a
    // free slot may be taken at once.
    b.TrayWnd[slot] = nullptr;
    NotifyShellTimed(NIM_DELETE, icon, shellAnswers);
    if (!::IsWindow(window)) return;
    if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId())
        ShowOwnWindow(window, exStyle);
    else
        ShowOtherThreadsWindow(window, exStyle);
}

}  // namespace

void RestoreTraySlot(int slot) noexcept {
    if (slot < 0 || slot >= kWindowTable) return;
    bool shellAnswers = true;
    RestoreSlot(slot, shellAnswers);
}

void RestoreFromTray(HWND window) noexcept { RestoreTraySlot(FindTraySlot(window)); }

namespace {

// Frees a slot whose window is gone and takes its icon away, unless another thread freed it first.
void ForgetSlot(int slot, HWND window, bool deleteIcon = true) noexcept {
    SharedBlock& b = Block();
    NotifyIconRecord icon{};
    {
        const TableLock lock;
        if (b.TrayWnd[slot] != window) return;
        icon = b.TrayIcon[slot];
        b.TrayWnd[slot] = nullptr;
        b.TrayExStyle[slot] = 0;
    }
    if (deleteIcon) DeleteIcon(icon);
}

}  // namespace

void ForgetTrayWindow(HWND window) noexcept {
    const int slot = FindTraySlot(window);
    if (slot >= 0) ForgetSlot(slot, window);
}

void ForgetGoneTrayWindows(bool shellHasTheirIcons) noexcept {
    const SharedBlock& b = Block();
    for (int i = 0; i < kWindowTable; ++i) {
        const HWND window = b.TrayWnd[i];
        if (window && !::IsWindow(window)) ForgetSlot(i, window, shellHasTheirIcons);
    }
}

void RestoreFromTrayOnActivation(HWND window) noexcept {
    const int slot = FindTraySlot(window);
    if (slot < 0) return;
    // A press that hides an inactive window activates it right after (the platform activates on
    // the press once the hooks have seen it): that activation is the same click, not a return.
    if (::GetTickCount() - Block().TrayHiddenTick[slot] < kHideActivationGraceMs) return;
    RestoreTraySlot(slot);
}

void RestoreAllFromTray() noexcept {
    // Every window comes back; a shell that does not answer keeps the icons it has.
    bool shellAnswers = true;
    for (int i = 0; i < kWindowTable; ++i) RestoreSlot(i, shellAnswers);
    Block().TrayHigh = 0;
}

namespace {

// Takes a free slot for the window, under the table lock (two programs hiding a window at the
// same moment take two slots); -1 when every slot is taken. The window is recorded before it is
// hidden: the minimize sent while hiding comes back through the message hooks, which then find the
// window in its slot and start no second hiding.
int ClaimTraySlot(HWND window) noexcept {
    SharedBlock& b = Block();
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    const TableLock lock;
    const int slot = FindFreeTraySlot();
    if (slot < 0) return -1;
    b.TrayExStyle[slot] = exStyle;
    b.TrayHiddenTick[slot] = ::GetTickCount();
    b.TrayWnd[slot] = window;
    if (CountOf(b.TrayHigh, kWindowTable - 1) < slot) b.TrayHigh = slot;
    return slot;
}

}  // namespace

void MinimizeToTray(HWND window) noexcept {
    SharedBlock& b = Block();
    if (!b.TaskTray || !window || !HasMinimizeBox(window) || ::GetParent(window) != nullptr) return;
    const int slot = ClaimTraySlot(window);
    if (slot < 0) return;
    const NotifyIconRecord icon = TrayIconFor(window, slot, b.DummyWnd);
    b.TrayIcon[slot] = icon;
    if (!NotifyShell(NIM_ADD, icon)) {
        b.TrayWnd[slot] = nullptr;
        return;
    }
    HideIntoTray(window);
}

void ApplyTaskTraySetting(int value) noexcept {
    SharedBlock& b = Block();
    // Any value but 0 is on, as the settings dialog shows it.
    const bool wasOn = b.TaskTray != 0, on = value != 0;
    if (wasOn && !on) {
        RestoreAllFromTray();
    } else if (!wasOn && on) {
        // Entries left from an earlier run: those of windows that are gone are freed; a window
        // that lives keeps its slot, and its icon still brings it back.
        const TableLock lock;
        int high = 0;
        for (int i = 0; i < kWindowTable; ++i) {
            if (b.TrayWnd[i] && ::IsWindow(b.TrayWnd[i])) {
                high = i;
                continue;
            }
            b.TrayWnd[i] = nullptr;
            b.TrayExStyle[i] = 0;
        }
        b.TrayHigh = high;
    }
    b.TaskTray = on ? 1 : 0;
}

LRESULT CALLBACK TrayWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    static const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    if (msg == taskbarCreated && taskbarCreated != 0) {
        // Windows that ended while hidden (their program killed, or the hooks paused) give their
        // slots back rather than coming back as icons of nothing; the new shell has no icon of theirs.
        ForgetGoneTrayWindows(false);
        GiveIconsBackToTheNewShell();
        // A new shell made its desktop anew too.
        FindDesktopListViewAgain(true);
    }
    if (msg == WM_TIMER && wParam == kDesktopWatchTimer) FindDesktopListViewAgain(false);
    if (msg >= kTrayCallbackBase && msg < kTrayCallbackBase + kWindowTable &&
        (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP || lParam == WM_MBUTTONUP) && wParam < kWindowTable) {
        RestoreTraySlot(static_cast<int>(wParam));  // the icon's id is its slot
        ForgetGoneTrayWindows(true);
    }
    return ::DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace quor
