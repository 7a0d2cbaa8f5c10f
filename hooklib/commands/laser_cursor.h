#pragma once

namespace quor {

// Puts the system cursors back and marks the laser cursor as not installed.
void RestoreCursors() noexcept;

}  // namespace quor
