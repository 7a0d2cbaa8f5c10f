#include "hooklib/commands/rename_selection.h"

#include <algorithm>

namespace quor {

TextSelection NextNameSelection(int length, int lastDot, TextSelection current) noexcept {
    const TextSelection whole{0, length};
    if (lastDot < 0 || lastDot > length) return whole;
    const TextSelection name{0, lastDot};
    const TextSelection extension{lastDot + 1, length};
    if (current == whole) return name;
    if (current == name) return extension;
    if (current == extension) return whole;
    return name;
}

TextSelection FirstNameSelection(int length, int lastDot) noexcept {
    return NextNameSelection(length, lastDot, {0, length});
}

int CollapsedCaret(int length, TextSelection current, bool toRight) noexcept {
    if (current.start == current.end || current.start == -1) return -1;
    if (toRight) return std::min(std::max(current.start, current.end), length);
    return std::max(std::min(current.start, current.end), 0);
}

}  // namespace quor
