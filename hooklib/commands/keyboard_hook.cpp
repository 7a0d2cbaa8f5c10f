// WH_KEYBOARD_LL: runs on the hooks' thread for every key of the desktop. It counts
// the letter keys, swallows the keys the user disabled, and switches the laser pointer.
#include <cstdint>

#include "hooklib/commands/laser_cursor.h"
#include "hooklib/core/hook_procs.h"
#include "hooklib/core/shared_block.h"

namespace quor {
namespace {

struct DisabledKeyGroup {
    int32_t SharedBlock::*setting;
    uint8_t keys[3];  // virtual keys; 0 ends a shorter list
};

// In the order they are tested.
constexpr DisabledKeyGroup kDisabledKeys[] = {
    {&SharedBlock::DisableKeyWin, {VK_LWIN, VK_RWIN}},
    {&SharedBlock::DisableKeyIns, {VK_INSERT}},
    {&SharedBlock::DisableKeyAlt, {VK_MENU, VK_LMENU, VK_RMENU}},
    {&SharedBlock::DisableKeyMenu, {VK_APPS}},
    {&SharedBlock::DisableKeyCaps, {VK_CAPITAL}},
    {&SharedBlock::DisableKeyHankaku, {VK_OEM_ENLW, VK_OEM_AUTO}},  // 半角/全角 sends both in turn
    {&SharedBlock::DisableKeyKana, {VK_OEM_COPY}},                  // カタカナ/ひらがな
    {&SharedBlock::DisableKeyF1, {VK_F1}},
};

bool IsDisabledKey(const SharedBlock& b, DWORD vk) noexcept {
    for (const DisabledKeyGroup& group : kDisabledKeys) {
        if (b.*group.setting == 0) continue;
        for (uint8_t key : group.keys)
            if (key != 0 && key == vk) return true;
    }
    return false;
}

bool IsDown(int vk) noexcept { return (::GetAsyncKeyState(vk) & 0x8000) != 0; }

// Ctrl+Shift+F9 switches the laser cursor; the F9 press is swallowed.
bool SwitchedLaser(SharedBlock& b, WPARAM message, DWORD vk) noexcept {
    if (!b.SoftLaser || message != WM_KEYDOWN || vk != VK_F9) return false;
    if (!IsDown(VK_SHIFT) || !IsDown(VK_CONTROL)) return false;
    if (b.LaserState == 0)
        InstallLaserCursor();
    else
        RestoreCursors();
    return true;
}

// Adds a plain press of a letter key to its statistics counter (auto-repeat included); a letter
// with Alt comes as WM_SYSKEYDOWN and is not counted.
void CountKey(const KBDLLHOOKSTRUCT& event, WPARAM message) noexcept {
    if (message == WM_KEYDOWN && event.vkCode >= 'A' && event.vkCode <= 'Z') ++Block().StatKeyboard[event.vkCode - 'A'];
}

}  // namespace

LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    SharedBlock& b = Block();
    if (code < 0 || lParam == 0) return ::CallNextHookEx(b.KeyboardHook, code, wParam, lParam);
    const auto& event = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    CountKey(event, wParam);
    if (b.UnAvailable) return ::CallNextHookEx(b.KeyboardHook, code, wParam, lParam);
    if (IsDisabledKey(b, event.vkCode)) return 1;
    if (SwitchedLaser(b, wParam, event.vkCode)) return 1;
    return ::CallNextHookEx(b.KeyboardHook, code, wParam, lParam);
}

}  // namespace quor
