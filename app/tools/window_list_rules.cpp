#include "app/tools/window_list_rules.h"

#include <array>
#include <cstdio>

namespace quor {
namespace {

// The titles in code page 932, spelt as bytes because the sources are UTF-8:
// "くおるべれ" and "ウィンドウ一覧".
constexpr std::array<std::string_view, 5> kExcludedTitles = {
    "\x82\xad\x82\xa8\x82\xe9\x82\xd7\x82\xea",
    "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x88\xea\x97\x97",
    "Program Manager",
    "Quorvelle",
    "Windows",
};

}  // namespace

bool IsExcludedWindowTitle(std::string_view title) {
    for (const std::string_view excluded : kExcludedTitles)
        if (title == excluded) return true;
    return false;
}

bool IsListedWindow(const ListedWindowFacts& window, const WindowListFilters& filters) {
    if (!filters.hidden && !window.visible) return false;
    if (!filters.minimized && window.minimized) return false;
    if (!filters.popups && (window.style & kPopupStyle) != 0) return false;
    if (window.title.empty()) return false;
    return !IsExcludedWindowTitle(window.title);
}

std::string WindowListEntry(std::string_view title, bool descendant) {
    std::string entry = descendant ? "    " : "";
    entry.append(title);
    return entry;
}

std::string WindowStyleText(uint32_t style) {
    char text[16] = {};
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(style));
    return text;
}

ScreenPoint CentredPosition(const ScreenRect& workArea, int32_t width, int32_t height) {
    const int32_t workWidth = workArea.right - workArea.left;
    const int32_t workHeight = workArea.bottom - workArea.top;
    return {workArea.left + (workWidth - width) / 2, workArea.top + (workHeight - height) / 2};
}

int SelectionAfterRefresh(int remembered, int count) {
    if (count <= 0) return -1;
    return remembered >= 0 && remembered < count ? remembered : 0;
}

}  // namespace quor
