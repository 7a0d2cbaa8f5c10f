// Keeps the bench's Wine desktop open between test programs: the Wine server closes a desktop
// a second after its last program leaves, and a desktop made anew for each test program sends
// stray mouse moves while it comes up. A hidden window (never a target, never hit) is enough.
#include <windows.h>

int main() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuorBenchKeeper";
    ::RegisterClassA(&wc);
    if (!::CreateWindowExA(0, wc.lpszClassName, "bench keeper", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr))
        return 1;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    return 0;
}
