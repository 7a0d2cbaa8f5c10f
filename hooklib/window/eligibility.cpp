#include <cstring>

#include "hooklib/window/eligibility.h"

#include <commctrl.h>
#include <psapi.h>

#include "hooklib/core/shared_block.h"
#include "hooklib/window/alpha_roll.h"
#include "hooklib/window/exclusion_rules.h"
#include "hooklib/window/window_query.h"
#include "platform/unique_any.h"

namespace quor {
namespace {

LONG_PTR ExStyle(HWND window) noexcept { return ::GetWindowLongPtrA(window, GWL_EXSTYLE); }
LONG_PTR Style(HWND window) noexcept { return ::GetWindowLongPtrA(window, GWL_STYLE); }

bool ExcludedByClass(const SharedBlock& b, const char* cls) noexcept {
    const int count = CountOf(b.nIgnore, kIgnoreEntries);
    for (int i = 0; i < count; ++i)
        if (ClassMatchesIgnoreEntry(cls, SlotText(b.Ignore[i]))) return true;
    return false;
}

// Full path of the module that created the window; empty when it cannot be read.
void CreatorModulePath(HWND window, char (&path)[kTextSlot]) noexcept {
    path[0] = '\0';
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    unique_handle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) return;
    auto module = reinterpret_cast<HMODULE>(::GetWindowLongPtrA(window, GWLP_HINSTANCE));
    if (!::GetModuleFileNameExA(process.get(), module, path, sizeof path)) path[0] = '\0';
}

bool ExcludedByExecutable(const SharedBlock& b, HWND window) noexcept {
    const int count = CountOf(b.nIgnoreExe, kIgnoreEntries);
    if (count == 0) return false;  // no entry: the path is not needed
    char path[kTextSlot];
    CreatorModulePath(window, path);
    for (int i = 0; i < count; ++i)
        if (PathMatchesIgnoreExe(path, SlotText(b.IgnoreExe[i]))) return true;
    return false;
}

// A list-view hit test whose record lives in `process`'s memory, where the list view can read it.
class ForeignHitTest {
public:
    explicit ForeignHitTest(DWORD pid) noexcept
        : process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)) {
        if (process_)
            remote_ = ::VirtualAllocEx(process_.get(), nullptr, sizeof(LVHITTESTINFO), MEM_COMMIT | MEM_RESERVE,
                                       PAGE_READWRITE);
    }
    ~ForeignHitTest() {
        if (remote_) ::VirtualFreeEx(process_.get(), remote_, 0, MEM_RELEASE);
    }
    ForeignHitTest(const ForeignHitTest&) = delete;
    ForeignHitTest& operator=(const ForeignHitTest&) = delete;

    bool Run(HWND listView, LVHITTESTINFO& info, LRESULT& index) noexcept {
        if (!remote_ || !::WriteProcessMemory(process_.get(), remote_, &info, sizeof info, nullptr)) return false;
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(listView, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(remote_), SMTO_ABORTIFHUNG,
                                   kForeignSendTimeoutMs, &result))
            return false;
        if (!::ReadProcessMemory(process_.get(), remote_, &info, sizeof info, nullptr)) return false;
        index = static_cast<LRESULT>(static_cast<INT_PTR>(result));
        return true;
    }

private:
    unique_handle process_;
    void* remote_ = nullptr;
};

// Sends the hit test; false when the list view did not answer.
bool HitTest(HWND listView, LVHITTESTINFO& info, LRESULT& index) noexcept {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(listView, &pid);
    if (pid != ::GetCurrentProcessId()) return ForeignHitTest(pid).Run(listView, info, index);
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(listView, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info), SMTO_ABORTIFHUNG,
                               kForeignSendTimeoutMs, &result))
        return false;
    index = static_cast<LRESULT>(static_cast<INT_PTR>(result));
    return true;
}

}  // namespace

bool IsEligibleWindow(HWND window) noexcept {
    SharedBlock& b = Block();
    char cls[kTextSlot] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    b.DragIsChild = 0;
    const LONG_PTR style = Style(window);
    const LONG_PTR exStyle = ExStyle(window);
    if ((style & WS_MAXIMIZE) && !IsRolledUp(window)) return false;
    if (ExcludedByClass(b, cls)) return false;
    if (ExcludedByExecutable(b, window)) return false;
    if (b.AllowTaskBar && std::strcmp(cls, "Shell_TrayWnd") == 0) return false;
    if ((exStyle & WS_EX_TOOLWINDOW) && IsDockingToolClass(cls)) return false;
    if (!(style & WS_CHILD)) return true;
    if (exStyle & WS_EX_MDICHILD) {
        char title[kTextSlot] = {};
        TitleWithoutWaiting(TopLevelAncestor(window), title, kTextSlot);
        if (IsExcludedMdiFrameTitle(title)) return false;
        b.DragIsChild = 1;
        return true;
    }
    return false;
}

HWND TopLevelAncestor(HWND window) noexcept {
    // Bounded: an owner chain cannot be longer than the windows there are, but never trust it.
    for (int depth = 0; depth < 256; ++depth) {
        HWND parent = ::GetParent(window);
        if (!parent) return window;
        window = parent;
    }
    return window;
}

bool IsResponsive(HWND window) noexcept {
    if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) return true;
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kForeignSendTimeoutMs, &ignored) != 0;
}

bool IsTopmost(HWND window) noexcept { return (ExStyle(window) & WS_EX_TOPMOST) != 0; }
bool IsMdiChild(HWND window) noexcept { return (ExStyle(window) & WS_EX_MDICHILD) != 0; }
bool IsToolWindow(HWND window) noexcept { return (ExStyle(window) & WS_EX_TOOLWINDOW) != 0; }
bool HasMaximizeBox(HWND window) noexcept { return (Style(window) & WS_MAXIMIZEBOX) != 0; }

bool HasMinimizeBox(HWND window) noexcept {
    return !ClassNameIs(window, "NetUIHWND") && (Style(window) & WS_MINIMIZEBOX) != 0;
}

bool IsTaskbarWindow(HWND window) noexcept { return ClassNameIs(TopLevelAncestor(window), "Shell_TrayWnd"); }

bool IsIconAtPoint(HWND listView, POINT pt) noexcept {
    RECT r{};
    ::GetWindowRect(listView, &r);
    LVHITTESTINFO info{};
    info.pt = {pt.x - r.left, pt.y - r.top};
    LRESULT index = -1;
    if (!HitTest(listView, info, index)) return true;
    if (index == -1) return false;
    if ((Style(listView) & LVS_TYPEMASK) == LVS_REPORT) return true;
    return info.flags == LVHT_ONITEMICON || info.flags == LVHT_ONITEMLABEL;
}

void TitleWithoutWaiting(HWND window, char* title, int size) noexcept {
    if (size <= 0) return;
    title[0] = '\0';
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(window, &process);
    // The system's copy of the title for a window of another process, with no message at all;
    // another thread of this process would be sent WM_GETTEXT and waited for.
    if (thread == ::GetCurrentThreadId() || process != ::GetCurrentProcessId()) {
        ::GetWindowTextA(window, title, size);
    } else {
        DWORD_PTR length = 0;
        if (!::SendMessageTimeoutA(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(title),
                                   SMTO_ABORTIFHUNG, kForeignSendTimeoutMs, &length))
            title[0] = '\0';
    }
    title[size - 1] = '\0';
}

}  // namespace quor
