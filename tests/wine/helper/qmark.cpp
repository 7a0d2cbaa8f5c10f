// Test helper: `qmark N` adds N to the library's ShowDesk setting, which the library itself never
// reads: a test that sets a shortcut slot to this command line sees that, and how often, the slot
// ran. A program without a console, so that starting it opens no window.
#include <windows.h>

#include <cstdlib>

#include "hooklib/quordll.h"
#include "tests/wine/support/bench_support.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    SetShowDesk(bench::Block().ShowDesk + std::atoi(commandLine));
    return 0;
}
