#pragma once
// Where the rename assistant puts the selection of a file name, in the edit box's own
// character units.

namespace quor {

struct TextSelection {
    int start;
    int end;
    friend bool operator==(const TextSelection&, const TextSelection&) = default;
};

// The next step of the cycle name -> extension -> whole text -> name, from the current selection
// of a text of `length` characters whose last dot is at `lastDot` (-1 for none). A text without a
// dot is always selected whole; a selection outside the cycle goes to the name.
TextSelection NextNameSelection(int length, int lastDot, TextSelection current) noexcept;
// The selection as the edit box opens: the name without its extension (the whole text without a
// dot), whatever the list view selected (older list views select all of it, current shells the
// name already).
TextSelection FirstNameSelection(int length, int lastDot) noexcept;

// Where Left (toRight false) or Right puts the caret when it collapses the selection, or -1 when
// there is nothing selected and the edit box moves the caret itself.
int CollapsedCaret(int length, TextSelection current, bool toRight) noexcept;

}  // namespace quor
