#pragma once
// The window list's rules over plain descriptions of windows: which are listed, how an entry and a
// style read, where "centre" puts a window, and which entry stays selected. No platform calls;
// titles are bytes in the program's ANSI code page (932).
#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

// The four "表示設定" check boxes.
struct WindowListFilters {
    bool popups = false;
    bool children = false;
    bool minimized = false;
    bool hidden = false;
};

// What the listing rule looks at in a window.
struct ListedWindowFacts {
    bool visible = false;
    bool minimized = false;
    uint32_t style = 0;
    std::string_view title;  // at most 1024 characters
};

// The WS_POPUP bit, which the rule tests without the platform's header.
constexpr uint32_t kPopupStyle = 0x80000000u;

// A title that is never listed: the program's own windows, the desktop and the system's, compared
// byte for byte with the whole title.
bool IsExcludedWindowTitle(std::string_view title);

// Hidden and minimized windows and popups only when their box is checked; never an untitled window
// nor one of the excluded titles.
bool IsListedWindow(const ListedWindowFacts& window, const WindowListFilters& filters);

// A top-level window's entry is its title; a descendant's is indented by four spaces.
std::string WindowListEntry(std::string_view title, bool descendant);

// A style as eight lower-case hexadecimal digits with leading zeros.
std::string WindowStyleText(uint32_t style);

struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// The top-left corner that centres a window of this size in the work area (integer halves). A
// work area that does not start at the screen's origin (a taskbar on the left or at the top) is
// taken into account.
ScreenPoint CentredPosition(const ScreenRect& workArea, int32_t width, int32_t height);

// The entry selected after the list was filled again: the one remembered while it is still in the
// list, else the first; -1 for an empty list (nothing selected).
int SelectionAfterRefresh(int remembered, int count);

}  // namespace quor
