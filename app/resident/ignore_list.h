#pragma once
// The exclusion list "Ignore.txt": one entry a line, program files (ending exactly in ".exe" or
// ".dll") and window classes (a trailing "*" matches by prefix). No platform calls.
#include <string>
#include <string_view>
#include <vector>

namespace quor {

constexpr size_t kIgnoreEntryBytes = 255;
constexpr size_t kIgnoreEntries = 64;

struct IgnoreList {
    std::vector<std::string> windowClasses;
    std::vector<std::string> programFiles;
};

// Line ends (LF or CR LF) removed and empty lines skipped; a line longer than 255 bytes is cut
// there (never inside a two-byte character of code page 932); entries past 64 in a table are
// left out.
IgnoreList ParseIgnoreList(std::string_view text);

}  // namespace quor
