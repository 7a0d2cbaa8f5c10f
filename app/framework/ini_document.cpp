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

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
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

IniDocument::IniDocument(std::string_view text) {
    // A file saved by an editor that marks UTF-8 starts with a byte-order mark, which is no text.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines_.emplace_back(line);
        if (end == kNone) break;
        text.remove_prefix(end + 1);
    }
}

IniDocument::Found IniDocument::Find(std::string_view section, std::string_view key) const {
    Found found{kNone, kNone, kNone};
    bool inside = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (const auto name = SectionName(lines_[i])) {
            // The first section of that name is the one read and written.
            if (found.sectionLine != kNone) {
                if (inside) inside = false;
                continue;
            }
            inside = SameName(*name, section);
            if (inside) found.sectionLine = found.lastKeyLine = i;
            continue;
        }
        if (!inside) continue;
        const auto name = KeyName(lines_[i]);
        if (!name) continue;
        found.lastKeyLine = i;
        if (found.keyLine == kNone && SameName(*name, key)) found.keyLine = i;
    }
    return found;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const Found found = Find(section, key);
    if (found.keyLine == kNone) return std::nullopt;
    const std::string_view line = lines_[found.keyLine];
    std::string_view value = Trimmed(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

int IniDocument::GetInt(std::string_view section, std::string_view key, int fallback) const {
    const std::optional<std::string> value = Get(section, key);
    if (!value) return fallback;
    std::string_view s = Trimmed(*value);
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
    if (digits == 0) return Trimmed(*value).empty() ? fallback : 0;
    return static_cast<int>(negative ? 0u - result : result);
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    const Found found = Find(section, key);
    if (found.keyLine != kNone) {
        lines_[found.keyLine] = std::move(line);
    } else if (found.sectionLine != kNone) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(found.lastKeyLine + 1), std::move(line));
    } else {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(std::move(line));
    }
}

void IniDocument::SetInt(std::string_view section, std::string_view key, int value) {
    Set(section, key, std::to_string(value));
}

std::string IniDocument::Text() const {
    std::string text;
    for (const std::string& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace quor
