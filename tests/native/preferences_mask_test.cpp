#include "app/tools/preferences_mask.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

TEST(PreferencesMask, AutoRaiseIsOnOnlyWithBothBits) {
    EXPECT_TRUE(IsAutoRaiseEnabled({0x41, 0, 0, 0}));
    EXPECT_TRUE(IsAutoRaiseEnabled({0xFF, 0x3E, 0x00, 0x80, 0x12, 0, 0, 0}));
    EXPECT_FALSE(IsAutoRaiseEnabled({0x01, 0xFF, 0xFF, 0xFF})) << "tracking without raising";
    EXPECT_FALSE(IsAutoRaiseEnabled({0x40, 0xFF, 0xFF, 0xFF})) << "raising without tracking";
    EXPECT_FALSE(IsAutoRaiseEnabled({})) << "no mask";
    EXPECT_FALSE(IsAutoRaiseEnabled(DefaultPreferencesMask())) << "the default is off";
}

TEST(PreferencesMask, WithoutAValueTheDefaultBytesAreTaken) {
    EXPECT_EQ(DefaultPreferencesMask(), (PreferencesMask{0x9E, 0x3E, 0x00, 0x80}));
    EXPECT_EQ(MaskOrDefault({}), DefaultPreferencesMask());
    EXPECT_EQ(MaskOrDefault({0x01}), PreferencesMask{0x01}) << "a value of one byte is the user's";
    EXPECT_EQ(WithAutoRaise({}, true), (PreferencesMask{0xDF, 0x3E, 0x00, 0x80}));
}

TEST(PreferencesMask, OnlyTheTwoBitsOfTheFirstByteChange) {
    EXPECT_EQ(WithAutoRaise({0x9E, 0x3E, 0x07, 0x80}, true), (PreferencesMask{0xDF, 0x3E, 0x07, 0x80}));
    EXPECT_EQ(WithAutoRaise({0xFF, 0xFF, 0xFF, 0xFF}, false), (PreferencesMask{0xBE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(WithAutoRaise({0x41, 0x00, 0x00, 0x00}, false), (PreferencesMask{0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(WithAutoRaise({0xDF}, true), PreferencesMask{0xDF}) << "already on";
}

TEST(PreferencesMask, ALongMaskKeepsEveryFurtherByte) {
    const PreferencesMask eight{0x90, 0x12, 0x03, 0x80, 0x10, 0x00, 0x00, 0x00};
    EXPECT_EQ(WithAutoRaise(eight, true), (PreferencesMask{0xD1, 0x12, 0x03, 0x80, 0x10, 0x00, 0x00, 0x00}));
    EXPECT_EQ(WithAutoRaise(WithAutoRaise(eight, true), false),
              (PreferencesMask{0x90, 0x12, 0x03, 0x80, 0x10, 0x00, 0x00, 0x00}))
        << "on and off again gives the value back";
    PreferencesMask twelve(12, 0xA5);
    const PreferencesMask changed = WithAutoRaise(twelve, true);
    ASSERT_EQ(changed.size(), 12u);
    EXPECT_EQ(changed[0], 0xE5);
    EXPECT_EQ(PreferencesMask(changed.begin() + 1, changed.end()), PreferencesMask(11, 0xA5));
}

}  // namespace
}  // namespace quor
