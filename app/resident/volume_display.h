#pragma once
// The volume shown for a moment as a row of bars along the bottom of the work area: a borderless,
// click-through window whose red is transparent.
#include <windows.h>

#include "app/framework/dialog.h"

namespace quor {

class VolumeDisplay : public Dialog {
public:
    bool Create(HINSTANCE instance, HWND owner) noexcept;
    // Bars above the level, and at or below it.
    void SetColours(COLORREF above, COLORREF atOrBelow) noexcept {
        above_ = above;
        atOrBelow_ = atOrBelow;
    }
    // On top, without activation, repainted with the level of now, along the work area as it is
    // now (a resolution, a monitor or the taskbar may have changed it since).
    void Show() noexcept;
    void Hide() noexcept { ::ShowWindow(hwnd(), SW_HIDE); }

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) noexcept override;
    // Along the bottom of the work area, when that differs from where the display was placed.
    void PlaceAlongTheWorkArea() noexcept;
    void Paint(HDC dc) const noexcept;

    RECT client_{};
    RECT placedFor_{};  // the work area the display was last placed along
    // Until the settings give theirs.
    COLORREF above_ = RGB(0x37, 0xFF, 0x37);
    COLORREF atOrBelow_ = RGB(0xFF, 0x37, 0x37);
};

}  // namespace quor
