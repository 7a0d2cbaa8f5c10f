#include "hooklib/window/tray_table.h"

#include "hooklib/core/shared_block.h"

namespace quor {
namespace {

void DeleteIcon(const NotifyIconRecord& icon) noexcept {
    NOTIFYICONDATAA record{};
    static_assert(sizeof record >= sizeof icon);
    ::CopyMemory(&record, &icon, sizeof icon);
    ::Shell_NotifyIconA(NIM_DELETE, &record);
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

void RestoreTraySlot(int slot) noexcept {
    if (slot < 0 || slot >= kWindowTable) return;
    SharedBlock& b = Block();
    const HWND window = b.TrayWnd[slot];
    if (!window) return;
    const LONG_PTR exStyle = b.TrayExStyle[slot];
    const NotifyIconRecord icon = b.TrayIcon[slot];
    // The slot is free before the window hears of it: the restore messages come back through
    // the hooks, which must find nothing left to restore. The record was copied first, since a
    // free slot may be taken at once.
    b.TrayWnd[slot] = nullptr;
    DeleteIcon(icon);
    if (!::IsWindow(window)) return;
    if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId())
        ShowOwnWindow(window, exStyle);
    else
        ShowOtherThreadsWindow(window, exStyle);
}

void RestoreFromTray(HWND window) noexcept { RestoreTraySlot(FindTraySlot(window)); }

void RestoreAllFromTray() noexcept {
    for (int i = 0; i < kWindowTable; ++i) RestoreTraySlot(i);
    Block().TrayHigh = 0;
}

void MinimizeToTray(HWND) noexcept {}

void ApplyTaskTraySetting(int value) noexcept {
    SharedBlock& b = Block();
    if (b.TaskTray != 0) {
        if (b.TaskTray == 1 && value == 0) RestoreAllFromTray();
    } else if (value == 1) {
        for (int i = 0; i < kWindowTable; ++i) {
            b.TrayWnd[i] = nullptr;
            b.TrayExStyle[i] = 0;
        }
        b.TrayHigh = 0;
    }
    b.TaskTray = value;
}

LRESULT CALLBACK TrayWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg >= kTrayCallbackBase && msg < kTrayCallbackBase + kWindowTable &&
        (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP || lParam == WM_MBUTTONUP) && wParam < kWindowTable)
        RestoreTraySlot(static_cast<int>(wParam));  // the icon's id is its slot
    return ::DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace quor
