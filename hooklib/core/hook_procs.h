#pragma once
// The five hook procedures that SetHook installs.
#include <windows.h>

namespace quor {

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK LowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace quor
