#pragma once
// Which windows the library leaves alone, by name: pure text rules, no platform calls.
#include <cstddef>

namespace quor {

// An entry ending in "*" is a prefix; any other entry must equal the class name exactly.
// An empty entry matches nothing.
bool ClassMatchesIgnoreEntry(const char* className, const char* entry);

// Whether `entry` occurs in `modulePath` (case-sensitive); an entry longer than the path never does.
bool PathMatchesIgnoreExe(const char* modulePath, const char* entry);

// Docking tool windows of a few development environments, never handled as tool windows.
bool IsDockingToolClass(const char* className);

// MDI children of this program's frame are left to the program.
bool IsExcludedMdiFrameTitle(const char* title);

}  // namespace quor
