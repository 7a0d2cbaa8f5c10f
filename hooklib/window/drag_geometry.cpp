#include "hooklib/window/drag_geometry.h"

namespace quor {

SizedSides SidesForHitCode(int hitCode) {
    SizedSides s{};
    switch (hitCode) {
        case 10: s.side[kLeft] = 1; break;                          // HTLEFT
        case 11: s.side[kRight] = 1; break;                         // HTRIGHT
        case 12: s.side[kTop] = 1; break;                           // HTTOP
        case 13: s.side[kTop] = s.side[kLeft] = 1; break;           // HTTOPLEFT
        case 14: s.side[kTop] = s.side[kRight] = 1; break;          // HTTOPRIGHT
        case 15: s.side[kBottom] = 1; break;                        // HTBOTTOM
        case 16: s.side[kBottom] = s.side[kLeft] = 1; break;        // HTBOTTOMLEFT
        case 17: s.side[kBottom] = s.side[kRight] = 1; break;       // HTBOTTOMRIGHT
        default: break;
    }
    return s;
}

void KeepInside(Rect& r, const Rect& area) {
    if (r.bottom > area.bottom) r.offset(0, area.bottom - r.bottom);
    if (r.right > area.right) r.offset(area.right - r.right, 0);
    if (r.top < area.top) r.offset(0, area.top - r.top);
    if (r.left < area.left) r.offset(area.left - r.left, 0);
}

bool ClampPoint(Point& p, const Rect& area) {
    const Point before = p;
    if (p.y > area.bottom) p.y = area.bottom;
    if (p.y < area.top) p.y = area.top;
    if (p.x > area.right) p.x = area.right;
    if (p.x < area.left) p.x = area.left;
    return p.x != before.x || p.y != before.y;
}

void ExtendSizedSides(SizedSides& sides, Point& grip, const Rect& window, Point cursor) {
    int32_t* s = sides.side;
    if (cursor.x > window.right && !s[kLeft] && !s[kRight]) {
        s[kRight] = 1;
        grip.x = 0;
    }
    if (cursor.x < window.left && !s[kRight] && !s[kLeft]) {
        s[kLeft] = 1;
        grip.x = 0;
    }
    if (cursor.y > window.bottom && !s[kTop] && !s[kBottom]) {
        s[kBottom] = 1;
        grip.y = 0;
    }
    if (cursor.y < window.top && !s[kBottom] && !s[kTop]) {
        s[kTop] = 1;
        grip.y = 0;
    }
}

void FollowCursor(Rect& r, const SizedSides& sides, Point grip, Point cursor) {
    if (sides.side[kTop]) r.top = cursor.y - grip.y;
    if (sides.side[kRight]) r.right = cursor.x - grip.x;
    if (sides.side[kBottom]) r.bottom = cursor.y - grip.y;
    if (sides.side[kLeft]) r.left = cursor.x - grip.x;
}

void ClipToArea(Rect& r, const Rect& area) {
    if (r.bottom > area.bottom) r.bottom = area.bottom;
    if (r.right > area.right) r.right = area.right;
    if (r.top < area.top) r.top = area.top;
    if (r.left < area.left) r.left = area.left;
}

void ApplyMinimumSize(Rect& r, const SizedSides& sides, int32_t minCx, int32_t minCy) {
    if (r.width() < minCx && sides.side[kLeft]) r.left = r.right - minCx;
    if (r.height() < minCy && sides.side[kTop]) r.top = r.bottom - minCy;
    if (r.width() < minCx && sides.side[kRight]) r.right = r.left + minCx;
    if (r.height() < minCy && sides.side[kBottom]) r.bottom = r.top + minCy;
}

int DiagonalCursorFor(const SizedSides& sides) {
    const int32_t* s = sides.side;
    int shape = 0;
    if ((s[kTop] && s[kRight]) || (s[kBottom] && s[kLeft])) shape = 1;
    if ((s[kRight] && s[kBottom]) || (s[kLeft] && s[kTop])) shape = 2;
    return shape;
}

}  // namespace quor
