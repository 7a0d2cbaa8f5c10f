#include "hooklib/window/window_placement.h"

#include "hooklib/window/eligibility.h"
#include "hooklib/window/window_query.h"

namespace quor {
namespace {

RECT PrimaryWorkArea() noexcept {
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// The area to fill and the window's rectangle in the same coordinates: the parent's client
// coordinates for an MDI child, the screen otherwise.
bool AreaAndRect(HWND window, RECT& area, RECT& rect) noexcept {
    if (!::GetWindowRect(window, &rect)) return false;
    if (!IsMdiChild(window)) {
        area = PrimaryWorkArea();
        return true;
    }
    HWND parent = ::GetParent(window);
    if (!::GetClientRect(parent, &area)) return false;
    POINT origin{0, 0};
    ::ScreenToClient(parent, &origin);
    ::OffsetRect(&rect, origin.x, origin.y);
    return true;
}

// As MoveWindow does, and a window of another thread without waiting for it (the hook may run in
// the hooks' thread for a 32-bit program's window).
void PlaceWithoutActivating(HWND window, const RECT& r) noexcept {
    ::SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | PlacingFlags(window));
}

}  // namespace

bool ToggleMaximize(HWND window) noexcept {
    if (!IsEligibleWindow(window)) return false;
    WPARAM command = 0;
    if (::IsZoomed(window) || (IsMdiChild(window) && ::IsIconic(window)))
        command = SC_RESTORE;
    else if (HasMaximizeBox(window))
        command = SC_MAXIMIZE;
    else
        return false;
    ::PostMessageA(window, WM_SYSCOMMAND, command, 0);
    return true;
}

void CenterWindow(HWND window) noexcept {
    RECT r{};
    if (!::GetWindowRect(window, &r)) return;
    RECT a{};
    if (IsMdiChild(window)) {
        if (!::GetClientRect(::GetParent(window), &a)) return;
    } else {
        a = PrimaryWorkArea();
    }
    const int x = a.left + ((a.right - a.left) - (r.right - r.left)) / 2;
    const int y = a.top + ((a.bottom - a.top) - (r.bottom - r.top)) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | PlacingFlags(window));
}

void MaximizeVertical(HWND window) noexcept {
    RECT a{}, r{};
    if (!AreaAndRect(window, a, r)) return;
    PlaceWithoutActivating(window, {r.left, a.top, r.right, a.bottom});
}

void MaximizeHorizontal(HWND window) noexcept {
    RECT a{}, r{};
    if (!AreaAndRect(window, a, r)) return;
    PlaceWithoutActivating(window, {a.left, r.top, a.right, r.bottom});
}

}  // namespace quor
