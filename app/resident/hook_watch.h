#pragma once
// The platform removes a low-level hook without notice when one call takes too long; the program
// notices from real mouse input that the hook no longer counted. No platform calls.
#include <cstdint>

namespace quor {

struct InputSample {
    uint32_t lastInputTick;  // when the system last saw input
    int32_t cursorX;
    int32_t cursorY;
    double travel;  // the library's count of mouse travel
};

// Between two samples there was real input and the cursor moved, and yet the low-level mouse hook
// counted no travel: it is gone. (A cursor moved by a program does not count as input, and never
// reaches the hook.)
bool LowLevelHooksLost(const InputSample& before, const InputSample& now);

}  // namespace quor
