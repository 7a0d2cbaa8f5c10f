#include "app/resident/menu_commands.h"

#include "app/resources/resource.h"

namespace quor {

CommandState CommandStateFor(int command, const ProgramState& state) {
    switch (command) {
        case ID_APP_ABOUT:
        case ID_APP_EXIT:
        case ID_OPEN_SETTINGS:
        case ID_WINDOW_LIST: return {!state.dialogOpen, 0};
        case ID_MOUSE_SHORTCUTS: return {!state.mouseCutOpen, 0};
        case ID_TOGGLE_DISABLE: return {true, state.paused ? IDS_ENABLE : IDS_DISABLE};
        default: return {true, 0};
    }
}

}  // namespace quor
