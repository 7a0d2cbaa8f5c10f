#pragma once
// The real Quorvelle.exe under test: started from the test's folder, its settings file prepared
// and read back, its menu and dialogs reached as a person reaches them.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/unique_any.h"

namespace bench {

// The bench parks the X pointer in the desktop's bottom-right corner, where the program's dialogs
// open. Under Wine a window that appears or changes under the resting pointer reports the
// pointer's place as a mouse move, which can come between the press and the release of a click
// meant for one of the dialog's controls and take it away (seen: a release at the corner). The
// pointer rests in the top-right corner instead, away from the dialogs; each start of the program
// puts it there. (Not the bottom-left corner: a press that landed there on Wine's desktop opened
// its start menu, which stayed open for every test after.) A window maximized there still moves
// the cursor to it: the tests' clicks carry their own place for that.
void ParkPointerAwayFromTheDialogs();

// One run of the resident program, exited (if still running) when the object goes.
class ResidentProgram {
public:
    // With `wineNotes`, Wine notes the message calls it takes and does not carry out (its "fixme"
    // lines of the message channel), which WineNotes() reads: a call that matters only where
    // processes have integrity levels can still be seen made.
    explicit ResidentProgram(bool wineNotes = false);
    ~ResidentProgram();
    ResidentProgram(const ResidentProgram&) = delete;
    ResidentProgram& operator=(const ResidentProgram&) = delete;
    // The program's hidden frame, or null.
    HWND Frame() const;
    bool Ended(int timeoutMs) const;
    // Closes the frame, as the program's exit does, and waits for the program's end.
    bool Close(int timeoutMs = 10000) const;
    // Up: frame made and hooks installed (the library's hidden window exists).
    bool WaitUntilUp(int timeoutMs = 15000) const;
    DWORD pid() const { return pid_; }

private:
    quor::unique_handle process_;
    DWORD pid_ = 0;
};

// What Wine wrote to the error stream of this test program and the programs it started.
std::string WineNotes();

// The settings file beside the program, written and read whole as bytes.
std::string SettingsPath();
void WriteSettingsFile(const std::string& text);
std::string ReadSettingsFile();
// The lines of section `name` of an INI text, without their ends.
std::vector<std::string> IniSection(const std::string& text, const std::string& name);

// The icon's callback message, as the shell sends it.
constexpr UINT kTrayNotify = WM_APP + 100;

// One key pressed and released.
void Press(WORD vk);
// The icon's menu, as a right-click on the icon opens it; true once the menu is up.
bool OpenTrayMenu(HWND frame);
// Opens the icon's menu and chooses, with the keyboard, the item `index` places from the top
// (separators not counted); when `submenuIndex` is not negative, that item's submenu is opened
// and its item of that index chosen.
bool ChooseTrayMenuItem(HWND frame, int index, int submenuIndex = -1);

// The first of the program's dialogs (class "#32770") that `matches`.
HWND ProgramDialogWhere(HWND frame, const std::function<bool(HWND)>& matches);
// The program's visible dialog with this caption, waited for up to `timeoutMs`.
HWND WaitForProgramDialog(HWND frame, const wchar_t* caption, int timeoutMs = 5000);

// A click in the middle of a control; its text (system code page, up to 4 KiB).
void ClickControl(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
// The window with the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

}  // namespace bench
