#include "hooklib/commands/command_names.h"

#include <cstdio>

#include "hooklib/core/shared_block.h"

namespace quor {

void LoadCommandNames(HINSTANCE module) noexcept {
    SharedBlock& b = Block();
    for (int i = 0; i < kCommandCount; ++i) {
        char text[kTextSlot] = {};
        ::LoadStringA(module, kFirstCommandNameId + i, text, sizeof text);
        std::snprintf(b.MouseCutCmd[i], kTextSlot, "%s", text);
    }
}

}  // namespace quor
