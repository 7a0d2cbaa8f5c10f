#pragma once
// Where each desktop icon sits, for the large-icon and the small-icon view, as sections
// "IconBig" and "IconSmall" of the settings file keep it. No platform calls.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/framework/ini_document.h"

namespace quor {

constexpr size_t kIconLayoutEntries = 1024;
constexpr size_t kIconNameBytes = 255;

struct IconPlace {
    std::string name;
    int32_t x;
    int32_t y;
};

struct IconLayoutTable {
    std::vector<IconPlace> entries;  // at most 1024
};

// The extent icons may stand in, in the desktop list view's coordinates (the view covers every
// monitor, so this is more than the primary monitor's work area when there are several).
struct WorkArea {
    int32_t right;
    int32_t bottom;
};

// A coordinate below 0, or beyond the work area's right or bottom edge, becomes 0.
IconPlace ClampToWorkArea(IconPlace place, const WorkArea& work);

// The section's table ("n" entries, at most 1024; names cut at 255 bytes), each place clamped.
IconLayoutTable ReadIconLayout(const IniDocument& file, std::string_view section, const WorkArea& work);
// "n" first, then the name, x and y of each entry ("icon000_name"...).
void WriteIconLayout(IniDocument& file, std::string_view section, const IconLayoutTable& table);

// The place stored for an icon of this text: the first entry of exactly that name.
std::optional<IconPlace> PlaceOf(const IconLayoutTable& table, std::string_view name, const WorkArea& work);

}  // namespace quor
