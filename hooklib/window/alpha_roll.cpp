#include "hooklib/window/alpha_roll.h"

#include "hooklib/core/shared_block.h"
#include "hooklib/core/table_lock.h"
#include "hooklib/window/window_query.h"
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

// An entry is the window's only while the handle names a window of the thread that rolled it
// up: a handle freed and given to a new window does not inherit the entry.
int FindRolled(HWND window, int count) noexcept {
    if (!window) return -1;
    const SharedBlock& b = Block();
    DWORD thread = 0;
    for (int i = 0; i < count; ++i) {
        if (b.RolledWnd[i] != window) continue;
        if (thread == 0) thread = ThreadOf(window);
        if (thread != 0 && b.RolledThread[i] == thread) return i;
    }
    return -1;
}

void RemoveRolled(SharedBlock& b, int i, int count) noexcept {
    const int last = count - 1;
    b.RolledWnd[i] = b.RolledWnd[last];
    b.RolledHeight[i] = b.RolledHeight[last];
    b.RolledThread[i] = b.RolledThread[last];
    b.nRolled = last;
}

// Frees the entries of windows that were destroyed (their programs may be long gone); returns
// the count that remains.
int DropGoneRolled(SharedBlock& b) noexcept {
    int count = CountOf(b.nRolled, kWindowTable);
    for (int i = count - 1; i >= 0; --i) {
        const HWND w = b.RolledWnd[i];
        if (w && ::IsWindow(w) && ThreadOf(w) == b.RolledThread[i]) continue;
        RemoveRolled(b, i, count);
        --count;
    }
    b.nRolled = count;
    return count;
}

}  // namespace

void SetWindowAlpha(HWND window, int alpha) noexcept {
    SharedBlock& b = Block();
    const auto value = static_cast<uint32_t>(alpha);
    const TableLock lock;
    int count = CountOf(b.nAlphaTable, kWindowTable);
    if (RecordAlpha(b.AlphaTable, count, kWindowTable, Low32(window), value)) {
        b.nAlphaTable = count;
        return;
    }
    for (AlphaEntry& entry : b.AlphaTable) {
        if (!::IsWindow(FromLow32(entry.window))) {
            entry = {Low32(window), value};
            return;
        }
    }
}

int GetWindowAlpha(HWND window) noexcept {
    const SharedBlock& b = Block();
    return static_cast<int>(RecordedAlpha(b.AlphaTable, CountOf(b.nAlphaTable, kWindowTable), Low32(window)));
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

bool IsRolledUp(HWND window) noexcept { return FindRolled(window, CountOf(Block().nRolled, kWindowTable)) >= 0; }

int CaptionOnlyHeight(HWND window) noexcept {
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    const int frame = (style & WS_THICKFRAME) ? ::GetSystemMetrics(SM_CXFRAME) : ::GetSystemMetrics(SM_CYDLGFRAME);
    return ::GetSystemMetrics(SM_CYCAPTION) + 2 * frame;
}

void RollUp(HWND window) noexcept {
    SharedBlock& b = Block();
    if (!window || IsRolledUp(window)) return;
    RECT r{};
    ::GetWindowRect(window, &r);
    {
        const TableLock lock;
        if (IsRolledUp(window)) return;
        int count = CountOf(b.nRolled, kWindowTable);
        if (count == kWindowTable) count = DropGoneRolled(b);
        if (count == kWindowTable) return;
        b.RolledWnd[count] = window;
        b.RolledHeight[count] = r.bottom - r.top;
        b.RolledThread[count] = ThreadOf(window);
        b.nRolled = count + 1;
    }
    ::SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, CaptionOnlyHeight(window),
                   SWP_NOMOVE | SWP_SHOWWINDOW | PlacingFlags(window));
}

// A window minimized without a window command (ShowWindow) is unrolled once it is minimized: its
// height then goes to the place it is restored to, not to its icon.
void GiveHeightBack(HWND window, int height) noexcept {
    if (::IsIconic(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (!::GetWindowPlacement(window, &placement)) return;
        placement.rcNormalPosition.bottom = placement.rcNormalPosition.top + height;
        // Stays minimized, takes no activation, and a hidden window stays hidden.
        placement.showCmd = ::IsWindowVisible(window) ? SW_SHOWMINNOACTIVE : SW_HIDE;
        ::SetWindowPlacement(window, &placement);
        return;
    }
    RECT r{};
    ::GetWindowRect(window, &r);
    ::SetWindowPos(window, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | PlacingFlags(window));
}

void Unroll(HWND window) noexcept {
    SharedBlock& b = Block();
    // Most windows closed or minimized were never rolled up: they cost no lock.
    if (!IsRolledUp(window)) return;
    int height = 0;
    {
        const TableLock lock;
        const int count = CountOf(b.nRolled, kWindowTable);
        const int i = FindRolled(window, count);
        if (i < 0) return;
        height = b.RolledHeight[i];
        // The entry goes before the window is resized: the resize comes back through the message
        // hooks, which must find nothing left to unroll.
        RemoveRolled(b, i, count);
    }
    GiveHeightBack(window, height);
}

void UnrollAll() noexcept {
    SharedBlock& b = Block();
    // The table is emptied at once and the heights given back after, outside the lock.
    HWND windows[kWindowTable];
    int32_t heights[kWindowTable];
    DWORD threads[kWindowTable];
    int count = 0;
    {
        const TableLock lock;
        count = CountOf(b.nRolled, kWindowTable);
        for (int i = 0; i < count; ++i) {
            windows[i] = b.RolledWnd[i];
            heights[i] = b.RolledHeight[i];
            threads[i] = b.RolledThread[i];
        }
        b.nRolled = 0;
    }
    const UINT unrollMsg = b.UnrollMsg;
    const DWORD start = ::GetTickCount();
    for (int i = 0; i < count; ++i) {
        const HWND w = windows[i];
        if (!w || !::IsWindow(w) || ThreadOf(w) != threads[i]) continue;
        if (::IsIconic(w) && unrollMsg != 0) {
            // A minimized window's height goes to the place it is restored to, which only its own
            // thread can set (the window-procedure hook does it). The waits together last a
            // moment at most, and this thread takes the messages sent to it meanwhile (the input
            // hooks' calls among them); a window that does not answer in time is left as it is.
            const DWORD spent = ::GetTickCount() - start;
            if (spent >= kGiveHeightBackTimeoutMs) continue;
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutA(w, unrollMsg, kGiveHeightBack, heights[i], SMTO_ABORTIFHUNG,
                                  kGiveHeightBackTimeoutMs - spent, &ignored);
            continue;
        }
        RECT r{};
        ::GetWindowRect(w, &r);
        // Queued to the window's own thread: a busy or hung window does not hold us up.
        ::SetWindowPos(w, nullptr, 0, 0, r.right - r.left, heights[i],
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }
}

}  // namespace quor
