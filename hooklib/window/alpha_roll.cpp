#include "hooklib/window/alpha_roll.h"

#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_table.h"
#include "hooklib/window/eligibility.h"

namespace quor {
namespace {

uint32_t Low32(HWND window) noexcept { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)); }

// Window handles carry 32 significant bits, sign-extended on 64-bit Windows.
HWND FromLow32(uint32_t low) noexcept {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<int32_t>(low)));
}

void Redraw(HWND window) noexcept {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

int FindRolled(HWND window) noexcept {
    const SharedBlock& b = Block();
    for (int i = 0; i < b.nRolled && i < kWindowTable; ++i)
        if (b.RolledWnd[i] == window) return i;
    return -1;
}

}  // namespace

void SetWindowAlpha(HWND window, int alpha) noexcept {
    SharedBlock& b = Block();
    const auto value = static_cast<uint32_t>(alpha);
    if (RecordAlpha(b.AlphaTable, b.nAlphaTable, kWindowTable, Low32(window), value)) return;
    for (AlphaEntry& entry : b.AlphaTable) {
        if (!::IsWindow(FromLow32(entry.window))) {
            entry = {Low32(window), value};
            return;
        }
    }
}

int GetWindowAlpha(HWND window) noexcept {
    const SharedBlock& b = Block();
    const int count = b.nAlphaTable < kWindowTable ? b.nAlphaTable : kWindowTable;
    return static_cast<int>(RecordedAlpha(b.AlphaTable, count, Low32(window)));
}

void WheelAlphaStep(HWND window, int wheelDelta) noexcept {
    // The window under the cursor may belong to a hung program; its style change would wait on it.
    if (!IsResponsive(window)) return;
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    const AlphaChange change = NextAlpha(GetWindowAlpha(window), wheelDelta);
    switch (change.kind) {
        case AlphaChange::kMakeLayered:
            ::SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
            ::SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(change.alpha), LWA_ALPHA);
            SetWindowAlpha(window, change.alpha);
            Redraw(window);
            break;
        case AlphaChange::kAdjust:
            ::SetLayeredWindowAttributes(window, 0, static_cast<BYTE>(change.alpha), LWA_ALPHA);
            SetWindowAlpha(window, change.alpha);
            Redraw(window);
            break;
        case AlphaChange::kMakeOpaque:
            SetWindowAlpha(window, static_cast<int>(kOpaque));
            if (exStyle & WS_EX_LAYERED) {
                ::SetWindowLongPtrA(window, GWL_EXSTYLE, exStyle & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
                Redraw(window);
            }
            break;
    }
}

bool IsRolledUp(HWND window) noexcept { return FindRolled(window) >= 0; }

int CaptionOnlyHeight(HWND window) noexcept {
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    const int frame = (style & WS_THICKFRAME) ? ::GetSystemMetrics(SM_CXFRAME) : ::GetSystemMetrics(SM_CYDLGFRAME);
    return ::GetSystemMetrics(SM_CYCAPTION) + 2 * frame;
}

void RollUp(HWND window) noexcept {
    SharedBlock& b = Block();
    if (IsRolledUp(window) || b.nRolled < 0 || b.nRolled >= kWindowTable) return;
    RECT r{};
    ::GetWindowRect(window, &r);
    b.RolledWnd[b.nRolled] = window;
    b.RolledHeight[b.nRolled] = r.bottom - r.top;
    ++b.nRolled;
    ::SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, CaptionOnlyHeight(window),
                   SWP_NOMOVE | SWP_SHOWWINDOW);
}

void Unroll(HWND window) noexcept {
    SharedBlock& b = Block();
    const int i = FindRolled(window);
    if (i < 0) return;
    RECT r{};
    ::GetWindowRect(window, &r);
    ::SetWindowPos(window, nullptr, 0, 0, r.right - r.left, b.RolledHeight[i], SWP_NOMOVE);
    const int last = b.nRolled - 1;
    b.RolledWnd[i] = b.RolledWnd[last];
    b.RolledHeight[i] = b.RolledHeight[last];
    --b.nRolled;
}

}  // namespace quor
