#pragma once
// What the notification icon's menu offers at the moment it pops up. No platform calls.

namespace quor {

struct CommandState {
    bool enabled;
    int textId;  // a string resource for the item's text, or 0 to keep the menu's own
};

struct ProgramState {
    bool dialogOpen;     // the About box is open
    bool mouseCutOpen;   // the mouse-shortcut dialog is open
    bool paused;         // the library passes every event through
};

// The enabled state and text of a command of the menu.
CommandState CommandStateFor(int command, const ProgramState& state);

}  // namespace quor
