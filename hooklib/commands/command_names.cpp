#include "hooklib/commands/command_names.h"

#include <cstdio>
#include <cstring>

#include "hooklib/core/shared_block.h"

namespace quor {
namespace {

// This process's own copy of the names, which no other program can write.
char g_names[kCommandCount][kTextSlot];

}  // namespace

void LoadCommandNames(HINSTANCE module) noexcept {
    SharedBlock& b = Block();
    for (int i = 0; i < kCommandCount; ++i) {
        // Code page 932 whatever this process's own: settings files hold the names so (written on
        // Japanese Windows), and every process, whatever its code page, loads the same bytes.
        wchar_t wide[kTextSlot] = {};
        const int length = ::LoadStringW(module, kFirstCommandNameId + i, wide, kTextSlot);
        const int bytes = length > 0 ? ::WideCharToMultiByte(kCommandNameCodePage, 0, wide, length, g_names[i],
                                                             kTextSlot - 1, nullptr, nullptr)
                                     : 0;
        g_names[i][bytes > 0 ? bytes : 0] = '\0';
        // The same bytes in every process: the shared table is written once, not by each start,
        // and never emptied by a process whose loading failed.
        if (bytes > 0 && std::strncmp(b.MouseCutCmd[i], g_names[i], kTextSlot) != 0)
            std::snprintf(b.MouseCutCmd[i], kTextSlot, "%s", g_names[i]);
    }
}

const char* CommandName(int index) noexcept { return index >= 0 && index < kCommandCount ? g_names[index] : ""; }

}  // namespace quor
