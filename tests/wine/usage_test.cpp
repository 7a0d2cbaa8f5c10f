// The low-level mouse hook: usage statistics counted from real input, and the mouse cleaning
// mode, in which no mouse event reaches any window.
#include "tests/wine/support/hooked_fixture.h"

#include <cmath>
#include <ctime>

namespace {

using bench::TargetProcess;

constexpr auto At = bench::WindowAt;

class UsageTest : public bench::HookedTest {
protected:
    void TearDown() override {
        SetIgnoreMouse(0);
        bench::HookedTest::TearDown();
    }
    static bool CursorSeenAt(int x, int y) {
        const quor::SharedBlock& b = bench::Block();
        return bench::WaitFor([&] { return b.LastMouseX == x && b.LastMouseY == y; }, 3000);
    }
};

TEST_F(UsageTest, TravelIsCountedBetweenKnownPositions) {
    quor::SharedBlock& b = bench::Block();
    resident_->Reinstall();  // no previous position
    const double start = b.StatMouseMove;
    bench::MoveMouse(300, 300);
    ASSERT_TRUE(CursorSeenAt(300, 300));
    EXPECT_EQ(b.StatMouseMove, start) << "1. the first move after installation counts no travel";
    bench::MoveMouse(303, 304);
    ASSERT_TRUE(CursorSeenAt(303, 304));
    EXPECT_DOUBLE_EQ(b.StatMouseMove, start + 5) << "2. the second adds its distance";
    bench::MoveMouse(0, 0);
    ASSERT_TRUE(CursorSeenAt(0, 0));
    bench::MoveMouse(30, 40);
    ASSERT_TRUE(CursorSeenAt(30, 40));
    EXPECT_DOUBLE_EQ(b.StatMouseMove, start + 5 + std::hypot(303.0, 304.0)) << "3. a move from (0, 0) adds nothing";
}

TEST_F(UsageTest, TimeOfUseCountsGapsUnderTenMinutes) {
    quor::SharedBlock& b = bench::Block();
    bench::MoveMouse(300, 300);
    ASSERT_TRUE(CursorSeenAt(300, 300));
    // The previous move's time is the clock the hook compares with.
    unsigned before = b.StatTotalTime;
    b.LastActivity = _time64(nullptr) - 3;
    bench::MoveMouse(310, 300);
    ASSERT_TRUE(CursorSeenAt(310, 300));
    const unsigned added = b.StatTotalTime - before;
    EXPECT_TRUE(added == 3 || added == 4) << "1. a gap of 3 s (4 if a second turned meanwhile): " << added;
    before = b.StatTotalTime;
    b.LastActivity = _time64(nullptr) - 700;
    bench::MoveMouse(320, 300);
    ASSERT_TRUE(CursorSeenAt(320, 300));
    EXPECT_EQ(b.StatTotalTime, before) << "2. after a pause of 700 s nothing is added";
    EXPECT_GE(b.LastActivity, _time64(nullptr) - 1) << "2. but the move is the new previous one";
}

TEST_F(UsageTest, PressesAndNotchesAreCounted) {
    TargetProcess target(At("usage presses", {100, 100, 500, 400}));
    const quor::SharedBlock& b = bench::Block();
    unsigned before[quor::kStatMouseCount];
    for (int i = 0; i < quor::kStatMouseCount; ++i) before[i] = b.StatMouse[i];
    bench::Click(300, 250);
    bench::Click(300, 250, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    bench::Click(300, 250, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    bench::Wheel(300, 250, WHEEL_DELTA);
    bench::Wheel(300, 250, -3 * WHEEL_DELTA);
    bench::Wheel(300, 250, 0);
    const unsigned expected[quor::kStatMouseCount] = {1, 1, 1, 1, 2};
    EXPECT_TRUE(bench::WaitFor([&] {
        for (int i = 0; i < quor::kStatMouseCount; ++i)
            if (b.StatMouse[i] - before[i] != expected[i]) return false;
        return true;
    })) << "left " << b.StatMouse[0] - before[0] << ", middle " << b.StatMouse[1] - before[1] << ", right "
        << b.StatMouse[2] - before[2] << ", away " << b.StatMouse[3] - before[3] << ", towards "
        << b.StatMouse[4] - before[4];
}

TEST_F(UsageTest, MouseCleaningKeepsEveryEventFromWindowsButCountsIt) {
    TargetProcess target(At("usage cleaning", {100, 100, 500, 400}));
    const quor::SharedBlock& b = bench::Block();
    SetIgnoreMouse(1);
    target.ResetCounts();
    const unsigned presses = b.StatMouse[0];
    const double travel = b.StatMouseMove;
    bench::MoveMouse(250, 200);
    bench::Click(300, 250);
    bench::Wheel(300, 250, WHEEL_DELTA);
    ASSERT_TRUE(bench::WaitFor([&] { return b.StatMouse[0] == presses + 1; })) << "1. the press is counted";
    EXPECT_GT(b.StatMouseMove, travel) << "1. and the travel";
    SetIgnoreMouse(0);
    bench::Click(300, 250);
    EXPECT_TRUE(bench::WaitFor([&] { return target.Count(WM_LBUTTONUP) == 1; })) << "2. cleaning over, a click";
    EXPECT_EQ(target.Count(WM_LBUTTONDOWN), 1) << "1. no press reached the window while cleaning";
    EXPECT_EQ(target.Count(WM_MOUSEWHEEL), 0) << "1. nor the wheel";

    // 3. A program that ended during the cleaning leaves none to the next installation.
    SetIgnoreMouse(1);
    resident_->Reinstall();
    EXPECT_EQ(b.IgnoreMouse, 0) << "3. installing the hooks again ends the cleaning";
}

}  // namespace
