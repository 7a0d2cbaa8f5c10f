#pragma once
// A test with the hooks installed by this process and every setting at a known value.
#include <gtest/gtest.h>

#include <memory>

#include "hooklib/quordll.h"
#include "tests/wine/support/bench_support.h"

namespace bench {

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
}

class HookedTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSettings();
        resident_ = std::make_unique<ResidentThread>();
        ASSERT_NE(resident_->hook(), nullptr);
        Block().ExecutorCalls = 0;
        Block().ExecutorLastSlot = -1;
    }
    void TearDown() override {
        // Release anything a failed step left pressed.
        MouseButton(MOUSEEVENTF_LEFTUP);
        resident_.reset();
        ResetSettings();
    }
    std::unique_ptr<ResidentThread> resident_;
    static int ExecutorCalls() { return Block().ExecutorCalls; }
    static int LastSlot() { return Block().ExecutorLastSlot; }
    static HWND LastWindow() { return Block().ExecutorLastWnd; }
};

}  // namespace bench
