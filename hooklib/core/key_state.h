#pragma once
#include <windows.h>

namespace quor {

// Whether a key is held, asked in the thread that handles the input: its own key state is exact for
// the message in hand, and the keyboard's state now also sees a key held since through another
// program.
inline bool IsKeyHeld(int vk) noexcept { return ((::GetKeyState(vk) | ::GetAsyncKeyState(vk)) & 0x8000) != 0; }

}  // namespace quor
