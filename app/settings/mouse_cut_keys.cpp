#include "app/settings/mouse_cut_keys.h"

namespace quor {

// Desktop (double-click, wheel click), title bar (wheel click, right-click), taskbar (double-click,
// wheel click); each with no modifier, Ctrl, Shift, Ctrl+Shift.
const MouseCutKey kMouseCutKeys[kMouseCutKeyCount] = {
    {"DD", 1, 1016},   {"DDC", 0, 1017},  {"DDS", 0, 1028},  {"DDCS", 15, 1019},
    {"DW", 2, 1020},   {"DWC", 3, 1021},  {"DWS", 4, 1022},  {"DWCS", 7, 1023},
    {"BW", 25, 1024},  {"BWC", 22, 1025}, {"BWS", 22, 1026}, {"BWCS", 24, 1027},
    {"BR", 24, 1037},  {"BRC", 0, 1038},  {"BRS", 0, 1039},  {"BRCS", 0, 1040},
    {"TD", 1, 1018},   {"TDC", 0, 1029},  {"TDS", 0, 1030},  {"TDCS", 0, 1032},
    {"TW", 2, 1033},   {"TWC", 3, 1034},  {"TWS", 4, 1035},  {"TWCS", 7, 1036},
};

int MouseCutSlotOf(std::string_view key) {
    for (int slot = 0; slot < kMouseCutKeyCount; ++slot)
        if (key == kMouseCutKeys[slot].key) return slot;
    return -1;
}

std::vector<int> MouseCutChoices(int slot) {
    std::vector<int> commands = {0, 1, 14, 15, 16, 17, 18, 19, 3, 6, 4, 5, 7, 8, 9, 10, 11, 12, 13, 32, 33};
    const bool titleBar = slot >= 8 && slot <= 15;
    if (titleBar) commands.insert(commands.end(), {20, 21, 22, 23, 25, 24, 26, 27, 28, 29, 30, 31});
    const bool showDesktop = slot == 0 || slot == 4 || slot == 8 || slot == 16 || slot == 20;
    if (showDesktop) commands.push_back(2);
    return commands;
}

std::string MouseCutBoxName(int slot) {
    static const char* const kClicks[] = {
        "ダブルクリック", "Ctrl + ダブルクリック", "Shift + ダブルクリック", "Ctrl + Shift + ダブルクリック",
        "ホイールクリック", "Ctrl + ホイールクリック", "Shift + ホイールクリック", "Ctrl + Shift + ホイールクリック",
        "右クリック", "Ctrl + 右クリック", "Shift + 右クリック", "Ctrl + Shift + 右クリック",
    };
    if (slot < 0 || slot >= kMouseCutKeyCount) return "";
    // The title bar's slots are its wheel clicks, then its right-clicks.
    if (slot >= 8 && slot < 16) return std::string("タイトルバーを: ") + kClicks[slot - 8 + 4];
    const char* group = slot < 8 ? "デスクトップを: " : "タスクバーを: ";
    return std::string(group) + kClicks[slot % 8];
}

}  // namespace quor
