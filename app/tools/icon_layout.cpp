#include "app/tools/icon_layout.h"

#include <algorithm>
#include <cstdio>

namespace quor {
namespace {

std::string Key(size_t i, const char* field) {
    char key[32];
    std::snprintf(key, sizeof key, "icon%03zu_%s", i, field);
    return key;
}

}  // namespace

IconPlace ClampToWorkArea(IconPlace place, const WorkArea& work) {
    if (place.x < 0 || place.x > work.right) place.x = 0;
    if (place.y < 0 || place.y > work.bottom) place.y = 0;
    return place;
}

IconLayoutTable ReadIconLayout(const IniDocument& file, std::string_view section, const WorkArea& work) {
    IconLayoutTable table;
    const int n = file.GetInt(section, "n", 0);
    const size_t count = n < 0 ? 0 : std::min(static_cast<size_t>(n), kIconLayoutEntries);
    for (size_t i = 0; i < count; ++i) {
        std::string name = file.Get(section, Key(i, "name")).value_or("");
        if (name.size() > kIconNameBytes) name.resize(kIconNameBytes);
        const IconPlace place{std::move(name), file.GetInt(section, Key(i, "x"), 0), file.GetInt(section, Key(i, "y"), 0)};
        table.entries.push_back(ClampToWorkArea(place, work));
    }
    return table;
}

void WriteIconLayout(IniDocument& file, std::string_view section, const IconLayoutTable& table) {
    file.SetInt(section, "n", static_cast<int>(table.entries.size()));
    for (size_t i = 0; i < table.entries.size(); ++i) {
        file.Set(section, Key(i, "name"), table.entries[i].name);
        file.SetInt(section, Key(i, "x"), table.entries[i].x);
        file.SetInt(section, Key(i, "y"), table.entries[i].y);
    }
}

std::optional<IconPlace> PlaceOf(const IconLayoutTable& table, std::string_view name, const WorkArea& work) {
    for (const IconPlace& place : table.entries)
        if (place.name == name) return ClampToWorkArea(place, work);
    return std::nullopt;
}

}  // namespace quor
