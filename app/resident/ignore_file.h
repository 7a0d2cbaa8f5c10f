#pragma once
// "Ignore.txt" beside the program, loaded into the library's exclusion tables.

namespace quor {

// Replaces whatever the tables held; a missing or unreadable file leaves them empty.
void LoadIgnoreList() noexcept;

}  // namespace quor
