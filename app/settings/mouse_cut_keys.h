#pragma once
// The settings file's keys of the 24 mouse-shortcut slots, in slot order, with the command each
// one runs when it is missing and the box that edits it. No platform calls.
#include <string>
#include <string_view>
#include <vector>

namespace quor {

struct MouseCutKey {
    const char* key;
    int defaultCommand;  // the library's command number, named by GetMouseCutCmd
    int comboId;         // the box of the mouse-shortcut dialog
};

constexpr int kMouseCutKeyCount = 24;
extern const MouseCutKey kMouseCutKeys[kMouseCutKeyCount];

// The slot of a key, or -1 for a name outside the table.
int MouseCutSlotOf(std::string_view key);

// The commands a slot's box lists, in their order: the common commands; the window commands for
// the title bar's slots; "show desktop" only for the five slots without Ctrl or Shift that are
// not the title bar's right-click.
std::vector<int> MouseCutChoices(int slot);

// The box of a slot as the dialog labels it, group and row ("デスクトップを: ダブルクリック"), in
// UTF-8; empty outside the table.
std::string MouseCutBoxName(int slot);

// A command line longer than a library slot holds (255 bytes) is refused, never cut.
constexpr size_t kMouseCutTextLimit = 255;

}  // namespace quor
