#include "hooklib/window/tray_table.h"

#include "hooklib/core/shared_block.h"
#include "hooklib/window/eligibility.h"

namespace quor {
namespace {

// The hidden window may belong to a hung program; its restore must not hang us.
constexpr UINT kRestoreSendTimeoutMs = 500;

void SendBounded(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, msg, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, kRestoreSendTimeoutMs,
                          &ignored);
}

}  // namespace

int FindFreeTraySlot() noexcept {
    const SharedBlock& b = Block();
    for (int i = 0; i < kWindowTable; ++i)
        if (b.TrayWnd[i] == nullptr) return i;
    return -1;
}

int FindTraySlot(HWND window) noexcept {
    const SharedBlock& b = Block();
    for (int i = 0; i <= b.TrayHigh && i < kWindowTable; ++i)
        if (b.TrayWnd[i] == window) return i;
    return -1;
}

void RestoreFromTray(HWND window) noexcept {
    SharedBlock& b = Block();
    const int slot = FindTraySlot(window);
    if (slot < 0) return;
    NOTIFYICONDATAA record{};
    static_assert(sizeof record >= sizeof b.TrayIcon[slot]);
    ::CopyMemory(&record, &b.TrayIcon[slot], sizeof b.TrayIcon[slot]);
    ::Shell_NotifyIconA(NIM_DELETE, &record);
    b.TrayWnd[slot] = nullptr;
    // A hung window gets its icon removed but no message: it could not take one anyway.
    if (!IsResponsive(window)) return;
    ::SetWindowLongPtrA(window, GWL_EXSTYLE, b.TrayExStyle[slot]);
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    SendBounded(window, WM_NULL, 0, 0);
    SendBounded(window, WM_PAINT, 0, 0);
    SendBounded(window, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void RestoreAllFromTray() noexcept {
    SharedBlock& b = Block();
    for (int i = 0; i < kWindowTable; ++i) {
        if (b.TrayWnd[i] == nullptr) continue;
        RestoreFromTray(b.TrayWnd[i]);
        b.TrayWnd[i] = nullptr;
    }
    b.TrayHigh = 0;
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
        (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP || lParam == WM_MBUTTONUP) && wParam < kWindowTable) {
        if (HWND hidden = Block().TrayWnd[wParam]) RestoreFromTray(hidden);
    }
    return ::DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace quor
