#include "hooklib/window/wheel_redirect.h"

#include <cstring>

#include "hooklib/core/shared_block.h"
#include "hooklib/window/eligibility.h"
#include "hooklib/window/virtual_screen.h"
#include "hooklib/window/window_query.h"
#include "platform/audio_volume.h"

namespace quor {
namespace {

bool IsFocusClass(const char* cls) noexcept {
    static constexpr const char* kClasses[] = {
        "SysTreeView32", "SysListView32", "Internet Explorer_TridentCmboBx", "Internet Explorer_Server",
        "ListBox",       "ComboBox",      "TListBox",                       "TComboBox",
        "TTreeView",     "THogeTextView", "THogeListView",                  "REComboBox20W",
        "EditorClient",  "TMyListBox",
    };
    for (const char* c : kClasses)
        if (std::strcmp(cls, c) == 0) return true;
    return false;
}

// The focus belongs to a thread's input: a window of another thread is given it by joining that
// input for the moment. The focus change is then told to that thread and waited for, so a
// thread that does not answer is left alone.
void FocusWindow(HWND window) noexcept {
    const DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    const DWORD self = ::GetCurrentThreadId();
    if (thread == self || thread == 0) {
        ::SetFocus(window);
        return;
    }
    if (!IsResponsive(window) || !::AttachThreadInput(self, thread, TRUE)) return;
    ::SetFocus(window);
    ::AttachThreadInput(self, thread, FALSE);
}

bool ClassIs(const char* cls, const char* name) noexcept { return std::strcmp(cls, name) == 0; }


// From `c` up through its parents: after the window took the foreground, an "XLMAIN" ancestor
// comes to the front, or an MDI child to the top of its siblings.
void RaiseAncestors(HWND c) noexcept {
    for (int depth = 0; depth < 256 && (c = ::GetParent(c)) != nullptr; ++depth) {
        char cls[256] = {};
        ::GetClassNameA(c, cls, sizeof cls);
        if (ClassIs(cls, "XLMAIN")) {
            ::SetForegroundWindow(c);
            return;
        }
        if (IsMdiChild(c)) {
            ::BringWindowToTop(c);
            return;
        }
    }
}

// Brings the window under the cursor forward and gives the focus to the scrollable control in it.
void ActivateUnderCursor(HWND c, HWND top) noexcept {
    for (int depth = 0; depth < 256 && c != nullptr; ++depth) {
        char cls[256] = {};
        ::GetClassNameA(c, cls, sizeof cls);
        if (ClassIs(cls, "ComboLBox")) return;
        if (IsFocusClass(cls) || (::GetWindowLongPtrA(c, GWL_STYLE) & WS_VSCROLL)) FocusWindow(c);
        if (IsMdiChild(c)) {
            ::SetForegroundWindow(top);
            ::BringWindowToTop(c);
            return;
        }
        if (::SetForegroundWindow(c)) {
            RaiseAncestors(c);
            return;
        }
        c = ::GetParent(c);
    }
}

// The window under a point, remembered for the notches that follow at the same point: a turn of
// the wheel sends several within moments, and asking the system is the costliest part of a notch
// (under Wine a round trip to its server). Shared by the threads of this program, each taking the
// memo only when no other holds it.
struct UnderPointMemo {
    POINT pt;
    HWND under;
    DWORD tick;
    bool valid;
};
constexpr DWORD kUnderPointMemoMs = 50;
SRWLOCK g_memoLock = SRWLOCK_INIT;
UnderPointMemo g_memo{};

}  // namespace

HWND WindowUnderPoint(POINT pt) noexcept {
    const DWORD now = ::GetTickCount();
    if (::TryAcquireSRWLockExclusive(&g_memoLock)) {
        const UnderPointMemo memo = g_memo;
        ::ReleaseSRWLockExclusive(&g_memoLock);
        if (memo.valid && memo.pt.x == pt.x && memo.pt.y == pt.y && now - memo.tick < kUnderPointMemoMs)
            return memo.under;
    }
    const HWND under = ::WindowFromPoint(pt);
    if (::TryAcquireSRWLockExclusive(&g_memoLock)) {
        g_memo = {pt, under, now, true};
        ::ReleaseSRWLockExclusive(&g_memoLock);
    }
    return under;
}

bool RedirectWheel(const MOUSEHOOKSTRUCTEX& m, bool peeked) noexcept {
    const SharedBlock& b = Block();
    const short delta = static_cast<short>(HIWORD(m.mouseData));
    // The place the wheel turned at, which the message carries (asked again, the cursor may have
    // moved on, and Wine may answer from the X pointer).
    const POINT pt = m.pt;
    const HWND w = WindowUnderPoint(pt);
    const HWND top = TopLevelAncestor(w);
    char topClass[256] = {};
    if (top) ::GetClassNameA(top, topClass, sizeof topClass);
    if (ClassIs(topClass, "Shell_TrayWnd")) {
        if (!b.VD) return false;
        SwitchVirtualScreen(static_cast<short>(delta / WHEEL_DELTA));
        return true;
    }
    if (w != nullptr && w == b.DeskListView) {
        if (!b.Volume) return false;
        // In 64 bits: the step per notch is a setting any process can write.
        const long long step = static_cast<long long>(delta / WHEEL_DELTA) * b.VolumeDelta;
        ChangeVolume(static_cast<int>(step > 65535 ? 65535 : (step < -65535 ? -65535 : step)));
        return true;
    }
    if (w == nullptr) return true;
    // The notch is already on its way to the window under the cursor: it goes on as it is, and
    // what comes with it is done once, when the message is taken rather than peeked at.
    const bool passedOn = w == m.hwnd;
    if (b.RedirectActive && w != ActiveWindowOfItsThread(m.hwnd) && !(passedOn && peeked)) ActivateUnderCursor(w, top);
    if (passedOn) return false;
    ::PostMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                   MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
    return true;
}

}  // namespace quor
