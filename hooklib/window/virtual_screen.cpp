#include "hooklib/window/virtual_screen.h"

#include "hooklib/core/shared_block.h"
#include "hooklib/window/eligibility.h"
#include "hooklib/window/window_query.h"

namespace quor {
namespace {

// Minimizing and restoring wait a short while at most for each window, and for all of one switch
// together no longer than the budget: a hung window keeps its state and the switch goes on with
// the others; past the budget the commands are posted, and carried out when each window can.
constexpr DWORD kSwitchBudgetMs = 1000;

void SendSystemCommand(HWND window, WPARAM command, DWORD started) noexcept {
    if (::GetTickCount() - started > kSwitchBudgetMs) {
        ::PostMessageA(window, WM_SYSCOMMAND, command, 0);
        return;
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_SYSCOMMAND, command, 0, SMTO_ABORTIFHUNG, kForeignSendTimeoutMs, &ignored);
}

}  // namespace

BOOL CALLBACK CollectScreenWindows(HWND window, LPARAM) noexcept {
    SharedBlock& b = Block();
    const int count = CountOf(b.nHidden, kWindowTable);
    if (count == kWindowTable) return TRUE;
    if (!HasMinimizeBox(window) || ::GetParent(window) != nullptr || !::IsWindowVisible(window) ||
        ::IsIconic(window) || ClassNameIs(window, "Shell_TrayWnd"))
        return TRUE;
    const Rect r = WindowRectOf(window);
    if (r.width() == 0) return TRUE;
    b.HiddenWnd[count] = window;
    b.nHidden = count + 1;
    return TRUE;
}

void SwitchVirtualScreen(short direction) noexcept {
    SharedBlock& b = Block();
    const bool onFirst = b.VDScreen == 0;
    if ((direction > 0 && onFirst) || (direction < 0 && !onFirst)) return;
    b.nHidden = 0;
    b.VDScreen = onFirst ? 1 : 0;
    ::EnumWindows(CollectScreenWindows, 0);
    // The windows of the screen being entered, before their places are taken.
    HWND entering[kWindowTable];
    const int enteringCount = CountOf(b.nHiddenSaved, kWindowTable);
    for (int i = 0; i < enteringCount; ++i) entering[i] = b.HiddenWndSaved[i];
    const int leavingCount = CountOf(b.nHidden, kWindowTable);
    const DWORD started = ::GetTickCount();
    for (int i = 0; i < leavingCount; ++i) {
        b.HiddenWndSaved[i] = b.HiddenWnd[i];
        SendSystemCommand(b.HiddenWnd[i], SC_MINIMIZE, started);
    }
    b.nHiddenSaved = leavingCount;
    // From the bottom of the old Z order up, so that the window that was on top is on top again.
    for (int i = enteringCount - 1; i >= 0; --i) SendSystemCommand(entering[i], SC_RESTORE, started);
}

}  // namespace quor
