#include "hooklib/window/visible_frame.h"

#include <atomic>

#include "hooklib/window/window_query.h"

namespace quor {
namespace {

constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS
constexpr int kPerMonitorAware = 2;        // DPI_AWARENESS_PER_MONITOR_AWARE

// Functions of newer systems, looked up by name so that the library loads on every system.
struct SystemFrameCalls {
    HRESULT(WINAPI* getAttribute)(HWND, DWORD, PVOID, DWORD);
    BOOL(WINAPI* logicalToPhysical)(HWND, LPPOINT);
    HANDLE(WINAPI* threadDpiContext)();
    int(WINAPI* awarenessOf)(HANDLE);
};

template <typename F>
void Resolve(F& function, HMODULE module, const char* name) noexcept {
    function = module ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// Looked up once per process, at its first drag.
const SystemFrameCalls& Calls() noexcept {
    static const SystemFrameCalls calls = [] {
        SystemFrameCalls c{};
        Resolve(c.getAttribute, ::LoadLibraryW(L"dwmapi.dll"), "DwmGetWindowAttribute");
        const HMODULE user = ::GetModuleHandleW(L"user32.dll");
        Resolve(c.logicalToPhysical, user, "LogicalToPhysicalPointForPerMonitorDPI");
        Resolve(c.threadDpiContext, user, "GetThreadDpiAwarenessContext");
        Resolve(c.awarenessOf, user, "GetAwarenessFromDpiAwarenessContext");
        return c;
    }();
    return calls;
}

// A thread aware of each monitor's DPI sees physical pixels, as the frame bounds are given.
bool SeesPhysicalPixels(const SystemFrameCalls& c) noexcept {
    return c.threadDpiContext && c.awarenessOf && c.awarenessOf(c.threadDpiContext()) == kPerMonitorAware;
}

Insets SystemFrameInsets(HWND window, const RECT& windowRect) noexcept {
    const SystemFrameCalls& c = Calls();
    RECT frame{};
    // Fails without composition, on older systems and under Wine: the frame is the window rectangle.
    if (!c.getAttribute || FAILED(c.getAttribute(window, kExtendedFrameBounds, &frame, sizeof frame)))
        return kNoInsets;
    const Rect own = ToRect(windowRect);
    if (SeesPhysicalPixels(c) || !c.logicalToPhysical) return InsetsBetween(own, ToRect(frame));
    // The frame is in physical pixels and this thread's rectangle is scaled: the insets are taken
    // in physical pixels and scaled to this thread's units.
    POINT topLeft{windowRect.left, windowRect.top}, bottomRight{windowRect.right, windowRect.bottom};
    if (!c.logicalToPhysical(window, &topLeft) || !c.logicalToPhysical(window, &bottomRight)) return kNoInsets;
    const Rect physical{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    return InsetsAtDpi(InsetsBetween(physical, ToRect(frame)), DpiFromWidths(physical.width(), own.width()));
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
