#include "hooklib/core/shared_block.h"

namespace quor {
namespace {

// One copy for every process: the section is marked read/write/shared in the image.
// Everything is zero at load except the two settings with a nonzero initial value;
// constinit keeps a later process's attach from re-running any initializer.
constexpr SharedBlock InitialBlock() {
    SharedBlock b{};
    b.VolumeDelta = 100;
    b.TaskTray = 1;
    return b;
}

__attribute__((section(".QUOR"), shared)) constinit SharedBlock g_block = InitialBlock();

HINSTANCE g_module = nullptr;

}  // namespace

SharedBlock& Block() noexcept { return g_block; }

HINSTANCE ThisModule() noexcept { return g_module; }

void SetThisModule(HINSTANCE module) noexcept { g_module = module; }

}  // namespace quor
