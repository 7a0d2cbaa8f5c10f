#include "app/settings/settings_record.h"

namespace quor {

#define QUOR_KEY(name, fallback) {#name, &SettingsRecord::name, fallback}

const SettingKey kSettingKeys[kSettingKeyCount] = {
    QUOR_KEY(Snap, 20),
    QUOR_KEY(AllowSnap, 1),
    QUOR_KEY(AllowSnapInside, 1),
    QUOR_KEY(AllowOut, 1),
    QUOR_KEY(AllowTaskBar, 1),
    QUOR_KEY(AutoArrange, 1),
    QUOR_KEY(SmallIcon, 0),
    QUOR_KEY(IconText, 0),
    QUOR_KEY(IconTextBk, 0),
    QUOR_KEY(ExpUp, 1),
    QUOR_KEY(ExpRename, 1),
    QUOR_KEY(IconTextColor, 0),
    QUOR_KEY(TaskIcon, 0),
    QUOR_KEY(Transparent, 1),
    QUOR_KEY(Redirect, 1),
    QUOR_KEY(RedirectActive, 1),
    QUOR_KEY(TaskTray, 1),
    QUOR_KEY(Volume, 1),
    QUOR_KEY(VolumeDelta, 1000),
    QUOR_KEY(VD, 1),
    QUOR_KEY(Disable_Max, 1),
    QUOR_KEY(Disable_Min, 0),
    QUOR_KEY(Disable_Close, 0),
    QUOR_KEY(RightClickClose, 0),
    QUOR_KEY(DisableKey_Ins, 1),
    QUOR_KEY(DisableKey_Win, 1),
    QUOR_KEY(DisableKey_Alt, 0),
    QUOR_KEY(DisableKey_Menu, 1),
    QUOR_KEY(DisableKey_Caps, 1),
    QUOR_KEY(DisableKey_Hankaku, 0),
    QUOR_KEY(DisableKey_Kana, 0),
    QUOR_KEY(DisableKey_F1, 0),
    QUOR_KEY(SoftLaser, 0),
    QUOR_KEY(SizeExt, 1),
    QUOR_KEY(VolumeDisp, 1),
    QUOR_KEY(VolumeDispColor1, 3669815),  // 0x37FF37
    QUOR_KEY(VolumeDispColor2, 3618815),  // 0x3737FF
    QUOR_KEY(VolumeDispTime, 1000),
};

#undef QUOR_KEY

SettingsRecord ReadSettings(const IniDocument& file, std::string_view section) {
    SettingsRecord record{};
    for (const SettingKey& key : kSettingKeys) record.*key.field = file.GetInt(section, key.name, key.fallback);
    return record;
}

void WriteSettings(IniDocument& file, std::string_view section, const SettingsRecord& record) {
    for (const SettingKey& key : kSettingKeys) file.SetInt(section, key.name, record.*key.field);
}

int32_t SnapDistanceInRange(int32_t snap) { return snap < 1 || snap > 100 ? 20 : snap; }

int32_t ReadAlpha(const IniDocument& file, std::string_view section) {
    const int32_t alpha = file.GetInt(section, "Alpha", kDefaultAlpha);
    return alpha < 1 || alpha > 255 ? kDefaultAlpha : alpha;
}

}  // namespace quor
