#include "hooklib/window/drag_engine.h"

#include <atomic>

#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_roll.h"
#include "hooklib/window/drag_geometry.h"
#include "hooklib/window/drag_step.h"
#include "hooklib/window/eligibility.h"
#include "hooklib/window/snap_targets.h"
#include "hooklib/window/window_query.h"
#include "hooklib/window/window_placement.h"

namespace quor {
namespace {

constexpr DWORD kDoubleClickReleaseMs = 300;
constexpr UINT kMinTrackAskMs = 50;
// The hooks' thread is asking a window of another thread for its minimum size.
bool g_askingMinTrack = false;

// The caption button last pressed in this process: a release acts on a button only when it was
// pressed on that same button, as the system's own buttons do. A release that comes after a press
// elsewhere (dragged onto the button, or a cursor moved under a held button) does nothing.
std::atomic<HWND> g_pressedButtonWindow{nullptr};
std::atomic<UINT> g_pressedButton{HTNOWHERE};

bool IsCaptionButton(UINT hit) noexcept { return hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE; }

void RememberButtonPress(HWND window, UINT hit) noexcept {
    g_pressedButtonWindow.store(IsCaptionButton(hit) ? window : nullptr);
    g_pressedButton.store(hit);
}

// Whether this release ends a press on the same button of the same window; the press is used up.
bool ReleaseEndsButtonPress(HWND window, UINT hit) noexcept {
    const HWND pressed = g_pressedButtonWindow.exchange(nullptr);
    return pressed == window && g_pressedButton.load() == hit;
}

bool ShiftHeld() noexcept { return (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

SizedSides SidesOf(const SharedBlock& b) noexcept { return {{b.SizeTop, b.SizeRight, b.SizeBottom, b.SizeLeft}}; }

void StoreSides(SharedBlock& b, const SizedSides& s) noexcept {
    b.SizeTop = s.side[kTop];
    b.SizeRight = s.side[kRight];
    b.SizeBottom = s.side[kBottom];
    b.SizeLeft = s.side[kLeft];
}

// The capture's record is shared by every thread of every program: it is taken and given up by
// atomic exchanges, so that of a thread taking the capture and one ending the drag meanwhile,
// exactly one gives the capture back.
void* volatile* CaptureRecord(SharedBlock& b) noexcept { return reinterpret_cast<void* volatile*>(&b.CaptureWnd); }

bool ClaimCaptureRecord(SharedBlock& b, HWND window) noexcept {
    return ::InterlockedCompareExchangePointer(CaptureRecord(b), window, nullptr) == nullptr;
}

bool DropCaptureRecord(SharedBlock& b, HWND window) noexcept {
    return ::InterlockedCompareExchangePointer(CaptureRecord(b), nullptr, window) == window;
}

HWND TakeCaptureRecord(SharedBlock& b) noexcept {
    return static_cast<HWND>(::InterlockedExchangePointer(CaptureRecord(b), nullptr));
}

// Whether a drag of this window is driven from the hooks' thread: the hook runs in another thread
// than the window's, which could neither take its mouse capture nor see all of its moves.
bool DrivenFromHookThread(const SharedBlock& b, HWND window) noexcept {
    return !OwnedByThisThread(window) || b.CrossThreadDragForTests != 0;
}

bool DragStillOn(const SharedBlock& b, HWND window) noexcept {
    return b.DragWnd == window && (b.MoveArmed || b.SizeArmed);
}

void TakeTheWindow(HWND window) noexcept {
    SharedBlock& b = Block();
    ::SetForegroundWindow(window);
    ::BringWindowToTop(window);
    // A press kept from an MDI child does not activate it inside its frame: do that here.
    if (b.DragIsChild) ::SendMessageA(::GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    ::SetCapture(window);
    b.CaptureTick = ::GetTickCount();
    // The drag may have ended meanwhile (its release reached another program's window), or
    // another drag's capture may still be recorded: the capture is given back here, unless the
    // ending side has already taken the record and gives it back itself.
    const bool recorded = ClaimCaptureRecord(b, window);
    if (recorded && DragStillOn(b, window)) return;
    if (!recorded || DropCaptureRecord(b, window)) ::ReleaseCapture();
}

// The flag the low-level hook reads on another thread: set last, once the drag's record is written.
std::atomic_ref<uint8_t> DrivenFlag(SharedBlock& b) noexcept {
    return std::atomic_ref<uint8_t>(b.DragFromHookThread);
}

// The same for a window of another thread, with calls that do not wait for it: its thread may be
// busy or hung, and this thread runs every program's low-level mouse events. The low-level hook
// sees the drag once everything it reads is written. False when that hook saw the button go up
// already (a busy program took its press late): there is nothing left to drag.
bool TakeTheWindowFromAfar(SharedBlock& b, HWND window) noexcept {
    if (b.LLMouseHook && b.ButtonsDownLowLevel == 0) return false;
    b.CaptureTick = ::GetTickCount();
    DrivenFlag(b).store(1, std::memory_order_release);
    ::SetForegroundWindow(window);
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
    if (b.DragIsChild) ::SendNotifyMessageA(::GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
    return true;
}

bool TakeTheWindowFor(SharedBlock& b, HWND window) noexcept {
    if (DrivenFromHookThread(b, window)) return TakeTheWindowFromAfar(b, window);
    TakeTheWindow(window);
    return true;
}

// GetAsyncKeyState reads the physical buttons: the primary one is the right when they are
// swapped. Wine answers it from a copy up to 50 ms old, so a button that another program pressed
// just now can read as up: so soon after the press, "up" counts only when this thread has taken
// the release itself (its own key state says so).
constexpr DWORD kStaleKeyStateMs = 100;

bool PrimaryButtonReleased(const SharedBlock& b) noexcept {
    const int vk = ::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if (::GetAsyncKeyState(vk) & 0x8000) return false;
    if (::GetTickCount() - b.CaptureTick >= kStaleKeyStateMs) return true;
    return (::GetKeyState(vk) & 0x8000) == 0;
}

bool DragInProgress(const SharedBlock& b) noexcept {
    return b.MoveArmed || b.Moving || b.SizeArmed || b.Sizing || b.DragWnd || b.CaptureWnd;
}

// Whether `window` holds the mouse capture of its thread.
bool HoldsCapture(HWND window, DWORD thread) noexcept {
    if (thread == ::GetCurrentThreadId()) return ::GetCapture() == window;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(thread, &info) && info.hwndCapture == window;
}

// Whether the window the engine gave the mouse to still holds it.
bool EngineCaptureHeld(const SharedBlock& b) noexcept {
    const HWND window = b.CaptureWnd;
    const DWORD thread = ThreadOf(window);
    return thread != 0 && HoldsCapture(window, thread);
}

// The capture belongs to the thread that took it, and only that thread can release it; the
// drag may end in another (the release or a move reached another program's window).
void ReleaseEngineCapture(SharedBlock& b) noexcept {
    const HWND window = TakeCaptureRecord(b);
    const DWORD thread = ThreadOf(window);
    // Nothing to do when the window is gone (its capture with it) or no longer holds the mouse.
    if (thread == 0 || !HoldsCapture(window, thread)) return;
    if (thread == ::GetCurrentThreadId())
        ::ReleaseCapture();
    else
        // Its default handling releases the capture, in the owning thread, without our waiting.
        ::PostMessageA(window, WM_CANCELMODE, 0, 0);
}

bool IsCaptionHit(UINT hit) noexcept { return hit == HTCAPTION || hit == HTTOP; }

// Two presses on the caption within the double-click time and rectangle.
bool IsSecondCaptionPress(const SharedBlock& b, HWND window, POINT pt) noexcept {
    const DWORD now = ::GetTickCount();
    return now - b.LastCaptionClick < ::GetDoubleClickTime() && HasMaximizeBox(window) &&
           labs(b.LastCaptionPoint.x - pt.x) <= b.DblClkCx && labs(b.LastCaptionPoint.y - pt.y) <= b.DblClkCy;
}

void RememberCaptionPress(SharedBlock& b, POINT pt) noexcept {
    b.LastCaptionClick = ::GetTickCount();
    b.LastCaptionPoint = pt;
}

// Every way a drag ends comes here, so a capture the engine took is always released.
void StopDrag(SharedBlock& b) noexcept {
    b.Sizing = 0;
    b.MoveArmed = 0;
    b.Moving = 0;
    b.SizeArmed = 0;
    b.DragWnd = nullptr;
    DrivenFlag(b).store(0, std::memory_order_release);
    ReleaseEngineCapture(b);
}

// Arming a drag keeps the press from the window: its default handling would start the
// platform's own move or size loop, which moves the window again after us.
HookResult ArmMove(SharedBlock& b, const MOUSEHOOKSTRUCT& m, bool eligible) noexcept {
    if (b.Moving || !eligible) return HookResult::kPassOn;
    const Rect r = WindowRectOf(m.hwnd);
    b.MoveArmed = 1;
    b.DragWnd = m.hwnd;
    b.DragGrip = {m.pt.x - r.left, m.pt.y - r.top};
    if (!TakeTheWindowFor(b, m.hwnd)) {
        // Passed on, the press makes the window's own double-click with the next one.
        StopDrag(b);
        b.LastCaptionClick = 0;
        return HookResult::kPassOn;
    }
    RememberCaptionPress(b, m.pt);
    return HookResult::kSwallow;
}

HookResult ArmSize(SharedBlock& b, const MOUSEHOOKSTRUCT& m, bool eligible) noexcept {
    if (!eligible) return HookResult::kPassOn;
    b.SizeArmed = 1;
    b.DragWnd = m.hwnd;
    const Rect r = WindowRectOf(m.hwnd);
    const SizedSides sides = SidesForHitCode(static_cast<int>(m.wHitTestCode));
    StoreSides(b, sides);
    b.DragGrip = {0, 0};
    if (sides.side[kTop]) b.DragGrip.y = m.pt.y - r.top;
    if (sides.side[kRight]) b.DragGrip.x = m.pt.x - r.right;
    if (sides.side[kBottom]) b.DragGrip.y = m.pt.y - r.bottom;
    if (sides.side[kLeft]) b.DragGrip.x = m.pt.x - r.left;
    if (!TakeTheWindowFor(b, m.hwnd)) {
        StopDrag(b);
        return HookResult::kPassOn;
    }
    return HookResult::kSwallow;
}

bool ButtonDisabled(const SharedBlock& b, UINT hit, bool shift) noexcept {
    if (shift) return false;
    switch (hit) {
        case HTMINBUTTON: return b.DisableMin != 0;
        case HTMAXBUTTON: return b.DisableMax != 0;
        case HTCLOSE: return b.DisableClose != 0;
        default: return false;
    }
}

// The end of a drag by the button: a resized window is told that its resize is over.
void FinishDrag(SharedBlock& b) noexcept {
    if (b.Sizing && b.DragWnd) ::PostMessageA(b.DragWnd, WM_EXITSIZEMOVE, 0, 0);
    StopDrag(b);
}

// Shift held frees the window from keep-inside and snapping for this step.
StepRules RulesNow(const SharedBlock& b) noexcept {
    const bool free = ShiftHeld();
    return {!free && b.AllowOut != 0, !free && b.AllowSnap != 0, b.Snap};
}

bool OnDragMonitor(const SharedBlock& b, POINT pt) noexcept {
    return ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST) == b.DragMonitor;
}

// Holds the cursor inside the work area when the window itself is not kept inside.
void HoldCursor(SharedBlock& b, POINT& pt, HWND window, bool shift) noexcept {
    if (!shift && b.AllowOut) return;
    if (!OnDragMonitor(b, pt)) {
        CollectSnapTargets(pt, window);
        return;
    }
    Point p{pt.x, pt.y};
    if (ClampPoint(p, b.DragArea)) ::SetCursorPos(p.x, p.y);
    pt = {p.x, p.y};
}

// The foreground went from the dragged window's thread to another during the drag (a program
// that started brought its window up): the mouse goes to the windows under the cursor now, this
// thread's among them, while the dragged window still holds a capture that no longer gets it.
bool ForegroundTakenFrom(HWND dragged) noexcept {
    const DWORD draggedThread = ThreadOf(dragged);
    return draggedThread != ::GetCurrentThreadId() && ThreadOf(::GetForegroundWindow()) != draggedThread;
}

void MoveStep(SharedBlock& b, HWND window, POINT pt) noexcept {
    if (!OnDragMonitor(b, pt)) CollectSnapTargets(pt, window);
    const Rect r = WindowRectOf(window);
    Rect n{pt.x - b.DragGrip.x, pt.y - b.DragGrip.y, 0, 0};
    n.right = n.left + r.width();
    n.bottom = n.top + r.height();
    n = MovedWindowRect(CollectedTargets(), n, b.DragInsets, RulesNow(b));
    if (b.DragIsChild) n.offset(b.ChildOffset.x, b.ChildOffset.y);
    ::SetWindowPos(window, nullptr, n.left, n.top, 0, 0, SWP_NOSIZE | PlacingFlags(window));
}

void SizeStep(SharedBlock& b, HWND window, POINT pt) noexcept {
    Rect r = WindowRectOf(window);
    SizedSides sides = SidesOf(b);
    if (b.SizeExt) {
        Point grip{b.DragGrip.x, b.DragGrip.y};
        // The cursor leaves the window where its visible frame ends, not its invisible border.
        ExtendSizedSides(sides, grip, VisibleFrameOf(r, b.DragInsets), {pt.x, pt.y});
        b.DragGrip = {grip.x, grip.y};
        StoreSides(b, sides);
        if (OwnedByThisThread(window)) switch (DiagonalCursorFor(sides)) {
            case 1: ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENESW)); break;
            case 2: ::SetCursor(::LoadCursorA(nullptr, IDC_SIZENWSE)); break;
            default: break;
        }
    }
    FollowCursor(r, sides, {b.DragGrip.x, b.DragGrip.y}, {pt.x, pt.y});
    const int32_t sized[4] = {b.SizeTop, b.SizeRight, b.SizeBottom, b.SizeLeft};
    r = SizedWindowRect(CollectedTargets(), r, b.DragInsets, RulesNow(b), sized);
    ApplyMinimumSize(r, sides, b.MinTrack.cx, b.MinTrack.cy);
    if (b.DragIsChild) r.offset(b.ChildOffset.x, b.ChildOffset.y);
    ::SetWindowPos(window, nullptr, r.left, r.top, r.width(), r.height(), PlacingFlags(window));
}

// Moves or sizes the dragged window to the cursor at `pt`, starting the move or the size on the
// first step; false when neither has started (a maximized window, a rolled-up one sized). `pt`
// becomes the point the cursor was held at, where it may not leave the work area.
bool DragStep(SharedBlock& b, HWND window, POINT& pt) noexcept {
    if (b.MoveArmed && !b.Moving && !::IsZoomed(window) && !IsTaskbarWindow(window)) {
        b.Moving = 1;
        CollectSnapTargets(pt, window);
    }
    if (b.Moving || b.Sizing) {
        HoldCursor(b, pt, window, ShiftHeld());
        if (b.Moving) {
            MoveStep(b, window, pt);
            return true;
        }
    }
    if (b.SizeArmed && !b.Sizing && !IsRolledUp(window)) {
        b.Sizing = 1;
        CollectSnapTargets(pt, window);
        QueryMinTrack(window);
    }
    // The drag may have ended while the window was asked.
    if (!b.Sizing || b.DragWnd != window) return false;
    SizeStep(b, window, pt);
    return true;
}

bool IsButtonRelease(WPARAM message) noexcept { return message == WM_LBUTTONUP || message == WM_RBUTTONUP; }
bool IsButtonPress(WPARAM message) noexcept { return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN; }

}  // namespace

HookResult OnNonClientPress(const MOUSEHOOKSTRUCT& m, bool shift) noexcept {
    SharedBlock& b = Block();
    // A new press means the button went up since any drag began: whatever is left of it is over.
    if (DragInProgress(b)) StopDrag(b);
    const UINT hit = m.wHitTestCode;
    RememberButtonPress(m.hwnd, hit);
    const bool sizingHit = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
    // Asked once per press: the test may open the window's process to read its module path.
    const bool eligible = (IsCaptionHit(hit) || sizingHit) && IsEligibleWindow(m.hwnd);
    if (IsCaptionHit(hit) && !b.Moving && eligible) {
        if (IsSecondCaptionPress(b, m.hwnd, m.pt)) {
            ToggleMaximize(m.hwnd);
            b.LastCaptionClick = 0;
            return HookResult::kSwallow;
        }
        RememberCaptionPress(b, m.pt);
    }
    switch (hit) {
        case HTCAPTION: return ArmMove(b, m, eligible);
        case HTMINBUTTON:
        case HTMAXBUTTON:
        case HTCLOSE: return ButtonDisabled(b, hit, shift) ? HookResult::kSwallow : HookResult::kPassOn;
        default:
            if (sizingHit) return ArmSize(b, m, eligible);
            return HookResult::kPassOn;
    }
}

HookResult OnNonClientDoubleClick(const MOUSEHOOKSTRUCT& m) noexcept {
    // The second press of a double-click is a press too.
    RememberButtonPress(m.hwnd, m.wHitTestCode);
    if (!IsCaptionHit(m.wHitTestCode)) return HookResult::kPassOn;
    if (ClassNameIs(m.hwnd, "THUSENSHI") || !ToggleMaximize(m.hwnd)) return HookResult::kPassOn;
    Block().LastCaptionDblClk = ::GetTickCount();
    return HookResult::kSwallow;
}

HookResult OnNonClientRelease(const MOUSEHOOKSTRUCT& m, bool shift) noexcept {
    SharedBlock& b = Block();
    if (::GetTickCount() - b.LastCaptionDblClk < kDoubleClickReleaseMs) return HookResult::kSwallow;
    const UINT hit = m.wHitTestCode;
    if (!IsCaptionButton(hit)) return HookResult::kPassOn;
    if (ButtonDisabled(b, hit, shift)) return HookResult::kSwallow;
    if (!ReleaseEndsButtonPress(m.hwnd, hit)) return HookResult::kPassOn;
    if (hit == HTMINBUTTON)
        ::PostMessageA(m.hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (hit == HTMAXBUTTON)
        ToggleMaximize(m.hwnd);
    else
        ::PostMessageA(m.hwnd, WM_CLOSE, 0, 0);
    return HookResult::kSwallow;
}

HookResult OnDragMouseMove(const MOUSEHOOKSTRUCT& m) noexcept {
    SharedBlock& b = Block();
    // A drag driven from the hooks' thread takes its moves there.
    if (!DragInProgress(b) || DrivenFlag(b).load(std::memory_order_acquire)) return HookResult::kPassOn;
    HWND window = m.hwnd;
    if (window != b.DragWnd) {
        // A move for another window: one made before the dragged window took the mouse, or one
        // the platform delivered elsewhere meanwhile (Wine gives its desktop window moves of the
        // X pointer). The drag is over only when its window no longer holds the mouse; while it
        // does, the drag goes on there and ends there. A capture left with no drag to end it is
        // given back.
        if (!EngineCaptureHeld(b) || !b.DragWnd) {
            StopDrag(b);
            return HookResult::kPassOn;
        }
        // The mouse comes here because another thread took the foreground: the drag goes on from here.
        if (!(b.Moving || b.Sizing) || !ForegroundTakenFrom(b.DragWnd)) return HookResult::kPassOn;
        window = b.DragWnd;
    }
    // The release may have gone to another window or been lost: the button's real state decides,
    // read here in the thread that holds the mouse, so no window follows a mouse with no button held.
    if (PrimaryButtonReleased(b)) {
        FinishDrag(b);
        return HookResult::kPassOn;
    }
    POINT pt = m.pt;
    return DragStep(b, window, pt) ? HookResult::kLetThrough : HookResult::kPassOn;
}

void EndDrag(const MOUSEHOOKSTRUCT&) noexcept {
    SharedBlock& b = Block();
    if (DragInProgress(b)) FinishDrag(b);
}

void ForgetCaptionButtonPress() noexcept { g_pressedButtonWindow.store(nullptr); }

bool IsDragInProgress() noexcept { return DragInProgress(Block()); }

void AbandonDrag() noexcept { StopDrag(Block()); }

void QueryMinTrack(HWND window) noexcept {
    MINMAXINFO info{};
    info.ptMinTrackSize = {::GetSystemMetrics(SM_CXMINTRACK), ::GetSystemMetrics(SM_CYMINTRACK)};
    if (OwnedByThisThread(window)) {
        ::SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    } else {
        // Asked from the hooks' thread, where every input event of the desktop waits meanwhile: a
        // window of another thread that does not answer at once keeps the system's minimum. The
        // calls sent here meanwhile are taken (a 32-bit program's hook calls among them, which its
        // answer waits for), and the low-level hook leaves the drag alone until the answer.
        MINMAXINFO asked = info;
        DWORD_PTR ignored = 0;
        g_askingMinTrack = true;
        const bool answered = ::SendMessageTimeoutA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&asked),
                                                    SMTO_ABORTIFHUNG, kMinTrackAskMs, &ignored) != 0;
        g_askingMinTrack = false;
        if (answered) info = asked;
    }
    Block().MinTrack = {info.ptMinTrackSize.x, info.ptMinTrackSize.y};
}

void TrackButtonsForDrag(WPARAM message) noexcept {
    SharedBlock& b = Block();
    switch (message) {
        case WM_LBUTTONDOWN: b.ButtonsDownLowLevel |= 1; break;
        case WM_RBUTTONDOWN: b.ButtonsDownLowLevel |= 2; break;
        case WM_LBUTTONUP: b.ButtonsDownLowLevel &= static_cast<uint8_t>(~1); break;
        case WM_RBUTTONUP: b.ButtonsDownLowLevel &= static_cast<uint8_t>(~2); break;
        default: break;
    }
}

// Whether the button is up by every account: as this hook saw the events, or (for a release it
// missed: the system skipped it, or a later low-level hook kept it) as the system holds the keys,
// which Wine answers up to 50 ms late.
bool ButtonUpForDragFromAfar(const SharedBlock& b) noexcept {
    if (b.ButtonsDownLowLevel == 0) return true;
    const bool physicallyDown = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) || (::GetAsyncKeyState(VK_RBUTTON) & 0x8000);
    return !physicallyDown && ::GetTickCount() - b.CaptureTick >= kStaleKeyStateMs;
}

bool OnLowLevelMouseForDrag(WPARAM message, const MSLLHOOKSTRUCT& event) noexcept {
    SharedBlock& b = Block();
    if (!DrivenFlag(b).load(std::memory_order_acquire) || g_askingMinTrack) return false;
    const HWND window = b.DragWnd;
    // The window went; the button went up (its release came here, wherever the cursor is); or a
    // press came here after the one that armed the drag, which always passes here first (the drag
    // is left from a program that took its press late, or that ended): the drag is over.
    if (!window || !::IsWindow(window) || IsButtonRelease(message) || IsButtonPress(message) ||
        (message == WM_MOUSEMOVE && ButtonUpForDragFromAfar(b))) {
        FinishDrag(b);
        return false;
    }
    if (message != WM_MOUSEMOVE) return false;
    POINT pt = event.pt;
    DragStep(b, window, pt);
    // The cursor was put back inside the work area: the move itself would take it out again.
    return pt.x != event.pt.x || pt.y != event.pt.y;
}

}  // namespace quor
