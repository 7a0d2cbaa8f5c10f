#pragma once
// A test with the hooks installed by this process and every setting at a known value.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "hooklib/quordll.h"
#include "tests/wine/support/bench_support.h"

namespace bench {

// A thread that installs the hooks and keeps pumping messages, as the resident program's
// user-interface thread does (the low-level hooks are called on it for every input event).
class ResidentThread {
public:
    ResidentThread();
    ~ResidentThread();  // removes the hooks on that thread and ends it
    ResidentThread(const ResidentThread&) = delete;
    ResidentThread& operator=(const ResidentThread&) = delete;
    HHOOK hook() const { return hook_; }
    // Installs the hooks again on the same thread, as the resident program does when the system
    // dropped them; returns SetHook's result.
    HHOOK Reinstall();

private:
    DWORD threadId_ = 0;
    HHOOK hook_ = nullptr;
    std::atomic<bool> ready_{false};
    std::atomic<bool> ended_{false};
    std::atomic<bool> reinstalled_{false};
    std::atomic<bool> removing_{false};
    std::atomic<bool> removed_{false};
    // Last: the thread starts as soon as it is made, and writes the members above, which must be
    // initialised by then (a member declared after it would be set to its initial value over what
    // the thread wrote).
    std::thread thread_;
};

inline HHOOK ResidentThread::Reinstall() {
    reinstalled_ = false;
    ::PostThreadMessageA(threadId_, WM_APP + 1, 0, 0);
    WaitFor([this] { return reinstalled_.load(); }, 10000);
    return hook_;
}

inline ResidentThread::ResidentThread()
    : thread_([this] {
          MSG msg;
          ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here
          threadId_ = ::GetCurrentThreadId();
          hook_ = SetHook();
          ready_ = true;
          while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
              if (msg.message == WM_APP && msg.hwnd == nullptr) {
                  if (removing_) continue;
                  removing_ = true;
                  UnSetHook();
                  removed_ = true;
                  ::PostQuitMessage(0);
                  continue;
              }
              if (msg.message == WM_APP + 1 && msg.hwnd == nullptr) {
                  hook_ = SetHook();
                  reinstalled_ = true;
                  continue;
              }
              ::TranslateMessage(&msg);
              ::DispatchMessageA(&msg);
          }
          ended_ = true;
      }) {
    WaitFor([this] { return ready_.load(); }, 10000);
}

inline ResidentThread::~ResidentThread() {
    // Asked again every half second: a modal loop running on that thread (a menu, a move) drops
    // thread messages.
    bool ended = false;
    for (int attempt = 0; attempt < 20 && !ended; ++attempt) {
        if (!removing_) ::PostThreadMessageA(threadId_, WM_APP, 0, 0);
        ended = WaitFor([this] { return ended_.load(); }, 500);
    }
    if (!ended) {
        // What the thread was doing: a modal loop shows in its flags; a thread that answers a
        // sent message is taking messages, only not ours.
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(threadId_, &info);
        DWORD_PTR ignored = 0;
        const HWND dummy = Block().DummyWnd;
        const bool answers =
            dummy && ::SendMessageTimeoutA(dummy, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0;
        std::string windows;
        ::EnumThreadWindows(threadId_, [](HWND w, LPARAM out) {
            char cls[64] = {}, title[128] = {};
            ::GetClassNameA(w, cls, sizeof cls);
            ::GetWindowTextA(w, title, sizeof title);
            *reinterpret_cast<std::string*>(out) += std::string(" [") + cls + " \"" + title + "\"" +
                                                     (::IsWindowVisible(w) ? " visible]" : "]");
            return TRUE;
        }, reinterpret_cast<LPARAM>(&windows));
        ADD_FAILURE() << "the resident thread did not end: "
                      << (removed_ ? "after UnSetHook" : removing_ ? "inside UnSetHook" : "UnSetHook never ran")
                      << "; thread flags " << info.flags << ", capture " << info.hwndCapture << ", its window "
                      << (answers ? "answers" : "does not answer") << "; its windows:" << windows;
        thread_.detach();
        return;
    }
    thread_.join();
}


inline void ResetSettings() {
    SetUnAvailable(0);
    SetAllowSnap(1);
    SetSnap(20);
    SetAllowSnapInside(0);
    SetAllowOut(1);
    SetAllowTaskBar(0);
    SetSizeExt(0);
    SetDisableClose(0);
    SetDisableMax(0);
    SetDisableMin(0);
    SetTransparent(0);
    SetRedirect(0);
    SetRedirectActive(0);
    SetExpUp(0);
    SetAutoArrange(0);
    SetDeskIconText(0);
    SetDeskIconTextBk(0);
    SetTaskTray(1);
    SetnIgnore(0);
    SetnIgnoreExe(0);
    for (int slot = 0; slot < quor::kMouseCutSlots; ++slot) SetMouseCut(slot, GetMouseCutCmd(0));
    SetShowDesk(0);
    Block().CrossThreadDragForTests = 0;
    for (auto setter : {SetDisableKeyWin, SetDisableKeyIns, SetDisableKeyAlt, SetDisableKeyMenu, SetDisableKeyCaps,
                        SetDisableKeyHankaku, SetDisableKeyKana, SetDisableKeyF1})
        setter(0);
    SetSoftLaser(0);
    // The block outlives each test program while any program keeps the library mapped (the bench's
    // keeper does): every test starts from empty window tables.
    quor::SharedBlock& b = Block();
    b.nRolled = 0;
    b.nAlphaTable = 0;
    b.nHidden = b.nHiddenSaved = 0;
    b.VDScreen = 0;
    for (auto& w : b.TrayWnd) w = nullptr;
    b.TrayHigh = 0;
}

// A slot's command seen from outside: the slot holds the command line "qmark.exe N", a helper
// that stores N in the library's ShowDesk (a setting the library itself never reads), N being
// 100 + the slot; the command ran once ShowDesk says so.
constexpr int kMarkBase = 100;

inline void SetMarkingSlot(int slot) {
    SetMouseCut(slot, ("qmark.exe " + std::to_string(kMarkBase + slot)).c_str());
}
inline bool SlotRan(int slot, int timeoutMs = 5000) {
    return WaitFor([&] { return Block().ShowDesk == kMarkBase + slot; }, timeoutMs);
}
// What ran, for a failure's message.
inline std::string WhatRan() {
    const int marked = Block().ShowDesk;
    return marked == 0 ? " (nothing ran)" : " (slot " + std::to_string(marked - kMarkBase) + " ran)";
}
// No command ran within a while: what should not happen is given the time it would take.
inline bool NothingRan(int timeoutMs = 1500) {
    return !WaitFor([] { return Block().ShowDesk != 0; }, timeoutMs);
}

class HookedTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        resident_ = std::make_unique<ResidentThread>();
        ASSERT_NE(resident_->hook(), nullptr);
    }
    void TearDown() override {
        // Release anything a failed step left pressed.
        MouseButton(MOUSEEVENTF_LEFTUP);
        resident_.reset();
        ResetSettings();
    }
    std::unique_ptr<ResidentThread> resident_;
};

}  // namespace bench
