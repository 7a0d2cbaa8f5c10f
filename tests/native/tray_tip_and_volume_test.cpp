#include <gtest/gtest.h>

#include "hooklib/window/tray_tip.h"
#include "platform/volume_scale.h"

namespace quor {
namespace {

TEST(TrayTip, CutOnACharacterBoundaryOfCodePage932) {
    // "あ" is 0x82 0xA0 in code page 932; a run of them never splits.
    std::string title;
    for (int i = 0; i < 70; ++i) title += "\x82\xa0";
    EXPECT_EQ(DoubleByteSafeLength(title, 127, IsCp932LeadByte), 126u) << "63 whole characters, not 63.5";
    EXPECT_EQ(DoubleByteSafeLength("a" + title, 127, IsCp932LeadByte), 127u) << "1 + 63 × 2";
    EXPECT_EQ(DoubleByteSafeLength(std::string(200, 'x'), 127, IsCp932LeadByte), 127u);
    EXPECT_EQ(DoubleByteSafeLength("short", 127, IsCp932LeadByte), 5u);
    // Half-width katakana (0xA1-0xDF) are single bytes; a trailing byte may look like a lead byte.
    EXPECT_EQ(DoubleByteSafeLength("\xb1\xb2\x83\x81", 3, IsCp932LeadByte), 2u);
    EXPECT_EQ(DoubleByteSafeLength("\x83\x81\x83\x81", 4, IsCp932LeadByte), 4u);
    EXPECT_EQ(DoubleByteSafeLength("\x83", 127, IsCp932LeadByte), 1u) << "a lone lead byte at the end stays";
}

TEST(VolumeScale, NearestLevelAndTruncatedValue) {
    uint32_t level = 0;
    ASSERT_TRUE(LevelFromValue(30000, 0, 65535, level));
    EXPECT_EQ(level, 30000u) << "the common range is the identity";
    EXPECT_EQ(ValueFromLevel(30000, 0, 65535), 30000u);
    ASSERT_TRUE(LevelFromValue(50, 0, 100, level));
    EXPECT_EQ(level, 32768u) << "(50 × 65535 + 50) ÷ 100";
    EXPECT_EQ(ValueFromLevel(32768, 0, 100), 50u);
    EXPECT_FALSE(LevelFromValue(7, 7, 7, level)) << "a fader without a range is a failure, not a division by zero";
    ASSERT_TRUE(LevelFromValue(0xFFFFFFFFu, 0, 0xFFFFFFFFu, level)) << "a range wider than 16 bits";
    EXPECT_EQ(level, 65535u);
    EXPECT_EQ(ValueFromLevel(65535, 0, 0xFFFFFFFFu), 0xFFFFFFFFu);
    EXPECT_EQ(ValueFromLevel(65535, 100, 200), 200u);
}

TEST(VolumeScale, StepsAreClamped) {
    EXPECT_EQ(SteppedLevel(30000, 1000), 31000u);
    EXPECT_EQ(SteppedLevel(65000, 1000), 65535u);
    EXPECT_EQ(SteppedLevel(500, -1000), 0u);
    EXPECT_EQ(SteppedLevel(65535, INT32_MAX), 65535u);
    EXPECT_EQ(SteppedLevel(0, INT32_MIN), 0u);
}

TEST(VolumeScale, OnlyADefiniteAbsenceOfTheEndpointTurnsToTheMixer) {
    EXPECT_EQ(VerdictOfEndpointLook(0), VolumeRouteVerdict::kEndpoint);
    EXPECT_EQ(VerdictOfEndpointLook(1), VolumeRouteVerdict::kEndpoint) << "S_FALSE is a success";
    // Not implemented, no such interface, class not registered or not available.
    for (const uint32_t hr : {0x80004001u, 0x80004002u, 0x80040154u, 0x80040111u})
        EXPECT_EQ(VerdictOfEndpointLook(static_cast<int32_t>(hr)), VolumeRouteVerdict::kMixer) << std::hex << hr;
    // No device just now, a device gone, the audio service restarting, access denied: look again.
    for (const uint32_t hr : {0x80070490u, 0x88890004u, 0x88890010u, 0x80070005u, 0x8000FFFFu})
        EXPECT_EQ(VerdictOfEndpointLook(static_cast<int32_t>(hr)), VolumeRouteVerdict::kLookAgain) << std::hex << hr;
}

}  // namespace
}  // namespace quor
