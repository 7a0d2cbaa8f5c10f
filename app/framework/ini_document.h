#pragma once
// A settings file in the private-profile (ini) format, held as its lines: reading a key as the
// system's profile functions do, and setting one while every other line (other sections, other
// keys, comments, blank lines) stays as it was. No platform calls; the program reads and writes
// the file whole.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor {

class IniDocument {
public:
    IniDocument() = default;
    // Lines end with CR LF or LF; a final line without an end is kept.
    explicit IniDocument(std::string_view text);

    // The value of a key (section and key compared without regard to ASCII case; the first of
    // repeated ones counts), with the blanks around it and one pair of enclosing quotes removed.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // As the system reads an integer: optional blanks and sign, then decimal digits (or 0x and
    // hexadecimal ones); `fallback` when the key is missing or empty, 0 when it holds no number.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;

    // Replaces the key's value in place, or adds the key after the section's last key, or adds the
    // section at the end of the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);

    // The whole file, each line ended with CR LF.
    std::string Text() const;

private:
    struct Found {
        size_t sectionLine;  // npos when the section is missing
        size_t keyLine;      // npos when the key is missing
        size_t lastKeyLine;  // the section's last key line, or its header
    };
    Found Find(std::string_view section, std::string_view key) const;
    std::vector<std::string> lines_;
};

}  // namespace quor
