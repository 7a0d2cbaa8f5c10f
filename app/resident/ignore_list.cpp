#include "app/resident/ignore_list.h"

#include "hooklib/window/tray_tip.h"

namespace quor {
namespace {

bool NamesAProgramFile(std::string_view entry) {
    return entry.size() >= 4 && (entry.ends_with(".exe") || entry.ends_with(".dll"));
}

void Add(std::vector<std::string>& table, std::string_view entry) {
    if (table.size() < kIgnoreEntries) table.emplace_back(entry);
}

}  // namespace

IgnoreList ParseIgnoreList(std::string_view text) {
    IgnoreList list;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        if (line.empty()) continue;
        line = line.substr(0, DoubleByteSafeLength(line, kIgnoreEntryBytes, IsCp932LeadByte));
        Add(NamesAProgramFile(line) ? list.programFiles : list.windowClasses, line);
    }
    return list;
}

}  // namespace quor
