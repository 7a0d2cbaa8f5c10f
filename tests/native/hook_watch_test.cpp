#include "app/resident/hook_watch.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(HookWatch, LostOnlyWhenRealInputMovedTheCursorAndNothingWasCounted) {
    const InputSample before{1000, 300, 300, 5000.0};
    EXPECT_TRUE(LowLevelHooksLost(before, {1500, 320, 300, 5000.0}));
    EXPECT_FALSE(LowLevelHooksLost(before, {1500, 320, 300, 5020.0})) << "the hook counted the move";
    EXPECT_FALSE(LowLevelHooksLost(before, {1000, 320, 300, 5000.0})) << "moved by a program: no input";
    EXPECT_FALSE(LowLevelHooksLost(before, {1500, 300, 300, 5000.0})) << "keys only: the cursor stayed";
    EXPECT_FALSE(LowLevelHooksLost(before, before)) << "nothing happened";
}

}  // namespace
}  // namespace quor
