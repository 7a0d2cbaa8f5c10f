#include "app/framework/ini_document.h"

#include <cstdint>

namespace quor {
namespace {

constexpr size_t kNone = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Names compared without regard to ASCII case, as keys of a map.
std::string Folded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = Lower(c);
    return folded;
}

// One pair of enclosing quotes, which the system's reader takes off a value.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The name of a section header line ("[name]"), or nothing for other lines.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view t = Trimmed(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    const size_t close = t.find(']');
    return Trimmed(t.substr(1, close == kNone ? kNone : close - 1));
}

// The key of a "key=value" line, or nothing for other lines (comments, blank lines).
std::optional<std::string_view> KeyName(std::string_view line) {
    const std::string_view t = Trimmed(line);
    if (t.empty() || t.front() == ';') return std::nullopt;
    const size_t equals = t.find('=');
    if (equals == kNone) return std::nullopt;
    return Trimmed(t.substr(0, equals));
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (Lower(c) >= 'a' && Lower(c) <= 'f') return Lower(c) - 'a' + 10;
    return -1;
}

}  // namespace

IniDocument::IniDocument(std::string_view text, TextCodec codec) : codec_(codec) {
    // A file saved by an editor that marks UTF-8 starts with a byte-order mark, which is no text.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        AddLine(std::string(line));
        if (end == kNone) break;
        text.remove_prefix(end + 1);
    }
}

void IniDocument::AddLine(std::string line) {
    if (const auto name = SectionName(line)) {
        // The first section of that name is the one read and written.
        firstSection_.try_emplace(Folded(*name), sections_.size());
        sections_.push_back(Section{std::move(line), {}, {}, 0});
        return;
    }
    if (sections_.empty()) sections_.emplace_back();
    Section& section = sections_.back();
    if (section.header) {
        if (const auto key = KeyName(line)) {
            section.keys.try_emplace(Folded(*key), section.lines.size());
            section.keysEnd = section.lines.size() + 1;
        }
    }
    section.lines.push_back(std::move(line));
}

std::string IniDocument::Stored(std::string_view text) const {
    return codec_.toStored ? codec_.toStored(text) : std::string(text);
}

std::string IniDocument::FromStored(std::string_view text) const {
    return codec_.fromStored ? codec_.fromStored(text) : std::string(text);
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    const auto found = firstSection_.find(Folded(Trimmed(name)));
    return found == firstSection_.end() ? nullptr : &sections_[found->second];
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    return const_cast<IniDocument*>(this)->FindSection(name);
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(Stored(section));
    if (!s) return std::nullopt;
    const auto found = s->keys.find(Folded(Trimmed(Stored(key))));
    if (found == s->keys.end()) return std::nullopt;
    const std::string_view line = s->lines[found->second];
    return FromStored(Trimmed(line.substr(line.find('=') + 1)));
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int fallback) const {
    const std::optional<std::string> stored = Get(section, key);
    if (!stored) return fallback;
    const std::string_view value = Unquoted(*stored);
    std::string_view s = Trimmed(value);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && Lower(s[1]) == 'x') {
        base = 16;
        s.remove_prefix(2);
    }
    uint32_t result = 0;
    size_t digits = 0;
    for (char c : s) {
        const int d = DigitValue(c);
        if (d < 0 || d >= base) break;
        result = result * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);  // wraps as the system's does
        ++digits;
    }
    // As the system reads it: an empty value is the default, any other without digits is 0.
    if (digits == 0) return Trimmed(value).empty() ? fallback : 0;
    return static_cast<int>(negative ? 0u - result : result);
}

void IniDocument::Set(std::string_view callerSection, std::string_view callerKey, std::string_view value) {
    const std::string section = Stored(callerSection);
    const std::string key = Stored(callerKey);
    std::string line = key + "=" + Stored(value);
    Section* found = FindSection(section);
    if (!found) {
        AddLine("[" + section + "]");
        AddLine(std::move(line));
        return;
    }
    Section& s = *found;
    const std::string name = Folded(Trimmed(key));
    if (const auto existing = s.keys.find(name); existing != s.keys.end()) {
        s.lines[existing->second] = std::move(line);
        return;
    }
    // After the section's last key: only blank lines and comments follow it, which hold no key,
    // so no key's line moves.
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(s.keysEnd), std::move(line));
    s.keys.emplace(name, s.keysEnd);
    ++s.keysEnd;
}

void IniDocument::SetInt(std::string_view section, std::string_view key, int value) {
    Set(section, key, std::to_string(value));
}

std::string IniDocument::Text() const {
    std::string text;
    const auto add = [&](const std::string& line) {
        text += line;
        text += "\r\n";
    };
    for (const Section& section : sections_) {
        if (section.header) add(*section.header);
        for (const std::string& line : section.lines) add(line);
    }
    return text;
}

}  // namespace quor
