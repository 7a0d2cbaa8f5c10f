// WH_MOUSE: runs in the thread that owns the window about to receive a mouse message.
// Recognises the mouse shortcuts, keeps the desktop icons' look, routes the wheel, and hands
// caption presses, moves and releases to the drag engine.
#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "hooklib/commands/command_executor.h"
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/hook_result.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_roll.h"
#include "hooklib/window/drag_engine.h"
#include "hooklib/window/eligibility.h"
#include "hooklib/window/tray_table.h"
#include "hooklib/window/wheel_redirect.h"
#include "hooklib/window/window_query.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

enum SlotBase : int {
    kDesktopDoubleClick = 0,
    kDesktopMiddle = 4,
    kFrameMiddle = 8,
    kCaptionRight = 12,
    kTaskbarDoubleClick = 16,
    kTaskbarMiddle = 20,
};

bool KeyDown(int vk) noexcept { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }

// Modifier keys are sampled once per call, on first use, and only by the paths that need them.
class Modifiers {
public:
    bool shift() noexcept {
        Sample();
        return shift_;
    }
    bool ctrl() noexcept {
        Sample();
        return ctrl_;
    }
    // Slot number offset: 1 with Ctrl, 2 with Shift.
    int SlotOffset() noexcept { return (ctrl() ? 1 : 0) + (shift() ? 2 : 0); }

private:
    void Sample() noexcept {
        if (sampled_) return;
        shift_ = KeyDown(VK_SHIFT);
        ctrl_ = KeyDown(VK_CONTROL);
        sampled_ = true;
    }
    bool sampled_ = false;
    bool shift_ = false;
    bool ctrl_ = false;
};

LRESULT PassOn(int code, WPARAM wParam, LPARAM lParam) noexcept {
    return ::CallNextHookEx(Block().MouseHook, code, wParam, lParam);
}

LRESULT Finish(HookResult result, int code, WPARAM wParam, LPARAM lParam) noexcept {
    switch (result) {
        case HookResult::kSwallow: return 1;
        case HookResult::kLetThrough: return 0;
        default: return PassOn(code, wParam, lParam);
    }
}

// Runs in the list view's own thread only (see the caller), so nothing here waits on Explorer.
void KeepDesktopIconLook(const SharedBlock& b, HWND list) noexcept {
    if (b.DeskIconTextBk && static_cast<COLORREF>(::SendMessageA(list, LVM_GETTEXTBKCOLOR, 0, 0)) != CLR_NONE) {
        ::SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
        ::InvalidateRect(list, nullptr, TRUE);
    }
    if (b.DeskIconText && static_cast<COLORREF>(::SendMessageA(list, LVM_GETTEXTCOLOR, 0, 0)) != b.DeskIconTextColor) {
        ::SendMessageA(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(b.DeskIconTextColor));
        ::InvalidateRect(list, nullptr, TRUE);
    }
    if (b.AutoArrange) ::SendMessageA(list, LVM_ARRANGE, LVA_SNAPTOGRID, 0);
}

// Where on `window` the point lies, by the default rules. A window of another thread (a 32-bit
// program's, whose hook calls come back to the hooks' thread) is asked, within a bound: the
// default rules can be run only in the window's own process.
LRESULT DefaultHitTest(HWND window, POINT pt) noexcept {
    if (OwnedByThisThread(window)) return ::DefWindowProcA(window, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    DWORD_PTR hit = HTNOWHERE;
    if (!::SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y), SMTO_ABORTIFHUNG, kForeignSendTimeoutMs,
                               &hit))
        return HTNOWHERE;
    return static_cast<LRESULT>(hit);
}

// The wheel over a title bar changes that window's transparency. Nothing when the cursor is
// not over a title bar: the wheel then goes on to the redirection. The place is the one the
// wheel turned at, which the message carries: asked again, the cursor may have moved on (and
// Wine answers from the X pointer when its own cursor has been still for a while).
std::optional<HookResult> WheelOverCaption(const SharedBlock& b, const MOUSEHOOKSTRUCTEX& m) noexcept {
    const POINT cursor = m.pt;
    HWND under = WindowUnderPoint(cursor);
    const LRESULT hit = DefaultHitTest(under, cursor);
    if (hit != HTCAPTION && hit != HTTOP) return std::nullopt;
    if (under != ActiveWindowOfItsThread(m.hwnd)) {
        if (!b.Redirect) return HookResult::kPassOn;
        if (b.RedirectActive) ::SetForegroundWindow(under);
    }
    WheelAlphaStep(under, static_cast<short>(HIWORD(m.mouseData)));
    return HookResult::kSwallow;
}

// A thread that peeks at a message without removing it calls the hook twice for it: first with
// HC_NOREMOVE, then with HC_ACTION. A message that is passed on therefore acts only on the
// HC_ACTION call; a message that is swallowed acts on the call that swallows it, since a message
// swallowed while peeked is removed and never comes back. Whether to swallow is decided without
// side effects, so both calls decide alike.
LRESULT Dispatch(int code, WPARAM wParam, LPARAM lParam) noexcept {
    SharedBlock& b = Block();
    const UINT msg = static_cast<UINT>(wParam);
    const auto& m = *reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lParam);
    const bool peeked = code == HC_NOREMOVE;
    HWND target = m.hwnd;
    Modifiers keys;

    if (msg == WM_NCRBUTTONDOWN || msg == WM_RBUTTONDOWN) b.SwallowRButtonUp = 0;

    if (msg == WM_NCRBUTTONDOWN && !IsTaskbarWindow(target)) {
        if (m.wHitTestCode == HTMINBUTTON && b.TaskTray) {
            if (!peeked) MinimizeToTray(target);
        } else if (m.wHitTestCode == HTCAPTION) {
            // The executor does something only when it consumes the press, which is then swallowed.
            if (ExecuteMouseCut(kCaptionRight + keys.SlotOffset(), target) == 1) {
                b.SwallowRButtonUp = 1;
                return -1;
            }
            return PassOn(code, wParam, lParam);
        }
    }
    if (msg == WM_NCMBUTTONDOWN && !IsTaskbarWindow(target)) {
        ExecuteMouseCut(kFrameMiddle + keys.SlotOffset(), target);
        return 1;
    }

    if (target == b.DeskListView && target != nullptr &&
        (msg == WM_LBUTTONDBLCLK || msg == WM_MBUTTONDOWN) && !IsIconAtPoint(target, m.pt)) {
        if (!peeked)
            ExecuteMouseCut((msg == WM_LBUTTONDBLCLK ? kDesktopDoubleClick : kDesktopMiddle) + keys.SlotOffset(),
                            nullptr);
        return PassOn(code, wParam, lParam);
    }

    if ((msg == WM_NCMBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_NCLBUTTONDBLCLK) && IsTaskbarWindow(target)) {
        if (!peeked)
            ExecuteMouseCut((msg == WM_NCLBUTTONDBLCLK ? kTaskbarDoubleClick : kTaskbarMiddle) + keys.SlotOffset(),
                            nullptr);
        return PassOn(code, wParam, lParam);
    }

    if (b.ExpUp && msg == WM_LBUTTONDBLCLK && target != b.DeskListView && ClassNameIs(target, "SysListView32") &&
        !IsIconAtPoint(target, m.pt)) {
        ::PostMessageA(target, WM_KEYDOWN, VK_BACK, 0);
        return 1;
    }

    switch (msg) {
        case WM_MOUSEMOVE:
            if (peeked) return PassOn(code, wParam, lParam);
            // The icon look is kept from the list view's own thread, while the mouse is over the
            // desktop: asking it from other programs would make them wait whenever Explorer is busy.
            if ((b.DeskIconTextBk || b.DeskIconText || b.AutoArrange) && target == b.DeskListView && target &&
                OwnedByThisThread(target))
                KeepDesktopIconLook(b, target);
            return Finish(OnDragMouseMove(m), code, wParam, lParam);
        case WM_NCLBUTTONDOWN: return Finish(OnNonClientPress(m, keys.shift()), code, wParam, lParam);
        case WM_NCLBUTTONUP: return Finish(OnNonClientRelease(m, keys.shift()), code, wParam, lParam);
        case WM_NCLBUTTONDBLCLK: return Finish(OnNonClientDoubleClick(m), code, wParam, lParam);
        case WM_NCRBUTTONUP:
        case WM_RBUTTONUP:
            if (b.SwallowRButtonUp == 1) {
                b.SwallowRButtonUp = 0;
                return -1;
            }
            return PassOn(code, wParam, lParam);
        case WM_LBUTTONDOWN: ForgetCaptionButtonPress(); return PassOn(code, wParam, lParam);
        case WM_LBUTTONUP:
            ForgetCaptionButtonPress();
            if (!peeked) EndDrag(m);
            return PassOn(code, wParam, lParam);
        case WM_MOUSEWHEEL: {
            const auto overCaption = b.Transparent ? WheelOverCaption(b, m) : std::nullopt;
            if (overCaption) return Finish(*overCaption, code, wParam, lParam);
            if (b.Redirect && !keys.shift() && !keys.ctrl() && RedirectWheel(m, peeked)) return 1;
            return PassOn(code, wParam, lParam);
        }
        default: return PassOn(code, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code < 0 || lParam == 0) return PassOn(code, wParam, lParam);
    if (Block().UnAvailable) {
        // Pausing is a single store by the resident program: a drag it interrupts ends here.
        if (IsDragInProgress()) {
            last_error_context keepLastError;
            AbandonDrag();
        }
        return PassOn(code, wParam, lParam);
    }
    last_error_context keepLastError;
    return Dispatch(code, wParam, lParam);
}

}  // namespace quor
