// WH_MOUSE_LL: runs on the hooks' thread for every mouse event of the desktop. It counts the usage
// statistics, in the mouse cleaning mode throws every event away, and drives the drags of windows
// of other threads.
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"
#include "hooklib/core/usage_stats.h"
#include "hooklib/core/usage_time.h"
#include "hooklib/window/drag_engine.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

void CountMouseEvent(SharedBlock& b, WPARAM message, const MSLLHOOKSTRUCT& e) noexcept {
    if (message == WM_MOUSEMOVE && (b.LastMouseX != 0 || b.LastMouseY != 0)) {
        UpdateActivityTime();
        b.StatMouseMove += TravelFrom(b.LastMouseX, b.LastMouseY, e.pt.x, e.pt.y);
    }
    b.LastMouseX = e.pt.x;
    b.LastMouseY = e.pt.y;
    const int counter = MouseCounterFor(static_cast<unsigned>(message), GET_WHEEL_DELTA_WPARAM(e.mouseData));
    if (counter != kNoMouseCounter) ++b.StatMouse[counter];
}

// The calendar time in whole seconds, as _time64 gives it, without the time-zone lookup that
// _time64 makes on every call: this runs on every mouse move.
int64_t CalendarSecondsNow() noexcept {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return CalendarSecondsFromFileTime((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

}  // namespace

void UpdateActivityTime() noexcept {
    SharedBlock& b = Block();
    const int64_t now = CalendarSecondsNow();
    const int64_t previous = b.LastActivity;
    b.LastActivity = now;
    b.StatTotalTime += SecondsOfUse(previous, now);
}

LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    SharedBlock& b = Block();
    if (code < 0 || lParam == 0) return ::CallNextHookEx(b.LLMouseHook, code, wParam, lParam);
    CountMouseEvent(b, wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    TrackButtonsForDrag(wParam);
    // Statistics count and the cleaning mode holds even while the other features are paused.
    if (b.IgnoreMouse) return 1;
    if (b.DragFromHookThread) {
        last_error_context keepLastError;
        if (b.UnAvailable)
            AbandonDrag();
        else if (OnLowLevelMouseForDrag(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)))
            return 1;
    }
    return ::CallNextHookEx(b.LLMouseHook, code, wParam, lParam);
}

}  // namespace quor
