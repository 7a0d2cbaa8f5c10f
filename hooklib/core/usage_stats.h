#pragma once
// The arithmetic of the mouse statistics: which counter an event adds to, how far the mouse went,
// and how much time of use lies between two moves.
#include <cstdint>

namespace quor {

constexpr int kNoMouseCounter = -1;

// The statistics counter a low-level mouse message adds 1 to: 0 left press, 1 middle press,
// 2 right press, 3 wheel turned away from the user, 4 towards (a delta of 0 included);
// kNoMouseCounter for every other message.
int MouseCounterFor(unsigned message, int wheelDelta) noexcept;

// Straight-line distance from the previous position to this one; 0 while there is no previous
// position, which (0, 0) stands for.
double TravelFrom(int previousX, int previousY, int x, int y) noexcept;

// Seconds of use between the previous counted move and now (calendar seconds): the gap when it
// is 1 to 599 seconds, nothing for the first move (previous 0), for a move in the same second, for
// a pause of ten minutes or more, or for a clock set back.
uint32_t SecondsOfUse(int64_t previous, int64_t now) noexcept;

// Calendar seconds since 1970 (UTC) of a system time in 100-nanosecond units since 1601.
int64_t CalendarSecondsFromFileTime(uint64_t fileTime) noexcept;

}  // namespace quor
