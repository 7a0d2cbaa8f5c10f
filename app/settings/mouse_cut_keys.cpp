#include "app/settings/mouse_cut_keys.h"

namespace quor {

// Desktop (double-click, wheel click), title bar (wheel click, right-click), taskbar (double-click,
// wheel click); each with no modifier, Ctrl, Shift, Ctrl+Shift.
const MouseCutKey kMouseCutKeys[kMouseCutKeyCount] = {
    {"DD", 1},   {"DDC", 0},  {"DDS", 0},  {"DDCS", 15}, {"DW", 2},   {"DWC", 3},  {"DWS", 4},  {"DWCS", 7},
    {"BW", 25},  {"BWC", 22}, {"BWS", 22}, {"BWCS", 24}, {"BR", 24},  {"BRC", 0},  {"BRS", 0},  {"BRCS", 0},
    {"TD", 1},   {"TDC", 0},  {"TDS", 0},  {"TDCS", 0},  {"TW", 2},   {"TWC", 3},  {"TWS", 4},  {"TWCS", 7},
};

}  // namespace quor
