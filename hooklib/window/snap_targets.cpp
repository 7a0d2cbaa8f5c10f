#include "hooklib/window/snap_targets.h"

#include "hooklib/core/shared_block.h"
#include "hooklib/window/snap_geometry.h"
#include "hooklib/window/window_query.h"

namespace quor {
namespace {

void Append(SharedBlock& b, const RECT& r) noexcept {
    if (r.left != r.right) b.SnapRect[b.nSnapRect++] = ToRect(r);
}

bool TouchesDragMonitor(const RECT& r, HMONITOR monitor) noexcept {
    return ::MonitorFromPoint({r.left + 1, r.top + 1}, MONITOR_DEFAULTTONEAREST) == monitor ||
           ::MonitorFromPoint({r.left + 1, r.bottom - 1}, MONITOR_DEFAULTTONEAREST) == monitor ||
           ::MonitorFromPoint({r.right - 1, r.top + 1}, MONITOR_DEFAULTTONEAREST) == monitor ||
           ::MonitorFromPoint({r.right - 1, r.bottom - 1}, MONITOR_DEFAULTTONULL) == monitor;
}

BOOL CALLBACK CollectTopLevel(HWND w, LPARAM) noexcept {
    SharedBlock& b = Block();
    if (!::IsWindowVisible(w) || ::IsIconic(w) || ::IsZoomed(w) || w == ::GetActiveWindow()) return TRUE;
    if (b.nSnapRect >= kWindowTable) return FALSE;
    if (ClassNameIs(w, "Shell_TrayWnd")) return TRUE;
    RECT r{};
    ::GetWindowRect(w, &r);
    if (!TouchesDragMonitor(r, b.DragMonitor)) return TRUE;
    Append(b, r);
    return TRUE;
}

BOOL CALLBACK CollectSibling(HWND c, LPARAM dragged) noexcept {
    SharedBlock& b = Block();
    const HWND draggedWnd = reinterpret_cast<HWND>(dragged);
    if (::GetParent(c) != ::GetParent(draggedWnd) || !::IsWindowVisible(c) || ::IsIconic(c) || c == draggedWnd)
        return TRUE;
    if (b.nSnapRect >= kWindowTable) return FALSE;
    RECT r{};
    ::GetWindowRect(c, &r);
    Append(b, r);
    return TRUE;
}

SnapTargets Targets(const SharedBlock& b) noexcept {
    const int count = b.nSnapRect < 0 ? 0 : (b.nSnapRect > kWindowTable ? kWindowTable : b.nSnapRect);
    return {b.SnapRect, count, b.DragArea, b.AllowSnapInside != 0};
}

}  // namespace

void CollectSnapTargets(POINT cursor, HWND dragged) noexcept {
    SharedBlock& b = Block();
    b.nSnapRect = 0;
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
    ::EnumWindows(CollectTopLevel, 0);
}

void SnapMoveToTargets(Rect& r) noexcept {
    const SharedBlock& b = Block();
    SnapMove(Targets(b), r, b.Snap);
}

void SnapSizeToTargets(Rect& r) noexcept {
    const SharedBlock& b = Block();
    const int32_t sized[4] = {b.SizeTop, b.SizeRight, b.SizeBottom, b.SizeLeft};
    SnapSize(Targets(b), r, b.Snap, sized);
}

}  // namespace quor
