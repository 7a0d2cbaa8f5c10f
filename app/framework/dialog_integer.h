#pragma once
// How the dialogs read an integer from an edit box. No platform calls.
#include <cstdint>

namespace quor {

// Optional blanks, an optional sign, digits and nothing else; false for anything else or a value
// beyond 32 bits.
bool ParseDialogInteger(const char* text, int32_t& value);

}  // namespace quor
