#include "hooklib/window/snap_targets.h"

#include "hooklib/core/shared_block.h"
#include "hooklib/window/snap_geometry.h"
#include "hooklib/window/visible_frame.h"
#include "hooklib/window/window_query.h"

namespace quor {
namespace {

constexpr int kMaxMonitors = 32;
constexpr int kMaxTaskbars = 8;

// What a collection asks the platform once, so that each window costs as few questions as
// possible (its style and its rectangle): collecting runs at the first move of every drag.
struct TopLevelScan {
    SharedBlock* block;
    HWND active;
    HWND dragged;  // not the active window when the drag runs from the hooks' thread
    HMONITOR monitor[kMaxMonitors];
    Rect monitorRect[kMaxMonitors];
    int monitors;
    bool allMonitors;  // false when there were more than the list holds
    HWND taskbar[kMaxTaskbars];
    int taskbars;
    bool allTaskbars;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT rect, LPARAM param) noexcept {
    auto& scan = *reinterpret_cast<TopLevelScan*>(param);
    if (scan.monitors == kMaxMonitors) {
        scan.allMonitors = false;
        return FALSE;
    }
    scan.monitor[scan.monitors] = monitor;
    scan.monitorRect[scan.monitors] = ToRect(*rect);
    ++scan.monitors;
    return TRUE;
}

void FindTaskbars(TopLevelScan& scan) noexcept {
    // The class look-up by name ignores case; the taskbar's class is compared exactly.
    for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "Shell_TrayWnd", nullptr)) != nullptr;) {
        if (!ClassNameIs(w, "Shell_TrayWnd")) continue;
        if (scan.taskbars == kMaxTaskbars) {
            scan.allTaskbars = false;
            return;
        }
        scan.taskbar[scan.taskbars++] = w;
    }
}

bool IsTaskbar(const TopLevelScan& scan, HWND w) noexcept {
    if (!scan.allTaskbars) return ClassNameIs(w, "Shell_TrayWnd");
    for (int i = 0; i < scan.taskbars; ++i)
        if (scan.taskbar[i] == w) return true;
    return false;
}

// Whether any of four points one pixel inside the corners lies on `monitor`: the last probe
// counts only on a monitor, the others also by the nearest-monitor rule. Points on one known
// monitor are decided by geometry; the platform is asked only for the rest.
bool TouchesMonitor(const TopLevelScan& scan, const RECT& r, HMONITOR monitor) noexcept {
    const POINT probe[4] = {{r.left + 1, r.top + 1}, {r.left + 1, r.bottom - 1}, {r.right - 1, r.top + 1},
                            {r.right - 1, r.bottom - 1}};
    bool undecided[4] = {};
    for (int k = 0; k < 4; ++k) {
        const int i = MonitorContaining(scan.monitorRect, scan.monitors, {probe[k].x, probe[k].y});
        if (i >= 0) {
            if (scan.monitor[i] == monitor) return true;
        } else {
            // On no listed monitor, only the nearest rule can put the last probe on one.
            undecided[k] = i == kSeveralMonitors || !scan.allMonitors || k < 3;
        }
    }
    for (int k = 0; k < 4; ++k)
        if (undecided[k] &&
            ::MonitorFromPoint(probe[k], k < 3 ? MONITOR_DEFAULTTONEAREST : MONITOR_DEFAULTTONULL) == monitor)
            return true;
    return false;
}

// Adds a target; false when the table is full.
bool Append(SharedBlock& b, const Rect& r) noexcept {
    const int n = CountOf(b.nSnapRect, kWindowTable);
    if (n == kWindowTable) return false;
    if (r.left != r.right) {
        b.SnapRect[n] = r;
        b.nSnapRect = n + 1;
    }
    return true;
}

BOOL CALLBACK CollectTopLevel(HWND w, LPARAM param) noexcept {
    const auto& scan = *reinterpret_cast<const TopLevelScan*>(param);
    SharedBlock& b = *scan.block;
    // The style answers visible, minimized and maximized at once (a top-level window's parent is
    // the desktop, so its own visible bit is its visibility).
    const LONG_PTR style = ::GetWindowLongPtrA(w, GWL_STYLE);
    if (!(style & WS_VISIBLE) || (style & (WS_MINIMIZE | WS_MAXIMIZE)) || w == scan.active || w == scan.dragged)
        return TRUE;
    if (CountOf(b.nSnapRect, kWindowTable) == kWindowTable) return FALSE;
    if (IsTaskbar(scan, w)) return TRUE;
    RECT r{};
    ::GetWindowRect(w, &r);
    if (!TouchesMonitor(scan, r, b.DragMonitor)) return TRUE;
    // The visible frame: the invisible resize border of current systems snaps to nothing, and a
    // window whose border alone reaches into this monitor is not on it.
    const Insets insets = FrameInsetsOf(w, r);
    const Rect frame = VisibleFrameOf(ToRect(r), insets);
    if (insets != kNoInsets) {
        const RECT visible{frame.left, frame.top, frame.right, frame.bottom};
        if (!TouchesMonitor(scan, visible, b.DragMonitor)) return TRUE;
    }
    return Append(b, frame) ? TRUE : FALSE;
}

BOOL CALLBACK CollectSibling(HWND c, LPARAM dragged) noexcept {
    SharedBlock& b = Block();
    const HWND draggedWnd = reinterpret_cast<HWND>(dragged);
    if (::GetParent(c) != ::GetParent(draggedWnd) || !::IsWindowVisible(c) || ::IsIconic(c) || c == draggedWnd)
        return TRUE;
    if (CountOf(b.nSnapRect, kWindowTable) == kWindowTable) return FALSE;
    RECT r{};
    ::GetWindowRect(c, &r);
    return Append(b, ToRect(r)) ? TRUE : FALSE;
}

}  // namespace

void CollectSnapTargets(POINT cursor, HWND dragged) noexcept {
    SharedBlock& b = Block();
    b.nSnapRect = 0;
    // A child window has no frame of the desktop window manager's: its rectangle is what shows.
    b.DragInsets = kNoInsets;
    if (b.DragIsChild) {
        HWND parent = ::GetParent(dragged);
        ::EnumChildWindows(parent, CollectSibling, reinterpret_cast<LPARAM>(dragged));
        RECT client{};
        ::GetClientRect(parent, &client);
        POINT origin{0, 0};
        ::ScreenToClient(parent, &origin);
        b.ChildOffset = origin;
        b.DragArea = ToRect(client);
        b.DragArea.offset(-origin.x, -origin.y);
        return;
    }
    b.DragMonitor = ::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    RECT work{};
    if (::GetMonitorInfoA(b.DragMonitor, &info))
        work = info.rcWork;
    else
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    b.DragArea = ToRect(work);
    RECT draggedRect{};
    if (::GetWindowRect(dragged, &draggedRect)) b.DragInsets = FrameInsetsOf(dragged, draggedRect);
    TopLevelScan scan{};
    scan.block = &b;
    scan.active = ::GetActiveWindow();
    scan.dragged = dragged;
    scan.allMonitors = true;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&scan));
    scan.allTaskbars = true;
    FindTaskbars(scan);
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&scan));
}

SnapTargets CollectedTargets() noexcept {
    const SharedBlock& b = Block();
    return {b.SnapRect, CountOf(b.nSnapRect, kWindowTable), b.DragArea, b.AllowSnapInside != 0};
}

}  // namespace quor
