#pragma once
// The commands that act on the system rather than on a window.
#include <windows.h>

namespace quor {

// Starts a command line in a console of its own, without waiting for it; a failure is not told.
void StartCommandLine(const char* text) noexcept;

// Win+D, with the disabled Windows key lifted meanwhile.
void ShowDesktop() noexcept;
// Ctrl+Shift+Esc.
void OpenTaskManager() noexcept;
void OpenHotplugDialog() noexcept;
void OpenShellFolder(const char* parameters) noexcept;

// The screen saver, then the pointer hidden for half a second.
void StartScreenSaver() noexcept;
void TurnMonitorOff() noexcept;

// 0 when the shut-down privilege is enabled, -1 otherwise.
int EnableShutdownPrivilege() noexcept;
void SuspendSystem(BOOL suspend) noexcept;

}  // namespace quor
