// Another utility's global message hooks, installed before the library's: they count, in a
// section every process shares, the messages the library acts on, so that a test sees whether
// each still reached them. Being in every process, they also set, when asked, the work area of
// the process a window belongs to: under Wine each process keeps a work area of its own.
#include <windows.h>

extern "C" {

struct ChainCounts {
    LONG rollsTaken;
    LONG unrollsTaken;
    LONG restoresPosted;
    LONG minimizedSizes;
    LONG appActivations;
    LONG restoresSent;
};

__attribute__((section(".qchain"), shared)) ChainCounts g_counts = {0, 0, 0, 0, 0, 0};
__attribute__((section(".qchain"), shared)) HHOOK g_messageHook = nullptr;
__attribute__((section(".qchain"), shared)) HHOOK g_windowHook = nullptr;

}  // extern "C"

namespace {

HINSTANCE g_module = nullptr;

// The rectangle comes as its left and top in wParam, its right and bottom in lParam.
void SetWorkArea(WPARAM leftTop, LPARAM rightBottom) {
    RECT area{static_cast<short>(LOWORD(leftTop)), static_cast<short>(HIWORD(leftTop)),
              static_cast<short>(LOWORD(rightBottom)), static_cast<short>(HIWORD(rightBottom))};
    ::SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0);
}

LRESULT CALLBACK ChainGetMsg(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT roll = ::RegisterWindowMessageA("WM_ROLL");
    static const UINT unroll = ::RegisterWindowMessageA("WM_UNROLL");
    static const UINT setWorkArea = ::RegisterWindowMessageA("QChainSetWorkArea");
    if (code >= 0 && lParam != 0 && wParam == PM_REMOVE) {
        const MSG& m = *reinterpret_cast<const MSG*>(lParam);
        if (m.message == roll) ::InterlockedIncrement(&g_counts.rollsTaken);
        if (m.message == unroll) ::InterlockedIncrement(&g_counts.unrollsTaken);
        if (m.message == WM_SYSCOMMAND && m.wParam == SC_RESTORE) ::InterlockedIncrement(&g_counts.restoresPosted);
        if (m.message == setWorkArea) SetWorkArea(m.wParam, m.lParam);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ChainCallWnd(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0 && lParam != 0) {
        const CWPSTRUCT& c = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (c.message == WM_SIZE && c.wParam == SIZE_MINIMIZED) ::InterlockedIncrement(&g_counts.minimizedSizes);
        if (c.message == WM_ACTIVATEAPP && c.wParam != 0) ::InterlockedIncrement(&g_counts.appActivations);
        if (c.message == WM_SYSCOMMAND && c.wParam == SC_RESTORE) ::InterlockedIncrement(&g_counts.restoresSent);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

extern "C" __declspec(dllexport) BOOL ChainInstall() {
    g_counts = {0, 0, 0, 0, 0, 0};
    g_messageHook = ::SetWindowsHookExA(WH_GETMESSAGE, ChainGetMsg, g_module, 0);
    g_windowHook = ::SetWindowsHookExA(WH_CALLWNDPROC, ChainCallWnd, g_module, 0);
    return g_messageHook && g_windowHook;
}

extern "C" __declspec(dllexport) void ChainRemove() {
    if (g_messageHook) ::UnhookWindowsHookEx(g_messageHook);
    if (g_windowHook) ::UnhookWindowsHookEx(g_windowHook);
    g_messageHook = g_windowHook = nullptr;
}

extern "C" __declspec(dllexport) const ChainCounts* ChainCountsSeen() { return &g_counts; }

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = instance;
    return TRUE;
}
