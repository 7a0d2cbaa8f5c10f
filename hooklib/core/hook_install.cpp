// Installing and removing the five global hooks.
#include <windows.h>

#include "hooklib/commands/laser_cursor.h"
#include "hooklib/commands/slot_authority.h"
#include "hooklib/core/desktop_watch.h"
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/quordll.h"
#include "hooklib/window/alpha_roll.h"
#include "hooklib/window/drag_engine.h"
#include "hooklib/window/tray_table.h"
#include "hooklib/window/window_query.h"
#include "platform/desktop_window.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

constexpr char kErrorCaption[] = "Error";
constexpr char kDummyClass[] = "QuorDummy";

void ShowError(const char* text) noexcept { ::MessageBoxA(nullptr, text, kErrorCaption, MB_OK); }

void ShowSystemError(DWORD error) noexcept {
    char* text = nullptr;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0,
                     nullptr);
    unique_local owned(text);
    ::MessageBoxA(nullptr, text ? text : "", kErrorCaption, MB_ICONINFORMATION);
}

// Removes a hook recorded from an earlier installation, then installs it anew.
bool Reinstall(HHOOK& slot, int id, HOOKPROC proc) noexcept {
    if (slot != nullptr) {
        ::UnhookWindowsHookEx(slot);
        slot = nullptr;
    }
    // Our own module handle: the block's DllInstance belongs to whichever process attached last.
    slot = ::SetWindowsHookExA(id, proc, ThisModule(), 0);
    return slot != nullptr;
}

bool IsOurDummyWindow(HWND window) noexcept {
    return window && ::IsWindow(window) &&
           ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId() && ClassNameIs(window, kDummyClass);
}

HWND CreateDummyWindow(HWND existing) noexcept {
    // A second installation on the same thread keeps the window that owns the icons.
    if (IsOurDummyWindow(existing)) return existing;
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = TrayWndProc;
    wc.hInstance = ThisModule();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kDummyClass;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    const HWND dummy = ::CreateWindowExA(0, kDummyClass, kDummyClass, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, ::GetDesktopWindow(), nullptr,
                                         ThisModule(), nullptr);
    // A program running with more rights than the shell still hears of a new notification area.
    if (dummy) ::ChangeWindowMessageFilterEx(dummy, ::RegisterWindowMessageA("TaskbarCreated"), MSGFLT_ALLOW, nullptr);
    return dummy;
}

void Unhook(HHOOK& slot, const char* failure) noexcept {
    if (slot == nullptr) return;
    if (::UnhookWindowsHookEx(slot))
        slot = nullptr;
    else
        ShowError(failure);
}

}  // namespace
}  // namespace quor

using quor::Block;

QUORDLL_API HHOOK SetHook() {
    quor::SharedBlock& b = Block();
    // Whatever drag an earlier installation left behind is over; no press before this one counts
    // towards a title-bar double-click.
    quor::AbandonDrag();
    // The low-level hook follows the buttons from here on: it starts from how they are now.
    b.ButtonsDownLowLevel = static_cast<uint8_t>(((::GetAsyncKeyState(VK_LBUTTON) & 0x8000) ? 1 : 0) |
                                                 ((::GetAsyncKeyState(VK_RBUTTON) & 0x8000) ? 2 : 0));
    b.LastCaptionClick = 0;
    quor::EnsureSlotAuthority();
    if (!quor::Reinstall(b.MouseHook, WH_MOUSE, quor::MouseProc)) {
        quor::ShowSystemError(::GetLastError());
        quor::ShowError("Mouse hook");
        return nullptr;
    }
    if (!quor::Reinstall(b.MessageHook, WH_GETMESSAGE, quor::GetMsgProc)) {
        quor::ShowError("Message hook");
        return nullptr;
    }
    const bool windowHooked = quor::Reinstall(b.WindowHook, WH_CALLWNDPROC, quor::CallWndProc);
    b.RenameMsg = ::RegisterWindowMessageA("Quorvelle Rename Assistant");
    if (!windowHooked) {
        quor::ShowError("Window hook");
        return nullptr;
    }
    if (!quor::Reinstall(b.LLMouseHook, WH_MOUSE_LL, quor::LowLevelMouseProc)) {
        quor::ShowError("LLMouse hook");
        return nullptr;
    }
    if (!quor::Reinstall(b.KeyboardHook, WH_KEYBOARD_LL, quor::KeyboardHookProc)) {
        quor::ShowError("Keyboard hook");
        return nullptr;
    }
    b.DeskListView = quor::FindDesktopListView();
    b.nIgnore = 0;
    const HWND previousDummy = b.DummyWnd;
    b.DummyWnd = quor::CreateDummyWindow(previousDummy);
    // The hidden window also keeps the desktop's list view found while the shell restarts.
    if (b.DummyWnd) ::SetTimer(b.DummyWnd, quor::kDesktopWatchTimer, quor::kDesktopWatchMs, nullptr);
    // Icons of the window kept from an earlier installation still reach it, so their windows keep
    // their slots. Windows behind icons of any other window could never be reached again: they
    // come back now, and the table starts empty.
    b.TrayStyleMsg = ::RegisterWindowMessageA("Quorvelle Tray Style");
    b.TrayHideMsg = ::RegisterWindowMessageA("Quorvelle Tray Hide");
    b.ListViewMsg = ::RegisterWindowMessageA(QUOR_LIST_VIEW_MESSAGE);
    if (b.DummyWnd == nullptr || b.DummyWnd != previousDummy) quor::RestoreAllFromTray();
    b.RollMsg = ::RegisterWindowMessageA("WM_ROLL");
    b.UnrollMsg = ::RegisterWindowMessageA("WM_UNROLL");
    b.LastActivity = 0;
    b.LastMouseX = 0;
    b.LastMouseY = 0;
    // A cleaning mode belongs to the message box of the program that started it: a program that
    // ended during one must not leave the next installation without mouse or keyboard.
    b.IgnoreMouse = 0;
    b.IgnoreKeyboard = 0;
    return b.MouseHook;
}

QUORDLL_API void UnSetHook() {
    quor::SharedBlock& b = Block();
    // From the table, before the hooks go: a message to each window would find no hook left in a
    // thread that takes it late.
    quor::UnrollAll();
    quor::RestoreAllFromTray();
    quor::RestoreCursors();
    quor::Unhook(b.MouseHook, "Mouse unhook");
    quor::Unhook(b.MessageHook, "Message unhook");
    quor::Unhook(b.WindowHook, "Window unhook");
    quor::Unhook(b.KeyboardHook, "Keyboard unhook");
    quor::Unhook(b.LLMouseHook, "LLMouse unhook");
}
