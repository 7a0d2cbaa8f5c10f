#pragma once
// The clock text of the notification icon's tooltip, for the time now.
#include <cstddef>
#include <cstdint>

namespace quor {

// Writes the text for now into `tip` (at most `count` characters, terminated).
void MakeClockText(wchar_t* tip, size_t count) noexcept;

// The calendar second now, as the tooltip's once-a-second rule counts it.
int64_t ClockSecondNow() noexcept;

// Whether the tooltip is rebuilt at `now`: at most once in each calendar second.
inline bool TipIsDue(int64_t lastTipTime, int64_t now) noexcept { return lastTipTime == 0 || now != lastTipTime; }

}  // namespace quor
