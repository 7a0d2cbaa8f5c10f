#pragma once
// Plain rectangles and points in screen pixels, laid out as the platform's RECT and POINT.
#include <cstdint>

namespace quor {

struct Point {
    int32_t x;
    int32_t y;
};

struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    void offset(int32_t dx, int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// Sides are numbered 0 top, 1 right, 2 bottom, 3 left; the opposite of s is (s + 2) % 4.
enum Side : int { kTop = 0, kRight = 1, kBottom = 2, kLeft = 3 };

inline int OppositeSide(int side) { return (side + 2) & 3; }

inline int32_t EdgeOf(const Rect& r, int side) {
    switch (side & 3) {
        case kTop: return r.top;
        case kRight: return r.right;
        case kBottom: return r.bottom;
        default: return r.left;
    }
}

inline void SetEdgeOf(Rect& r, int side, int32_t v) {
    switch (side & 3) {
        case kTop: r.top = v; break;
        case kRight: r.right = v; break;
        case kBottom: r.bottom = v; break;
        default: r.left = v; break;
    }
}

}  // namespace quor
