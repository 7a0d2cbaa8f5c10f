#pragma once
// The thread the input hooks live on. The system calls a low-level hook on the thread that
// installed it, and every mouse move and key press of the desktop waits for that call; the
// callbacks of the message and mouse hooks for programs the library cannot be mapped into come
// there too. So this thread takes only the hooks' calls and the messages of the library's hidden
// window: no dialog, no file and no wait on another program ever runs on it.
#include <windows.h>

#include "platform/unique_any.h"

namespace quor {

// Posted to the frame when an installation asked of the hook thread is done: wParam is 1 when
// every hook is in.
inline constexpr UINT WM_HOOKSINSTALLED = WM_APP + 104;

class HookThread {
public:
    HookThread() = default;
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;
    ~HookThread() { Remove(kRemoveWaitMs); }

    // Starts the thread and installs the hooks from it. False when the thread did not start or
    // the installation failed (which showed its errors); the thread runs on either way, since a
    // partial installation leaves hooks to remove.
    bool Start(HWND frame) noexcept;
    // Installs the hooks again from that thread, for those the system took away; `frame` hears
    // WM_HOOKSINSTALLED. False when the thread has ended or cannot be asked.
    bool Reinstall() noexcept;
    // Removes the hooks from that thread and ends it, waiting for it `waitMs` at most.
    void Remove(DWORD waitMs) noexcept;

    // Removal gives rolled-up and hidden windows back and may show an error box: it is waited for.
    static constexpr DWORD kRemoveWaitMs = INFINITE;

private:
    static DWORD WINAPI Run(void* parameter) noexcept;
    static LRESULT CALLBACK ControlProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
    // Carries out a request; false when the thread is to end.
    bool Serve(UINT request) noexcept;
    // Asks the thread: through its window, or to the thread itself when the window could not be made.
    bool Ask(UINT request) noexcept;

    HWND frame_ = nullptr;
    HWND control_ = nullptr;  // the thread's message-only window, which takes the requests
    unique_handle thread_;
    unique_handle started_;   // set once the first installation is done
    DWORD threadId_ = 0;
    bool firstInstalled_ = false;
};

}  // namespace quor
