#include <cstring>

#include "hooklib/commands/command_executor.h"

#include "hooklib/core/shared_block.h"

namespace quor {

int ExecuteMouseCut(int slot, HWND window) noexcept {
    SharedBlock& b = Block();
    if (slot < 0 || slot >= kMouseCutSlots) return 0;
    b.ExecutorLastSlot = slot;
    b.ExecutorLastWnd = window;
    ++b.ExecutorCalls;
    const char* text = b.MouseCut[slot];
    return text[0] != '\0' && std::strcmp(text, b.MouseCutCmd[0]) != 0 ? 1 : 0;
}

}  // namespace quor
