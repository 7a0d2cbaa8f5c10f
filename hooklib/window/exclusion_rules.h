#pragma once
// Which windows the library leaves alone, by name: pure text rules, no platform calls.
#include <cstddef>
#include <string_view>

namespace quor {

// An entry ending in "*" is a prefix; any other entry must equal the class name exactly.
// An empty entry matches nothing.
bool ClassMatchesIgnoreEntry(std::string_view className, std::string_view entry);

// Whether `entry` occurs in `modulePath` (case-sensitive); an entry longer than the path never does.
bool PathMatchesIgnoreExe(std::string_view modulePath, std::string_view entry);

// The text of a fixed slot: up to its first NUL, and never past the slot, terminated or not.
template <size_t N>
std::string_view SlotText(const char (&slot)[N]) {
    size_t n = 0;
    while (n < N && slot[n] != '\0') ++n;
    return {slot, n};
}

// Docking tool windows of a few development environments, never handled as tool windows.
bool IsDockingToolClass(const char* className);

// MDI children of this program's frame are left to the program.
bool IsExcludedMdiFrameTitle(const char* title);

}  // namespace quor
