#include "app/resident/hook_thread.h"

#include "hooklib/quordll.h"
#include "platform/message_wait.h"

namespace quor {
namespace {

constexpr char kControlClass[] = "Quorvelle Hook Thread";
// Requests to the hook thread, posted to its window: a modal loop there (an installation's error
// box) would lose messages posted to the thread itself, which take their place only when the
// window could not be made.
constexpr UINT kReinstallRequest = WM_APP + 1;
constexpr UINT kRemoveRequest = WM_APP + 2;
// The first installation normally takes milliseconds; its error boxes wait for the person.
constexpr DWORD kStartWaitMs = INFINITE;

}  // namespace

bool HookThread::Start(HWND frame) noexcept {
    if (thread_) return firstInstalled_;
    frame_ = frame;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ControlProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kControlClass;
    ::RegisterClassA(&wc);
    started_.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!started_) return false;
    thread_.reset(::CreateThread(nullptr, 0, &Run, this, 0, &threadId_));
    if (!thread_) return false;
    // Whatever the installation sends this thread (an error box's owner, a window's answer) is
    // taken meanwhile; a thread that ended without installing is not waited for.
    const HANDLE waitFor[] = {started_.get(), thread_.get()};
    WaitTakingSentMessages(waitFor, 2, kStartWaitMs);
    return firstInstalled_;
}

bool HookThread::Ask(UINT request) noexcept {
    if (!thread_ || ::WaitForSingleObject(thread_.get(), 0) == WAIT_OBJECT_0) return false;
    if (control_) return ::PostMessageA(control_, request, 0, 0) != FALSE;
    return ::PostThreadMessageA(threadId_, request, 0, 0) != FALSE;
}

bool HookThread::Reinstall() noexcept { return Ask(kReinstallRequest); }

void HookThread::Remove(DWORD waitMs) noexcept {
    if (!thread_) return;
    if (Ask(kRemoveRequest)) WaitTakingSentMessages(thread_.get(), waitMs);
    thread_.reset();
    control_ = nullptr;
}

bool HookThread::Serve(UINT request) noexcept {
    switch (request) {
        case kReinstallRequest:
            ::PostMessageA(frame_, WM_HOOKSINSTALLED, ::SetHook() != nullptr ? 1 : 0, 0);
            return true;
        case kRemoveRequest:
            ::UnSetHook();
            return false;
        default: return true;
    }
}

DWORD WINAPI HookThread::Run(void* parameter) noexcept {
    auto* self = static_cast<HookThread*>(parameter);
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue, for requests to the thread itself
    self->control_ = ::CreateWindowExA(0, kControlClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       ::GetModuleHandleA(nullptr), nullptr);
    if (self->control_) ::SetWindowLongPtrA(self->control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->firstInstalled_ = ::SetHook() != nullptr;
    ::SetEvent(self->started_.get());
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == nullptr && (msg.message == kReinstallRequest || msg.message == kRemoveRequest)) {
            if (!self->Serve(msg.message)) break;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (self->control_) ::DestroyWindow(self->control_);
    return 0;
}

LRESULT CALLBACK HookThread::ControlProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<HookThread*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (msg == kReinstallRequest || msg == kRemoveRequest)) {
        if (!self->Serve(msg)) ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace quor
