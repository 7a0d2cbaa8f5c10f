#pragma once
// Remembered window transparency and the wheel's alpha steps: pure table arithmetic.
#include <cstdint>

namespace quor {

struct AlphaEntry {
    uint32_t window;  // low 32 bits of the window handle
    uint32_t alpha;
};

constexpr uint32_t kOpaque = 255;
constexpr int kMinWheelAlpha = 32;

// Index of the first entry for `window` among the first `count`, or -1.
int FindAlphaEntry(const AlphaEntry* table, int count, uint32_t window);

// The recorded alpha, or 255 for a window without an entry.
uint32_t RecordedAlpha(const AlphaEntry* table, int count, uint32_t window);

// Overwrites the window's entry or appends one; false when the table is full and the
// window has no entry (nothing is written then).
bool RecordAlpha(AlphaEntry* table, int& count, int capacity, uint32_t window, uint32_t alpha);

struct AlphaChange {
    enum Kind { kMakeLayered, kAdjust, kMakeOpaque } kind;
    int alpha;
};

// What one wheel event does to a window at alpha `current`: 20 per notch of 120 (delta / 6,
// truncated), towards the user more transparent but never below 32, away more opaque up to 255.
AlphaChange NextAlpha(int current, int wheelDelta);

}  // namespace quor
