#include "app/settings/settings_dialog.h"

#include <commdlg.h>

#include <string>

#include "app/framework/code_page_text.h"
#include "app/resources/resource.h"
#include "app/settings/mouse_cut_keys.h"
#include "app/settings/settings_push.h"
#include "app/tools/auto_raise_dialog.h"
#include "app/tools/desktop_icons.h"
#include "app/tools/mouse_cut_dialog.h"
#include "app/tools/window_list_dialog.h"
#include "hooklib/quordll.h"

namespace quor {
namespace {

struct CheckControl {
    int id;
    int32_t SettingsRecord::*field;
};

constexpr CheckControl kChecks[] = {
    {IDC_ALLOW_SNAP, &SettingsRecord::AllowSnap},
    {IDC_ALLOW_SNAP_INSIDE, &SettingsRecord::AllowSnapInside},
    {IDC_ALLOW_OUT, &SettingsRecord::AllowOut},
    {IDC_ALLOW_TASKBAR, &SettingsRecord::AllowTaskBar},
    {IDC_AUTO_ARRANGE, &SettingsRecord::AutoArrange},
    {IDC_SMALL_ICON, &SettingsRecord::SmallIcon},
    {IDC_ICON_TEXT, &SettingsRecord::IconText},
    {IDC_ICON_TEXT_BK, &SettingsRecord::IconTextBk},
    {IDC_EXP_UP, &SettingsRecord::ExpUp},
    {IDC_EXP_RENAME, &SettingsRecord::ExpRename},
    {IDC_TASK_ICON, &SettingsRecord::TaskIcon},
    {IDC_TRANSPARENT, &SettingsRecord::Transparent},
    {IDC_REDIRECT, &SettingsRecord::Redirect},
    {IDC_REDIRECT_ACTIVE, &SettingsRecord::RedirectActive},
    {IDC_TASK_TRAY, &SettingsRecord::TaskTray},
    {IDC_VOLUME, &SettingsRecord::Volume},
    {IDC_VD, &SettingsRecord::VD},
    {IDC_DISABLE_MAX, &SettingsRecord::Disable_Max},
    {IDC_DISABLE_MIN, &SettingsRecord::Disable_Min},
    {IDC_DISABLE_CLOSE, &SettingsRecord::Disable_Close},
    {IDC_KEY_INS, &SettingsRecord::DisableKey_Ins},
    {IDC_KEY_WIN, &SettingsRecord::DisableKey_Win},
    {IDC_KEY_ALT, &SettingsRecord::DisableKey_Alt},
    {IDC_KEY_MENU, &SettingsRecord::DisableKey_Menu},
    {IDC_KEY_CAPS, &SettingsRecord::DisableKey_Caps},
    {IDC_KEY_HANKAKU, &SettingsRecord::DisableKey_Hankaku},
    {IDC_KEY_KANA, &SettingsRecord::DisableKey_Kana},
    {IDC_KEY_F1, &SettingsRecord::DisableKey_F1},
    {IDC_SOFT_LASER, &SettingsRecord::SoftLaser},
    {IDC_SIZE_EXT, &SettingsRecord::SizeExt},
    {IDC_VOLUME_DISP, &SettingsRecord::VolumeDisp},
};

constexpr CheckControl kNumbers[] = {
    {IDC_SNAP, &SettingsRecord::Snap},
    {IDC_VOLUME_DELTA, &SettingsRecord::VolumeDelta},
    {IDC_VOLUME_DISP_TIME, &SettingsRecord::VolumeDispTime},
};

// A check box and the controls that are enabled exactly while it is checked.
struct EnablingRule {
    int checkBox;
    int controls[4];  // 0 ends a shorter list
};

constexpr EnablingRule kEnablingRules[] = {
    {IDC_REDIRECT, {IDC_REDIRECT_ACTIVE, IDC_VD, IDC_VOLUME, IDC_VOLUME_DELTA}},
    {IDC_VOLUME, {IDC_VOLUME_DELTA}},
    {IDC_ALLOW_SNAP, {IDC_ALLOW_SNAP_INSIDE}},
    {IDC_VOLUME_DISP, {IDC_VOLUME_DISP_TIME}},
};

constexpr char kLargeIconSection[] = "IconBig";
constexpr char kSmallIconSection[] = "IconSmall";

}  // namespace

std::string SettingsSection(HINSTANCE instance) {
    char name[64] = {};
    ::LoadStringA(instance, IDS_CONFIG_SECTION, name, sizeof name);
    return name[0] ? name : "Config";
}

bool SettingsDialog::Create(HINSTANCE instance, HWND owner) noexcept {
    return CreateModeless(instance, IDD_SETTINGS, owner);
}

namespace {

// The library's name of a command; empty should the library give none.
std::string CommandName(int command) {
    const char* name = GetMouseCutCmd(command);
    return name ? name : "";
}

std::string MouseCutText(const IniDocument& file, const std::string& section, int slot) {
    const MouseCutKey& key = kMouseCutKeys[slot];
    // A missing key runs its command, by the library's name for it.
    return file.Get(section, key.key).value_or(CommandName(key.defaultCommand));
}

}  // namespace

void SettingsDialog::LoadMouseCuts(const IniDocument& file, const std::string& section) noexcept {
    std::wstring refused;
    for (int slot = 0; slot < kMouseCutKeyCount; ++slot) {
        std::string text = MouseCutText(file, section, slot);
        if (text.size() > kMouseCutTextLimit) {
            // Cut to what the library holds, it would run another command line: it runs nothing.
            refused += L"\r\n「" + WideOfUtf8(MouseCutBoxName(slot)) + L"」（" + std::to_wstring(text.size()) + L" バイト）";
            text = CommandName(0);
        }
        SetMouseCut(slot, text.c_str());
    }
    refusedCuts_ = std::move(refused);
    // The opacity of the translucency command is set in the same dialog and goes with them.
    SetAlpha(ReadAlpha(file, section));
}

std::string SettingsDialog::ReadMouseCut(const IniDocument& file, const std::string& key) const {
    const int slot = MouseCutSlotOf(key);
    if (slot < 0) return CommandName(0);
    return MouseCutText(file, SettingsSection(instance_), slot);
}

void SettingsDialog::TellRefusedShortcuts(HWND owner) noexcept {
    if (refusedCuts_.empty() || refusedCuts_ == toldRefusedCuts_) return;
    toldRefusedCuts_ = refusedCuts_;
    const std::wstring text = L"設定ファイルにある次のマウスショートカットは、内容が " +
                              std::to_wstring(kMouseCutTextLimit) +
                              L" バイトを超えるため設定していません（何も実行しません）。\r\n" + refusedCuts_;
    ::MessageBoxW(owner, text.c_str(), L"Quorvelle", MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
}

void SettingsDialog::OpenMouseShortcuts() noexcept {
    ApplySettings();
    mouseCutOpen_ = true;
    RunMouseCutDialog(instance_, *this);
    mouseCutOpen_ = false;
}

void SettingsDialog::ApplyMouseCuts(const IniDocument& file) noexcept { LoadMouseCuts(file, SettingsSection(instance_)); }

bool SettingsDialog::DoDataExchange(bool save) noexcept {
    for (const CheckControl& number : kNumbers)
        if (!ExchangeInt(save, number.id, record_.*number.field)) return false;
    for (const CheckControl& check : kChecks) ExchangeCheck(save, check.id, record_.*check.field);
    return true;
}

void SettingsDialog::LoadSettings() noexcept {
    const std::optional<IniDocument> read = host_.Profile().Read();
    loadError_ = read ? 0 : host_.Profile().LastError();
    if (read || !loaded_) {
        const IniDocument file = read.value_or(IniDocument());
        const std::string section = SettingsSection(instance_);
        record_ = ReadSettings(file, section);
        loaded_ = read.has_value();
        LoadMouseCuts(file, section);
        const WorkArea work = IconArea(FindDesktopListView());
        smallIcons_ = ReadIconLayout(file, kSmallIconSection, work);
        largeIcons_ = ReadIconLayout(file, kLargeIconSection, work);
    }
    DoDataExchange(false);
    for (int rule : {IDC_REDIRECT, IDC_VOLUME, IDC_VOLUME_DISP}) ApplyEnablingRule(rule);
    ApplySettings();
}

bool SettingsDialog::ApplySettings() noexcept {
    const SettingsRecord before = record_;
    if (!DoDataExchange(true)) {
        record_ = before;  // nothing of a half-read dialog is kept or pushed
        return false;
    }
    const int32_t asTyped = record_.Snap;
    PushSettings(record_);  // brings the snap distance into range
    if (record_.Snap != asTyped) ExchangeInt(false, IDC_SNAP, record_.Snap);
    MatchDesktopView(record_.SmallIcon != 0);
    host_.ShowTrayIcon(record_.TaskIcon == 0);
    return true;
}

bool SettingsDialog::SaveIconLayout(HWND list) noexcept {
    if (list) CaptureIconLayout(list, ShowsSmallIcons(list) ? smallIcons_ : largeIcons_);
    if (!loaded_) return false;
    return host_.Profile().Update([&](IniDocument& file) {
        WriteIconLayout(file, kLargeIconSection, largeIcons_);
        WriteIconLayout(file, kSmallIconSection, smallIcons_);
    });
}

void SettingsDialog::MatchDesktopView(bool small) noexcept {
    const HWND list = FindDesktopListView();
    if (!list || ShowsSmallIcons(list) == small) return;
    SaveIconLayout(list);
    // A busy Explorer keeps its view; the next apply tries again.
    if (!SetSmallIcons(list, small)) return;
    RestoreIconLayout(list, small ? smallIcons_ : largeIcons_, IconArea(list));
}

bool SettingsDialog::SaveSettings() noexcept {
    // A record that did not come from the file (it could not be read, or the dialog's making
    // failed) is never written over it.
    if (!loaded_) {
        saveError_ = loadError_ ? loadError_ : ERROR_READ_FAULT;
        return false;
    }
    const std::string section = SettingsSection(instance_);
    const SettingsRecord record = record_;
    const bool saved = host_.Profile().Update([&](IniDocument& file) { WriteSettings(file, section, record); });
    saveError_ = saved ? 0 : host_.Profile().LastError();
    if (!SaveIconLayout(FindDesktopListView()) && saved) saveError_ = host_.Profile().LastError();
    return saveError_ == 0;
}

void SettingsDialog::Open() noexcept {
    LoadSettings();
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetForegroundWindow(hwnd());
    if (loadError_) host_.Profile().TellUnreadableOnce(hwnd(), loadError_);
    TellRefusedShortcuts(hwnd());
}

void SettingsDialog::ApplyEnablingRule(int clicked) noexcept {
    for (const EnablingRule& rule : kEnablingRules) {
        if (rule.checkBox != clicked) continue;
        const bool checked = ::IsDlgButtonChecked(hwnd(), clicked) == BST_CHECKED;
        for (int id : rule.controls)
            if (id != 0) ::EnableWindow(Item(id), checked);
    }
}

void SettingsDialog::ChooseColour(int32_t& setting) noexcept {
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = hwnd();
    choose.rgbResult = static_cast<COLORREF>(setting);
    choose.lpCustColors = custom;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!::ChooseColorA(&choose)) return;
    setting = static_cast<int32_t>(choose.rgbResult);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    ApplySettings();
}

bool SettingsDialog::DrawSwatch(const DRAWITEMSTRUCT& item) noexcept {
    int32_t colour = 0;
    switch (item.CtlID) {
        case IDC_ICON_TEXT_COLOR: colour = record_.IconTextColor; break;
        case IDC_VOLUME_COLOR1: colour = record_.VolumeDispColor1; break;
        case IDC_VOLUME_COLOR2: colour = record_.VolumeDispColor2; break;
        default: return false;
    }
    const HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(colour));
    ::FillRect(item.hDC, &item.rcItem, brush);
    ::DeleteObject(brush);
    return true;
}

void SettingsDialog::OnCommand(int id) noexcept {
    switch (id) {
        case IDC_SETTINGS_OK:
            if (!ApplySettings()) break;
            // Applied in any case; the dialog stays open, with what was typed, when the file
            // did not take it.
            if (!SaveSettings()) {
                host_.Profile().TellNotSaved(hwnd(), SaveError());
                break;
            }
            ::ShowWindow(hwnd(), SW_HIDE);
            break;
        case IDCANCEL:
        case IDC_SETTINGS_CANCEL: ::ShowWindow(hwnd(), SW_HIDE); break;
        case IDC_APPLY: ApplySettings(); break;
        case IDC_MOUSE_SHORTCUTS: OpenMouseShortcuts(); break;
        case IDC_AUTO_RAISE: RunAutoRaiseDialog(instance_, hwnd()); break;
        case IDC_WINDOW_LIST: RunWindowListDialog(instance_, hwnd()); break;
        case IDC_REDIRECT:
        case IDC_VOLUME:
        case IDC_ALLOW_SNAP:
        case IDC_VOLUME_DISP: ApplyEnablingRule(id); break;
        case IDC_ICON_TEXT_COLOR: ChooseColour(record_.IconTextColor); break;
        case IDC_VOLUME_COLOR1: ChooseColour(record_.VolumeDispColor1); break;
        case IDC_VOLUME_COLOR2: ChooseColour(record_.VolumeDispColor2); break;
        default: break;
    }
}

bool SettingsDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) noexcept {
    switch (msg) {
        case WM_INITDIALOG:
            LoadSettings();
            PlaceAtWorkAreaCorner();
            result = TRUE;
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED && HIWORD(wParam) != 0) return false;
            OnCommand(LOWORD(wParam));
            return true;
        case WM_DRAWITEM: return DrawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_DESTROY:
            // The program ends: the desktop goes back to large icons where they were, and is
            // refreshed.
            if (record_.SmallIcon == 1) MatchDesktopView(false);
            if (const HWND list = FindDesktopListView()) ::PostMessageA(list, WM_KEYDOWN, VK_F5, 0);
            return false;
        default: return false;
    }
}

}  // namespace quor
