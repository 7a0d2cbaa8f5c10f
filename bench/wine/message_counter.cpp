// A message hook for one thread of another process: counts the messages that thread takes from
// its queue, in a section every process that maps this library shares.
#include <windows.h>

extern "C" {

struct MessageCounts {
    LONG total;
    LONG timers;
    LONG timerById[16];  // WM_TIMER by its id, ids from 16 up in the last slot
};

__attribute__((section(".QCNT"), shared)) MessageCounts g_counts = {};

__declspec(dllexport) LRESULT CALLBACK CountTakenMessages(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        ::InterlockedIncrement(&g_counts.total);
        if (msg->message == WM_TIMER) {
            ::InterlockedIncrement(&g_counts.timers);
            const UINT_PTR slot = msg->wParam < 15 ? msg->wParam : 15;
            ::InterlockedIncrement(&g_counts.timerById[slot]);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

__declspec(dllexport) MessageCounts* TakenMessageCounts() { return &g_counts; }

}  // extern "C"
