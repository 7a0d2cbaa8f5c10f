#include "platform/clipboard.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "platform/unique_any.h"

namespace quor {
namespace {

HGLOBAL GlobalText(const std::string& text) noexcept {
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!memory) return nullptr;
    void* bytes = ::GlobalLock(memory);
    if (!bytes) {
        ::GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    return memory;
}

// Another program (a clipboard manager, or one reading what it was told changed) may hold the
// clipboard open for a moment: it is asked again.
constexpr int kOpenTries = 50;
constexpr DWORD kOpenRetryMs = 20;

bool OpenedWithin(HWND owner, int tries) noexcept {
    for (int i = 0; i < tries; ++i) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(kOpenRetryMs);
    }
    return false;
}

// Runs in the copying thread: a hidden window of its own owns the clipboard while the text is set.
// The text stays on the clipboard after the window and the thread are gone.
DWORD WINAPI CopyInThisThread(void* parameter) {
    const std::unique_ptr<std::string> text(static_cast<std::string*>(parameter));
    const unique_hwnd owner(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    const HGLOBAL memory = GlobalText(*text);
    if (!owner || !memory || !OpenedWithin(owner.get(), kOpenTries)) {
        if (memory) ::GlobalFree(memory);
        return 1;
    }
    ::EmptyClipboard();
    // Once set, the memory belongs to the clipboard.
    const bool set = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    ::CloseClipboard();
    if (!set) ::GlobalFree(memory);
    return set ? 0 : 1;
}

// Waits for `thread` while taking only the messages sent to this thread: its windows' own input
// and posted messages wait, so nothing of this program runs again in the middle of the caller.
bool EndsWithin(HANDLE thread, unsigned waitMs) noexcept {
    const DWORD started = ::GetTickCount();
    for (;;) {
        const DWORD spent = ::GetTickCount() - started;
        if (spent >= waitMs) return false;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &thread, FALSE, waitMs - spent, QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

bool CopyTextToClipboard(std::string text, unsigned waitMs) noexcept {
    std::unique_ptr<std::string> parameter(new (std::nothrow) std::string(std::move(text)));
    if (!parameter) return false;
    const unique_handle thread(::CreateThread(nullptr, 0, &CopyInThisThread, parameter.get(), 0, nullptr));
    if (!thread) return false;
    parameter.release();  // the thread's now
    DWORD code = 1;
    return EndsWithin(thread.get(), waitMs) && ::GetExitCodeThread(thread.get(), &code) && code == 0;
}

}  // namespace quor
