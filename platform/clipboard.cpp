#include "platform/clipboard.h"

#include <windows.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <new>

#include "platform/message_wait.h"
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

bool OpenedForCopy(HWND owner) noexcept {
    for (int i = 0; i < kOpenTries; ++i) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(kOpenRetryMs);
    }
    return false;
}

// Puts the text on the clipboard, with a hidden window of this thread as its owner while it is
// set: the text stays there after the window and the thread are gone. 0 when done.
DWORD CopyText(const std::string& text) noexcept {
    const unique_hwnd owner(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    const HGLOBAL memory = GlobalText(text);
    if (!owner || !memory || !OpenedForCopy(owner.get())) {
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

std::atomic<bool> g_copying{false};  // a copying thread runs

DWORD WINAPI CopyInThisThread(void* parameter) {
    const std::unique_ptr<std::string> text(static_cast<std::string*>(parameter));
    const DWORD result = CopyText(*text);
    g_copying = false;
    return result;
}

}  // namespace

ClipboardCopy CopyTextToClipboard(std::string text, unsigned waitMs) noexcept {
    // A copy still waiting holds the clipboard open: another would only wait behind it.
    if (g_copying.exchange(true)) return ClipboardCopy::kFailed;
    std::unique_ptr<std::string> parameter(new (std::nothrow) std::string(std::move(text)));
    const unique_handle thread(parameter ? ::CreateThread(nullptr, 0, &CopyInThisThread, parameter.get(), 0, nullptr)
                                         : nullptr);
    if (!thread) {
        g_copying = false;
        return ClipboardCopy::kFailed;
    }
    parameter.release();  // the thread's now, and it clears g_copying when it ends
    if (!WaitTakingSentMessages(thread.get(), waitMs)) return ClipboardCopy::kPending;
    DWORD code = 1;
    return ::GetExitCodeThread(thread.get(), &code) && code == 0 ? ClipboardCopy::kDone : ClipboardCopy::kFailed;
}

}  // namespace quor
