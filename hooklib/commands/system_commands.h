#pragma once
// The commands that act on the system rather than on a window.
#include <windows.h>

namespace quor {

// Starts a command line in a console of its own, without waiting for it; a failure is not told.
void StartCommandLine(const char* text) noexcept;

enum class SystemFolder { kWindows, kSystem };
// Starts a program of the system's own, by its path in that folder, as StartCommandLine does.
void StartSystemProgram(SystemFolder folder, const char* program, const char* arguments) noexcept;

// Win+D, with the disabled Windows key lifted meanwhile.
void ShowDesktop() noexcept;
// Ctrl+Shift+Esc.
void OpenTaskManager() noexcept;
// A control panel item (a .cpl or the like) through the system's rundll32.
void OpenControlPanelApplet(const char* file) noexcept;
void OpenHotplugDialog() noexcept;
void OpenShellFolder(const char* parameters) noexcept;

// The screen saver, then the pointer hidden for half a second.
void StartScreenSaver() noexcept;
void TurnMonitorOff() noexcept;

// 0 when the shut-down privilege is enabled, -1 otherwise.
int EnableShutdownPrivilege() noexcept;
void SuspendSystem(BOOL suspend) noexcept;

}  // namespace quor
