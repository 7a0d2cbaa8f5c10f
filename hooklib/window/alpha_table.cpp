#include "hooklib/window/alpha_table.h"

namespace quor {

int FindAlphaEntry(const AlphaEntry* table, int count, uint32_t window) {
    for (int i = 0; i < count; ++i)
        if (table[i].window == window) return i;
    return -1;
}

uint32_t RecordedAlpha(const AlphaEntry* table, int count, uint32_t window) {
    const int i = FindAlphaEntry(table, count, window);
    return i < 0 ? kOpaque : table[i].alpha;
}

bool RecordAlpha(AlphaEntry* table, int& count, int capacity, uint32_t window, uint32_t alpha) {
    const int i = FindAlphaEntry(table, count, window);
    if (i >= 0) {
        table[i].alpha = alpha;
        return true;
    }
    if (count < 0 || count >= capacity) return false;
    table[count] = {window, alpha};
    ++count;
    return true;
}

AlphaChange NextAlpha(int current, int wheelDelta) {
    const int step = wheelDelta / 6;
    const long long a = static_cast<long long>(current) + step;
    if (step < 0) return {AlphaChange::kMakeLayered, a <= kMinWheelAlpha ? kMinWheelAlpha : static_cast<int>(a)};
    if (a < static_cast<long long>(kOpaque)) return {AlphaChange::kAdjust, static_cast<int>(a)};
    return {AlphaChange::kMakeOpaque, static_cast<int>(kOpaque)};
}

}  // namespace quor
