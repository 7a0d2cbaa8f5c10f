#include "app/settings/mouse_cut_keys.h"
#include "app/settings/settings_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <string>

namespace quor {
namespace {

TEST(SettingsRecord, AMissingFileReadsAsTheDefaultsAndWritesEveryKeyInOrder) {
    const SettingsRecord defaults = ReadSettings(IniDocument(""), "Config");
    EXPECT_EQ(defaults.Snap, 20);
    EXPECT_EQ(defaults.AllowTaskBar, 1);
    EXPECT_EQ(defaults.VolumeDelta, 1000);
    EXPECT_EQ(defaults.Disable_Max, 1);
    EXPECT_EQ(defaults.VolumeDispColor1, 0x37FF37);
    EXPECT_EQ(defaults.VolumeDispColor2, 0x3737FF);
    IniDocument file;
    WriteSettings(file, "Config", defaults);
    const std::string text = file.Text();
    EXPECT_EQ(text.substr(0, 42), "[Config]\r\nSnap=20\r\nAllowSnap=1\r\nAllowSnapI");
    EXPECT_NE(text.find("\r\nRightClickClose=0\r\nDisableKey_Ins=1\r\nDisableKey_Win=1\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 21), "VolumeDispTime=1000\r\n");
    size_t lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_EQ(lines, 1u + kSettingKeyCount) << "the section and every key once";
}

TEST(SettingsRecord, ValuesOfTheFileSurviveAndUnknownKeysStay) {
    IniDocument file("[Config]\r\nRightClickClose=7\r\nSnap=-5\r\nMouseCut0=notepad.exe\r\nTaskIcon=1\r\n");
    SettingsRecord record = ReadSettings(file, "Config");
    EXPECT_EQ(record.RightClickClose, 7);
    EXPECT_EQ(record.TaskIcon, 1);
    EXPECT_EQ(record.Snap, -5) << "read as it stands; the range rule is the dialog's";
    WriteSettings(file, "Config", record);
    const IniDocument again(file.Text());
    EXPECT_EQ(again.GetInt("Config", "RightClickClose", 0), 7);
    EXPECT_EQ(again.Get("Config", "MouseCut0"), "notepad.exe") << "a key of another part of the program stays";
}

TEST(SettingsRecord, SnapDistanceAndOpacityOutOfRangeAreTheDefaults) {
    for (int bad : {-5, 0, 101, 100000}) EXPECT_EQ(SnapDistanceInRange(bad), 20) << bad;
    for (int good : {1, 20, 100}) EXPECT_EQ(SnapDistanceInRange(good), good);
    // The opacity, as a hand-edited file may hold it.
    for (const char* bad : {"0", "256", "abc", "-3", ""})
        EXPECT_EQ(ReadAlpha(IniDocument(std::string("[C]\nAlpha=") + bad + "\n"), "C"), 200)
            << "an opacity the dialog would refuse: '" << bad << "'";
    EXPECT_EQ(ReadAlpha(IniDocument("[C]\nAlpha=1\n"), "C"), 1);
    EXPECT_EQ(ReadAlpha(IniDocument("[C]\nAlpha=255\n"), "C"), 255);
    EXPECT_EQ(ReadAlpha(IniDocument("[C]\nAlpha= 128 \n"), "C"), 128);
    EXPECT_EQ(ReadAlpha(IniDocument("[Other]\nAlpha=50\n"), "C"), 200) << "another section's";
}

TEST(MouseCutKeys, TwentyFourSlotsInOrderWithTheirCommands) {
    const std::string expected[kMouseCutKeyCount] = {"DD", "DDC", "DDS", "DDCS", "DW", "DWC", "DWS", "DWCS",
                                                     "BW", "BWC", "BWS", "BWCS", "BR", "BRC", "BRS", "BRCS",
                                                     "TD", "TDC", "TDS", "TDCS", "TW", "TWC", "TWS", "TWCS"};
    for (int slot = 0; slot < kMouseCutKeyCount; ++slot) EXPECT_EQ(kMouseCutKeys[slot].key, expected[slot]) << slot;
    EXPECT_EQ(kMouseCutKeys[0].defaultCommand, 1) << "desktop double-click: the screen saver";
    EXPECT_EQ(kMouseCutKeys[3].defaultCommand, 15) << "Ctrl+Shift: standby";
    EXPECT_EQ(kMouseCutKeys[8].defaultCommand, 25) << "title-bar wheel click: minimize";
    EXPECT_EQ(kMouseCutKeys[12].defaultCommand, 24) << "title-bar right-click: close";
    EXPECT_EQ(kMouseCutKeys[23].defaultCommand, 7) << "taskbar Ctrl+Shift wheel click: My Computer";
}

TEST(MouseCutKeys, EachBoxListsTheCommandsItsPlaceCanRun) {
    const auto lists = [](int slot, int command) {
        const std::vector<int> choices = MouseCutChoices(slot);
        return std::find(choices.begin(), choices.end(), command) != choices.end();
    };
    for (int slot = 0; slot < kMouseCutKeyCount; ++slot) {
        const bool titleBar = slot >= 8 && slot <= 15;
        EXPECT_EQ(lists(slot, 20), titleBar) << "window commands only on the title bar: slot " << slot;
        EXPECT_EQ(lists(slot, 31), titleBar) << slot;
        EXPECT_TRUE(lists(slot, 0) && lists(slot, 33)) << slot;
    }
    // "Show desktop" only without Ctrl or Shift, and not for the title bar's right-click.
    for (int slot : {0, 4, 8, 16, 20}) EXPECT_TRUE(lists(slot, 2)) << slot;
    for (int slot : {1, 2, 3, 5, 9, 12, 13, 17, 21, 23}) EXPECT_FALSE(lists(slot, 2)) << slot;
    const std::vector<int> titleBar = MouseCutChoices(8);
    ASSERT_EQ(titleBar.size(), 34u) << "21 common, 12 window commands, show desktop";
    EXPECT_EQ(std::vector<int>(titleBar.begin(), titleBar.begin() + 4), (std::vector<int>{0, 1, 14, 15}));
    EXPECT_EQ(titleBar[21], 20);
    EXPECT_EQ(titleBar[25], 25) << "minimize before close";
    EXPECT_EQ(titleBar.back(), 2);
    EXPECT_EQ(MouseCutChoices(1).size(), 21u);
}

TEST(MouseCutKeys, KeysAndBoxesAreFoundByTheirNames) {
    EXPECT_EQ(MouseCutSlotOf("BR"), 12);
    EXPECT_EQ(MouseCutSlotOf("TWCS"), 23);
    EXPECT_EQ(MouseCutSlotOf("br"), -1) << "names are exact";
    EXPECT_EQ(MouseCutSlotOf("Alpha"), -1);
    EXPECT_EQ(MouseCutBoxName(5), "デスクトップを: Ctrl + ホイールクリック");
    EXPECT_EQ(MouseCutBoxName(8), "タイトルバーを: ホイールクリック");
    EXPECT_EQ(MouseCutBoxName(15), "タイトルバーを: Ctrl + Shift + 右クリック");
    EXPECT_EQ(MouseCutBoxName(16), "タスクバーを: ダブルクリック");
    EXPECT_EQ(MouseCutBoxName(24), "");
    // Every box has its own control.
    for (int a = 0; a < kMouseCutKeyCount; ++a)
        for (int b = a + 1; b < kMouseCutKeyCount; ++b) EXPECT_NE(kMouseCutKeys[a].comboId, kMouseCutKeys[b].comboId);
}

}  // namespace
}  // namespace quor
