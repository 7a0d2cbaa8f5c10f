#include "hooklib/commands/command_executor.h"

#include <cstring>

#include "hooklib/commands/command_names.h"
#include "hooklib/commands/slot_authority.h"
#include "hooklib/commands/system_commands.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/window_query.h"
#include "hooklib/window/alpha_roll.h"
#include "hooklib/window/eligibility.h"
#include "hooklib/window/exclusion_rules.h"
#include "hooklib/window/tray_table.h"
#include "hooklib/window/virtual_screen.h"
#include "hooklib/window/window_placement.h"
#include "platform/audio_volume.h"

namespace quor {
namespace {

using namespace commands;


// A message to the clicked window: direct from its own thread (where the hook normally runs),
// bounded for a window of another thread.
void SendToWindow(HWND window, UINT msg, WPARAM wParam) noexcept {
    if (OwnedByThisThread(window)) {
        ::SendMessageA(window, msg, wParam, 0);
        return;
    }
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, msg, wParam, 0, SMTO_ABORTIFHUNG, kForeignSendTimeoutMs, &ignored);
}

void PlaceInZOrder(HWND window, HWND after) noexcept {
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | (OwnedByThisThread(window) ? 0 : SWP_ASYNCWINDOWPOS);
    // A window sent to the bottom is not activated: Wine raises an activated window to the top again.
    if (after == HWND_BOTTOM) flags |= SWP_NOACTIVATE;
    ::SetWindowPos(window, after, 0, 0, 0, 0, flags);
}

int CloseTheWindow(HWND window) noexcept {
    if (IsToolWindow(window)) {
        SendToWindow(window, WM_CLOSE, 0);
        return 1;
    }
    if (::GetWindowLongPtrA(window, GWL_STYLE) & WS_SYSMENU) {
        SendToWindow(window, WM_SYSCOMMAND, SC_CLOSE);
        return 1;
    }
    return 0;
}

// Layered at the configured opacity, or opaque again; judged by the style bit alone.
void ToggleTranslucent(HWND window) noexcept {
    if (!IsResponsive(window)) return;  // another thread's style is written by waiting for it
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    if (exStyle & WS_EX_LAYERED) {
        ::SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        SetWindowAlpha(window, 255);
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        return;
    }
    const BYTE alpha = static_cast<BYTE>(Block().Alpha & 0xFF);
    ::SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
    SetWindowAlpha(window, alpha);
}

// The commands on the window that was clicked; a desktop or taskbar slot brings no window, and
// then no window changes.
int RunWindowCommand(int command, HWND window) noexcept {
    if (!window) return command == kClose || command == kMinimize ? 0 : 1;
    switch (command) {
        case kTopmost: PlaceInZOrder(window, HWND_TOPMOST); return 1;
        case kNotTopmost: PlaceInZOrder(window, HWND_NOTOPMOST); return 1;
        case kToggleTopmost: PlaceInZOrder(window, IsTopmost(window) ? HWND_NOTOPMOST : HWND_TOPMOST); return 1;
        case kToBottom: PlaceInZOrder(window, HWND_BOTTOM); return 1;
        case kClose: return CloseTheWindow(window);
        case kMinimize:
            if (!HasMinimizeBox(window)) return 0;
            SendToWindow(window, WM_SYSCOMMAND, SC_MINIMIZE);
            return 1;
        case kCentre: CenterWindow(window); return 1;
        case kRollUp: {
            const SharedBlock& b = Block();
            ::PostMessageA(window, IsRolledUp(window) ? b.UnrollMsg : b.RollMsg, 0, 0);
            return 1;
        }
        case kTranslucent: ToggleTranslucent(window); return 1;
        case kToTray: MinimizeToTray(window); return 1;
        case kMaximizeVertically: MaximizeVertical(window); return 1;
        case kMaximizeHorizontally: MaximizeHorizontal(window); return 1;
        default: return 1;
    }
}

int RunCommand(int command, HWND window) noexcept {
    switch (command) {
        case kScreenSaver: StartScreenSaver(); return 1;
        case kShowDesktop: ShowDesktop(); return 1;
        case kTaskManager: OpenTaskManager(); return 1;
        case kDisplayProperties: OpenControlPanelApplet("desk.cpl"); return 1;
        case kSystemProperties: OpenControlPanelApplet("sysdm.cpl"); return 1;
        case kDateTimeProperties: OpenControlPanelApplet("timedate.cpl"); return 1;
        case kMyComputer: OpenShellFolder("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"); return 1;
        case kMyNetwork: OpenShellFolder("::{208D2C60-3AEA-1069-A2D7-08002B30309D}"); return 1;
        case kMyDocuments: OpenShellFolder("::{450D8FBA-AD25-11D0-98A8-0800361B1103}"); return 1;
        case kRecycleBin: OpenShellFolder("::{645FF040-5081-101B-9F08-00AA002F954E}"); return 1;
        case kControlPanel:
            OpenShellFolder("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}");
            return 1;
        case kSafelyRemoveHardware: OpenHotplugDialog(); return 1;
        case kSwitchVirtualScreen: SwitchVirtualScreen(Block().VDScreen == 0 ? -1 : 1); return 1;
        case kMonitorOff: TurnMonitorOff(); return 1;
        case kStandby: SuspendSystem(TRUE); return 1;
        case kHibernate: SuspendSystem(FALSE); return 1;
        case kLogOff: ::ExitWindowsEx(EWX_LOGOFF, 0); return 1;
        case kRestart:
            EnableShutdownPrivilege();
            ::ExitWindowsEx(EWX_REBOOT, 0);
            return 1;
        case kPowerOff:
            EnableShutdownPrivilege();
            ::ExitWindowsEx(EWX_POWEROFF, 0);
            return 1;
        // The prompt opens in its own console; the hook may run in Explorer's thread, which must
        // not wait for the prompt to close.
        case kCommandPrompt: StartSystemProgram(SystemFolder::kSystem, "cmd.exe", ""); return 1;
        case kToggleMute: ToggleMute(); return 1;
        default: return RunWindowCommand(command, window);
    }
}

// The command a slot's text names, or -1 for a text that names none (a command line).
int CommandNamed(std::string_view text) noexcept {
    for (int i = 0; i < kCommandCount; ++i)
        if (text == CommandName(i)) return i;
    return -1;
}

}  // namespace

int ExecuteMouseCut(int slot, HWND window) noexcept {
    const SharedBlock& b = Block();
    if (slot < 0 || slot >= kMouseCutSlots) return 0;
    // The block's copy of the text, as this call sees it; it runs only if the protected copy agrees.
    char text[kTextSlot];
    const std::string_view stored = SlotText(b.MouseCut[slot]);
    const size_t length = stored.size() < sizeof text ? stored.size() : sizeof text - 1;
    std::memcpy(text, stored.data(), length);
    text[length] = '\0';
    const int command = CommandNamed({text, length});
    if (command == kNone) return 0;
    if (!SlotTextIsAuthoritative(slot, text)) return 0;
    if (command < 0) {
        StartCommandLine(text);
        return 1;
    }
    return RunCommand(command, window);
}

}  // namespace quor
