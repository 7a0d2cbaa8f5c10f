#include "hooklib/commands/command_names.h"

#include <cstdio>

#include "hooklib/core/shared_block.h"

namespace quor {
namespace {

// This process's own copy of the names, which no other program can write.
char g_names[kCommandCount][kTextSlot];

}  // namespace

void LoadCommandNames(HINSTANCE module) noexcept {
    SharedBlock& b = Block();
    for (int i = 0; i < kCommandCount; ++i) {
        ::LoadStringA(module, kFirstCommandNameId + i, g_names[i], kTextSlot);
        std::snprintf(b.MouseCutCmd[i], kTextSlot, "%s", g_names[i]);
    }
}

const char* CommandName(int index) noexcept { return index >= 0 && index < kCommandCount ? g_names[index] : ""; }

}  // namespace quor
