#pragma once

namespace quor {

// What a handler decides for the message it was given.
enum class HookResult {
    kPassOn,      // call the next hook; the window gets the message
    kLetThrough,  // return 0 without the next hook; the window gets it, later hooks do not see it
    kSwallow,     // return 1; the window never sees the message
};

}  // namespace quor
