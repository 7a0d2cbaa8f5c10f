#pragma once
// A settings file in the private-profile (ini) format, held as its lines: reading a key as the
// system's profile functions do, and setting one while every other line (other sections, other
// keys, comments, blank lines) stays as it was. No platform calls; the program reads and writes
// the file whole.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quor {

// How the caller's names and values stand in the stored text of a file kept in another encoding
// than the caller's (a Unicode file held as UTF-8, read and written in the program's code page).
// Both null: as they are.
struct TextCodec {
    std::string (*toStored)(std::string_view) = nullptr;
    std::string (*fromStored)(std::string_view) = nullptr;
};

class IniDocument {
public:
    IniDocument() = default;
    // Lines end with CR LF or LF; a final line without an end is kept.
    explicit IniDocument(std::string_view text, TextCodec codec = {});

    // The value of a key (section and key compared without regard to ASCII case; the first of
    // repeated ones counts; only the first section of a name is read), with the blanks around it
    // removed and kept otherwise as stored: quotes stay, as a command line needs them.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // As the system reads an integer: one pair of enclosing quotes, optional blanks and sign, then
    // decimal digits (or 0x and hexadecimal ones); `fallback` when the key is missing or empty, 0
    // when it holds no number.
    int GetInt(std::string_view section, std::string_view key, int fallback) const;

    // Replaces the key's value in place, or adds the key after the section's last key, or adds the
    // section at the end of the file. Each look-up and change takes a time independent of the
    // file's length.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);

    // The whole file, each line ended with CR LF.
    std::string Text() const;

private:
    // A section's header and the lines after it, up to the next header. The lines before the
    // first header form a section without one, which no look-up reaches.
    struct Section {
        std::optional<std::string> header;  // the header line as stored
        std::vector<std::string> lines;
        std::unordered_map<std::string, size_t> keys;  // folded name -> its first line
        size_t keysEnd = 0;                            // one past the last key line
    };
    void AddLine(std::string line);
    std::string Stored(std::string_view text) const;
    std::string FromStored(std::string_view text) const;
    // The first section of that name, or null.
    Section* FindSection(std::string_view name);
    const Section* FindSection(std::string_view name) const;
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> firstSection_;  // folded name -> index in sections_
    TextCodec codec_;
};

}  // namespace quor
