#include "app/resident/volume_display.h"

#include "app/resident/volume_bars.h"
#include "app/resources/resource.h"
#include "platform/audio_volume.h"

namespace quor {
namespace {

constexpr COLORREF kTransparent = RGB(255, 0, 0);

void Fill(HDC dc, const RECT& r, COLORREF colour) noexcept {
    const HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

}  // namespace

bool VolumeDisplay::Create(HINSTANCE instance, HWND owner) noexcept {
    return CreateModeless(instance, IDD_VOLUME, owner);
}

void VolumeDisplay::PlaceAlongTheWorkArea() noexcept {
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (::EqualRect(&work, &placedFor_)) return;
    placedFor_ = work;
    const int width = work.right - work.left;
    const int height = (work.bottom - work.top) / 12;
    client_ = {0, 0, width, height};
    ::SetWindowPos(hwnd(), HWND_TOPMOST, work.left, work.bottom - height, width, height, SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void VolumeDisplay::Show() noexcept {
    PlaceAlongTheWorkArea();
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);
}

void VolumeDisplay::Paint(HDC dc) const noexcept {
    Fill(dc, client_, kTransparent);
    unsigned level = 0, muted = 0;
    // A level that cannot be read shows as silence.
    if (!ReadVolumeLevel(level)) level = 0;
    if (ReadMute(muted) && muted) level = 0;
    const int lit = LastLitBar(level);
    for (int i = 0; i < kVolumeBars; ++i) {
        const BarRect bar = VolumeBar(i, client_.right - client_.left, client_.bottom - client_.top);
        const COLORREF colour = i > lit ? above_ : atOrBelow_;
        const HBRUSH brush = ::CreateSolidBrush(colour);
        const HPEN pen = ::CreatePen(PS_SOLID, 0, colour);
        const HGDIOBJ oldBrush = ::SelectObject(dc, brush);
        const HGDIOBJ oldPen = ::SelectObject(dc, pen);
        ::Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBrush);
        ::DeleteObject(pen);
        ::DeleteObject(brush);
    }
}

bool VolumeDisplay::HandleMessage(UINT msg, WPARAM wParam, LPARAM, INT_PTR& result) noexcept {
    switch (msg) {
        case WM_INITDIALOG:
            ::SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, ::GetWindowLongPtrA(hwnd(), GWL_EXSTYLE) | WS_EX_LAYERED);
            ::SetLayeredWindowAttributes(hwnd(), kTransparent, 0, LWA_COLORKEY);
            PlaceAlongTheWorkArea();
            result = FALSE;  // no focus to give
            return true;
        case WM_DISPLAYCHANGE: PlaceAlongTheWorkArea(); return false;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETWORKAREA) PlaceAlongTheWorkArea();
            return false;
        case WM_ERASEBKGND:
            result = 1;  // painting fills everything
            return true;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            const HDC dc = ::BeginPaint(hwnd(), &ps);
            Paint(dc);
            ::EndPaint(hwnd(), &ps);
            return true;
        }
        default: return false;
    }
}

}  // namespace quor
