#include "app/resident/hook_watch.h"

namespace quor {

bool LowLevelHooksLost(const InputSample& before, const InputSample& now) {
    const bool input = now.lastInputTick != before.lastInputTick;
    const bool moved = now.cursorX != before.cursorX || now.cursorY != before.cursorY;
    return input && moved && now.travel == before.travel;
}

}  // namespace quor
