#pragma once
// The user's settings of section "Config": one integer per key, the keys in the order the file
// is written, each with the value a missing key reads as. No platform calls.
#include <cstdint>
#include <string_view>

#include "app/framework/ini_document.h"

namespace quor {

struct SettingsRecord {
    int32_t Snap, AllowSnap, AllowSnapInside, AllowOut, AllowTaskBar, AutoArrange, SmallIcon, IconText, IconTextBk,
        ExpUp, ExpRename, IconTextColor, TaskIcon, Transparent, Redirect, RedirectActive, TaskTray, Volume,
        VolumeDelta, VD, Disable_Max, Disable_Min, Disable_Close, RightClickClose, DisableKey_Ins, DisableKey_Win,
        DisableKey_Alt, DisableKey_Menu, DisableKey_Caps, DisableKey_Hankaku, DisableKey_Kana, DisableKey_F1,
        SoftLaser, SizeExt, VolumeDisp, VolumeDispColor1, VolumeDispColor2, VolumeDispTime;
};

struct SettingKey {
    const char* name;
    int32_t SettingsRecord::*field;
    int32_t fallback;
};

constexpr int kSettingKeyCount = 38;
extern const SettingKey kSettingKeys[kSettingKeyCount];

// Every key of the table from the section, missing ones at their defaults.
SettingsRecord ReadSettings(const IniDocument& file, std::string_view section);
// Every key of the table into the section, in the table's order, as signed decimals.
void WriteSettings(IniDocument& file, std::string_view section, const SettingsRecord& record);

// A snap distance outside 1 ... 100 pixels becomes 20.
int32_t SnapDistanceInRange(int32_t snap);

// The opacity of the translucency command, as the mouse-shortcut dialog stores it ("Alpha"): a
// value the dialog would refuse (outside 1 ... 255, or no number) is the default, 200.
constexpr int32_t kDefaultAlpha = 200;
int32_t ReadAlpha(const IniDocument& file, std::string_view section);

}  // namespace quor
