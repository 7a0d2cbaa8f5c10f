#pragma once

namespace quor {

constexpr int kLaserCursorId = 138;

// Makes the laser pointer's dot the system's standard arrow, and marks it installed.
void InstallLaserCursor() noexcept;

// Puts the system cursors back from the user's scheme and marks the laser cursor as not installed.
void RestoreCursors() noexcept;

}  // namespace quor
