#include "app/settings/settings_push.h"

#include "hooklib/quordll.h"

namespace quor {

void PushSettings(SettingsRecord& r) noexcept {
    r.Snap = SnapDistanceInRange(r.Snap);
    SetSnap(r.Snap);
    SetAllowSnap(r.AllowSnap);
    SetAllowSnapInside(r.AllowSnapInside);
    SetAllowOut(r.AllowOut);
    SetAllowTaskBar(r.AllowTaskBar == 0 ? 1 : 0);  // stored as "do not move the taskbar"
    SetAutoArrange(r.AutoArrange);
    SetDeskIconText(r.IconText);
    SetDeskIconTextBk(r.IconTextBk);
    SetDeskIconTextColor(r.IconTextColor);
    SetExpUp(r.ExpUp);
    SetExpRename(r.ExpRename);
    SetTransparent(r.Transparent);
    SetRedirect(r.Redirect);
    SetRedirectActive(r.RedirectActive);
    SetTaskTray(r.TaskTray);
    SetVolume(r.Volume);
    SetVolumeDelta(r.VolumeDelta);
    SetVD(r.VD);
    SetDisableMax(r.Disable_Max);
    SetDisableMin(r.Disable_Min);
    SetDisableClose(r.Disable_Close);
    SetShowDesk(0);
    SetDisableKeyAlt(r.DisableKey_Alt);
    SetDisableKeyIns(r.DisableKey_Ins);
    SetDisableKeyWin(r.DisableKey_Win);
    SetDisableKeyMenu(r.DisableKey_Menu);
    SetDisableKeyCaps(r.DisableKey_Caps);
    SetDisableKeyHankaku(r.DisableKey_Hankaku);
    SetDisableKeyKana(r.DisableKey_Kana);
    SetDisableKeyF1(r.DisableKey_F1);
    SetSoftLaser(r.SoftLaser);
    SetSizeExt(r.SizeExt);
}

}  // namespace quor
