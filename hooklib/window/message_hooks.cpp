// WH_GETMESSAGE and WH_CALLWNDPROC: run in the thread of the window receiving the message, for
// every message of every thread, so the common path is a few integer comparisons.
#include <windows.h>
#include <commctrl.h>

#include "hooklib/commands/rename_assistant.h"
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/key_state.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_roll.h"
#include "hooklib/window/tray_table.h"
#include "hooklib/window/window_query.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

// Posted messages that reach no window while the keyboard is being cleaned.
bool IsBlockedWhileCleaningKeyboard(UINT message) noexcept {
    switch (message) {
        case WM_SIZE:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_DEADCHAR:
        case WM_GETHOTKEY:
        case WM_HOTKEY:
        case WM_SYSCHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case 0x0504:
            return true;
        default:
            return false;
    }
}

bool IsRollUndoingCommand(WPARAM command) noexcept {
    return command == SC_CLOSE || command == SC_MAXIMIZE || command == SC_MINIMIZE || command == SC_RESTORE;
}

enum class SysCommandOutcome { kRestored, kInTray, kPassOn };

// The window commands of WM_SYSCOMMAND, compared exactly as they come: a rolled-up window gets its
// height back first, a restore brings the window out of the notification area, and Shift+minimize
// sends it there. Running twice for one message (a peek, then the retrieval) does nothing more.
SysCommandOutcome HandleSysCommand(HWND window, WPARAM command) noexcept {
    if (IsRollUndoingCommand(command)) Unroll(window);
    if (command == SC_RESTORE) {
        RestoreFromTray(window);
        return SysCommandOutcome::kRestored;
    }
    if (command != SC_MINIMIZE) return SysCommandOutcome::kPassOn;
    if (FindTraySlot(window) == -1 && Block().TaskTray && IsKeyHeld(VK_SHIFT)) MinimizeToTray(window);
    // A window behind its icon stays hidden, whoever minimizes it and whatever Shift does meanwhile.
    return FindTraySlot(window) == -1 ? SysCommandOutcome::kPassOn : SysCommandOutcome::kInTray;
}

// A list view's in-place edit box is being made: the rename assistant takes it over.
void StartRenameIfLabelEdit(HWND window) noexcept {
    // The assistant takes the edit box over in its own thread: from another it could not.
    if (!OwnedByThisThread(window)) return;
    if (ClassNameIs(window, "Edit") && ClassNameIs(::GetParent(window), "SysListView32"))
        StartRenameAssistant(window);
}

}  // namespace

namespace {

// What the library does with a message taken from a queue (or peeked at: `removal`). A message
// kept from its window becomes WM_NULL; nothing here decides whether other hooks see it.
void OnQueuedMessage(WPARAM removal, MSG& m) noexcept {
    const SharedBlock& b = Block();
    // Completes a move into the notification area, paused or not.
    if (m.message == b.TrayHideMsg && b.TrayHideMsg != 0 && m.hwnd != nullptr) {
        last_error_context keepLastError;
        if (FindTraySlot(m.hwnd) != -1) ShowFromAnyThread(m.hwnd, SW_HIDE);
        m.message = WM_NULL;
        return;
    }
    if (b.UnAvailable) return;
    // Also for a window of another thread (a 32-bit program's messages come here to the hooks'
    // thread): the message is changed, the window is not touched.
    if (b.IgnoreKeyboard && IsBlockedWhileCleaningKeyboard(m.message)) {
        m.message = WM_NULL;
        return;
    }
    // A message posted to a thread has no window, and nothing to roll. A program that peeks at a
    // message before it takes it calls the hook twice for it: the roll acts once, as the message is
    // taken. Acting on the peek too would roll the window again at the taking when a command sent
    // in between (a restore) had unrolled it.
    const bool taken = removal == PM_REMOVE;
    if (m.hwnd != nullptr && b.RollMsg != 0 && m.message == b.RollMsg) {
        if (!taken) return;
        last_error_context keepLastError;
        RollUp(m.hwnd);
        return;
    }
    if (m.hwnd != nullptr && b.UnrollMsg != 0 && m.message == b.UnrollMsg) {
        if (!taken) return;
        last_error_context keepLastError;
        Unroll(m.hwnd);
        return;
    }
    if ((m.message == WM_SIZE && m.wParam == SIZE_MINIMIZED) || m.message == WM_CLOSE) {
        last_error_context keepLastError;
        Unroll(m.hwnd);
    } else if (m.message == WM_SYSCOMMAND && m.hwnd != nullptr) {
        last_error_context keepLastError;
        // The minimize itself would show the hidden window again, minimized.
        if (HandleSysCommand(m.hwnd, m.wParam) == SysCommandOutcome::kInTray) m.message = WM_NULL;
    }
}

// What the library does with a message sent to a window, before the window's procedure has it.
void OnSentMessage(int code, const CWPSTRUCT& c) noexcept {
    const SharedBlock& b = Block();
    // A list view's view asked for by the resident program, set here so that the program never
    // waits on this thread. Only the view's bits change, whoever sends it.
    if (c.message == b.ListViewMsg && b.ListViewMsg != 0 && c.hwnd != nullptr) {
        last_error_context keepLastError;
        const LONG_PTR style = ::GetWindowLongPtrA(c.hwnd, GWL_STYLE);
        const LONG_PTR view = static_cast<LONG_PTR>(c.lParam) & LVS_TYPEMASK;
        if ((style & LVS_TYPEMASK) != view && ClassNameIs(c.hwnd, "SysListView32"))
            ::SetWindowLongPtrA(c.hwnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | view);
        return;
    }
    // The saved extended style of a window restored from the notification area, written in the
    // window's own thread: the restore, run in another thread, must not wait for this one. It
    // completes a restore already under way, paused or not.
    if (c.message == b.TrayStyleMsg && b.TrayStyleMsg != 0 && c.hwnd != nullptr) {
        last_error_context keepLastError;
        ::SetWindowLongPtrA(c.hwnd, GWL_EXSTYLE, static_cast<LONG_PTR>(c.lParam));
        return;
    }
    // The height of a rolled-up window that was minimized, given back to its restored place as
    // the library stops, paused or not.
    if (c.message == b.UnrollMsg && b.UnrollMsg != 0 && c.wParam == kGiveHeightBack && c.hwnd != nullptr) {
        last_error_context keepLastError;
        const auto height = static_cast<int>(c.lParam);
        if (height > 0) GiveHeightBack(c.hwnd, height);
        return;
    }
    if (b.UnAvailable || c.hwnd == nullptr) return;
    switch (c.message) {
        case WM_SIZE:
            if (c.wParam != SIZE_MINIMIZED) return;
            break;
        case WM_ACTIVATEAPP:
            if (c.wParam == 0) return;
            break;
        case WM_CREATE:
            if (!b.ExpRename || code != HC_ACTION) return;
            break;
        case WM_CLOSE:
        case WM_SYSCOMMAND:
        case WM_NCDESTROY: break;
        default: return;  // the common path: nothing to do
    }
    last_error_context keepLastError;
    switch (c.message) {
        case WM_SIZE:
        case WM_CLOSE: Unroll(c.hwnd); break;
        case WM_ACTIVATEAPP: RestoreFromTrayOnActivation(c.hwnd); break;
        case WM_SYSCOMMAND:
            // The minimize that follows shows the window again; it is hidden once that is done.
            if (HandleSysCommand(c.hwnd, c.wParam) == SysCommandOutcome::kInTray)
                ::PostMessageA(c.hwnd, b.TrayHideMsg, 0, 0);
            break;
        case WM_NCDESTROY: ForgetTrayWindow(c.hwnd); break;
        case WM_CREATE: StartRenameIfLabelEdit(c.hwnd); break;
        default: break;
    }
}

}  // namespace

// Both procedures pass every message on: the hooks installed before ours (accessibility tools,
// input-method helpers, other utilities) see each one too, and the system ignores the answer.
LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code >= 0 && lParam != 0) OnQueuedMessage(wParam, *reinterpret_cast<MSG*>(lParam));
    return ::CallNextHookEx(Block().MessageHook, code, wParam, lParam);
}

LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code >= 0 && lParam != 0) OnSentMessage(code, *reinterpret_cast<const CWPSTRUCT*>(lParam));
    return ::CallNextHookEx(Block().WindowHook, code, wParam, lParam);
}

}  // namespace quor
