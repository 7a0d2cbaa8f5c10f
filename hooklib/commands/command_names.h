#pragma once
#include <windows.h>

#include "hooklib/quordll.h"

namespace quor {

constexpr UINT kFirstCommandNameId = 60001;
constexpr UINT kCommandNameCodePage = QUOR_COMMAND_NAME_CODE_PAGE;

// The commands by their place in the name table (string resources 60001 + index).
namespace commands {
enum Command : int {
    kNone = 0,
    kScreenSaver = 1,
    kShowDesktop = 2,
    kTaskManager = 3,
    kDisplayProperties = 4,
    kSystemProperties = 5,
    kDateTimeProperties = 6,
    kMyComputer = 7,
    kMyNetwork = 8,
    kMyDocuments = 9,
    kRecycleBin = 10,
    kControlPanel = 11,
    kSafelyRemoveHardware = 12,
    kSwitchVirtualScreen = 13,
    kMonitorOff = 14,
    kStandby = 15,
    kHibernate = 16,
    kLogOff = 17,
    kRestart = 18,
    kPowerOff = 19,
    kTopmost = 20,
    kNotTopmost = 21,
    kToggleTopmost = 22,
    kToBottom = 23,
    kClose = 24,
    kMinimize = 25,
    kCentre = 26,
    kRollUp = 27,
    kTranslucent = 28,
    kToTray = 29,
    kMaximizeVertically = 30,
    kMaximizeHorizontally = 31,
    kCommandPrompt = 32,
    kToggleMute = 33,
};
}  // namespace commands

// Fills this process's own copy of the command names from the library's string resources 60001 to
// 60034, as code page 932 bytes, and the shared table where it differs.
void LoadCommandNames(HINSTANCE module) noexcept;

// Name `index` as this process loaded it: what the executor matches slot texts against, since the
// shared table can be written by any program that maps the library.
const char* CommandName(int index) noexcept;

}  // namespace quor
