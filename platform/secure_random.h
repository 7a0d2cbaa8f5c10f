#pragma once
// Random bytes from the system's cryptographic generator.
#include <cstddef>
#include <cstdint>

namespace quor {

// Fills `count` bytes; false when the system refused (the bytes are then not to be used).
bool FillSecureRandom(uint8_t* bytes, size_t count) noexcept;

}  // namespace quor
