#pragma once

namespace quor {

// Adds the time since the previous counted mouse move to the time of use, and remembers now.
void UpdateActivityTime() noexcept;

}  // namespace quor
