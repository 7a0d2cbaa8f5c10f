#include "hooklib/window/visible_frame.h"

#include <atomic>
#include <cstdint>

#include "hooklib/window/window_query.h"

namespace quor {
namespace {

constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
constexpr int kPerMonitorAware = 2;        // DPI_AWARENESS_PER_MONITOR_AWARE

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE: a thread in it sees every window in physical pixels.
const HANDLE kPerMonitorContext = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-3));

// Functions of newer systems, looked up by name so that the library loads on every system.
struct SystemFrameCalls {
    HRESULT(WINAPI* getAttribute)(HWND, DWORD, PVOID, DWORD);
    BOOL(WINAPI* logicalToPhysical)(HWND, LPPOINT);
    HANDLE(WINAPI* threadDpiContext)();
    HANDLE(WINAPI* setThreadDpiContext)(HANDLE);
    int(WINAPI* awarenessOf)(HANDLE);
};

template <typename F>
void Resolve(F& function, HMODULE module, const char* name) noexcept {
    function = module ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// The window manager's library, from the system folder only: we run inside other programs, whose
// own folders may hold a file of that name.
HMODULE SystemDwmLibrary() noexcept {
    if (HMODULE loaded = ::GetModuleHandleW(L"dwmapi.dll")) return loaded;
    wchar_t path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    constexpr wchar_t kName[] = L"\\dwmapi.dll";
    if (length == 0 || length + sizeof kName / sizeof kName[0] > MAX_PATH) return nullptr;
    for (size_t i = 0; i < sizeof kName / sizeof kName[0]; ++i) path[length + i] = kName[i];
    return ::LoadLibraryW(path);
}

// Looked up once per process, at its first drag.
const SystemFrameCalls& Calls() noexcept {
    static const SystemFrameCalls calls = [] {
        SystemFrameCalls c{};
        Resolve(c.getAttribute, SystemDwmLibrary(), "DwmGetWindowAttribute");
        const HMODULE user = ::GetModuleHandleW(L"user32.dll");
        Resolve(c.logicalToPhysical, user, "LogicalToPhysicalPointForPerMonitorDPI");
        Resolve(c.threadDpiContext, user, "GetThreadDpiAwarenessContext");
        Resolve(c.setThreadDpiContext, user, "SetThreadDpiAwarenessContext");
        Resolve(c.awarenessOf, user, "GetAwarenessFromDpiAwarenessContext");
        return c;
    }();
    return calls;
}

// A thread aware of each monitor's DPI sees physical pixels, as the frame bounds are given.
bool SeesPhysicalPixels(const SystemFrameCalls& c) noexcept {
    return c.threadDpiContext && c.awarenessOf && c.awarenessOf(c.threadDpiContext()) == kPerMonitorAware;
}

// The window rectangle in physical pixels, for a thread that sees it scaled: read in the
// per-monitor context where the system has one (Windows 10 1607 and later), else converted
// corner by corner (Windows 8.1).
bool PhysicalWindowRect(const SystemFrameCalls& c, HWND window, const RECT& own, Rect& physical) noexcept {
    if (c.setThreadDpiContext) {
        const HANDLE previous = c.setThreadDpiContext(kPerMonitorContext);
        RECT r{};
        const BOOL read = previous != nullptr && ::GetWindowRect(window, &r);
        if (previous != nullptr) c.setThreadDpiContext(previous);
        physical = ToRect(r);
        return read != FALSE;
    }
    if (!c.logicalToPhysical) return false;
    POINT topLeft{own.left, own.top}, bottomRight{own.right, own.bottom};
    if (!c.logicalToPhysical(window, &topLeft) || !c.logicalToPhysical(window, &bottomRight)) return false;
    physical = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return true;
}

Insets SystemFrameInsets(HWND window, const RECT& windowRect) noexcept {
    const SystemFrameCalls& c = Calls();
    RECT frame{};
    // Fails without composition, on older systems and under Wine: the frame is the window rectangle.
    if (!c.getAttribute || FAILED(c.getAttribute(window, kExtendedFrameBounds, &frame, sizeof frame)))
        return kNoInsets;
    const Rect own = ToRect(windowRect);
    // Where nothing converts (Windows 7), a scaled rectangle is told apart by the frame not lying
    // within a border of it, and gets no insets.
    if (SeesPhysicalPixels(c) || (!c.setThreadDpiContext && !c.logicalToPhysical))
        return InsetsBetween(own, ToRect(frame));
    Rect physical{};
    if (!PhysicalWindowRect(c, window, windowRect, physical)) return kNoInsets;
    return InsetsInOwnUnits(own, physical, ToRect(frame));
}

std::atomic<FrameInsetsProvider> g_provider{nullptr};

}  // namespace

Insets FrameInsetsOf(HWND window, const RECT& windowRect) noexcept {
    const FrameInsetsProvider provider = g_provider.load(std::memory_order_acquire);
    return provider ? provider(window, windowRect) : SystemFrameInsets(window, windowRect);
}

void SetFrameInsetsProvider(FrameInsetsProvider provider) noexcept {
    g_provider.store(provider, std::memory_order_release);
}

}  // namespace quor
