#include "app/resident/menu_commands.h"

#include <gtest/gtest.h>

#include "app/resources/resource.h"

namespace quor {
namespace {

TEST(MenuCommands, GrayedWhileTheirDialogsAreOpenAndTheToggleNamesWhatItWillDo) {
    const ProgramState idle{false, false, false};
    for (int id : {ID_APP_ABOUT, ID_APP_EXIT, ID_OPEN_SETTINGS, ID_WINDOW_LIST, ID_MOUSE_SHORTCUTS, ID_CLEAN_MOUSE})
        EXPECT_TRUE(CommandStateFor(id, idle).enabled) << id;
    const ProgramState about{true, false, false};
    for (int id : {ID_APP_ABOUT, ID_APP_EXIT, ID_OPEN_SETTINGS, ID_WINDOW_LIST})
        EXPECT_FALSE(CommandStateFor(id, about).enabled) << id << " while the About box is open";
    EXPECT_TRUE(CommandStateFor(ID_MOUSE_SHORTCUTS, about).enabled);
    EXPECT_FALSE(CommandStateFor(ID_MOUSE_SHORTCUTS, {false, true, false}).enabled);
    EXPECT_TRUE(CommandStateFor(ID_APP_EXIT, {false, true, false}).enabled);
    EXPECT_EQ(CommandStateFor(ID_TOGGLE_DISABLE, idle).textId, IDS_DISABLE);
    EXPECT_EQ(CommandStateFor(ID_TOGGLE_DISABLE, {false, false, true}).textId, IDS_ENABLE);
    EXPECT_EQ(CommandStateFor(ID_STATISTICS, about).textId, 0) << "other items keep their text";
}

}  // namespace
}  // namespace quor
