#pragma once
// The settings file's keys of the 24 mouse-shortcut slots, in slot order, with the command each
// one runs when it is missing. No platform calls.

namespace quor {

struct MouseCutKey {
    const char* key;
    int defaultCommand;  // the library's command number, named by GetMouseCutCmd
};

constexpr int kMouseCutKeyCount = 24;
extern const MouseCutKey kMouseCutKeys[kMouseCutKeyCount];

}  // namespace quor
