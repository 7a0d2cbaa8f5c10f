#include "app/tools/window_list_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace quor {
namespace {

constexpr uint32_t kVisibleChild = 0x50000000u;  // WS_CHILD | WS_VISIBLE
const WindowListFilters kNoFilters{};
const WindowListFilters kAllFilters{true, true, true, true};

ListedWindowFacts Plain(std::string_view title) { return {true, false, 0x16CF0000u, title}; }

TEST(WindowListRules, WithNoFilterOnlyVisibleRestoredNonPopupTitledWindowsAreListed) {
    EXPECT_TRUE(IsListedWindow(Plain("Editor"), kNoFilters));
    ListedWindowFacts hidden = Plain("Editor");
    hidden.visible = false;
    EXPECT_FALSE(IsListedWindow(hidden, kNoFilters)) << "hidden";
    ListedWindowFacts minimized = Plain("Editor");
    minimized.minimized = true;
    EXPECT_FALSE(IsListedWindow(minimized, kNoFilters)) << "minimized";
    ListedWindowFacts popup = Plain("Editor");
    popup.style = kPopupStyle | 0x10000000u;
    EXPECT_FALSE(IsListedWindow(popup, kNoFilters)) << "popup";
    EXPECT_FALSE(IsListedWindow(Plain(""), kNoFilters)) << "untitled";
    EXPECT_TRUE(IsListedWindow({true, false, kVisibleChild, "child"}, kNoFilters)) << "a plain child";
}

TEST(WindowListRules, EachFilterLetsInOnlyItsOwnKind) {
    ListedWindowFacts hiddenPopup{false, false, kPopupStyle, "menu"};
    WindowListFilters filters;
    filters.hidden = true;
    EXPECT_FALSE(IsListedWindow(hiddenPopup, filters)) << "1. hidden allowed, popups still not";
    filters.popups = true;
    EXPECT_TRUE(IsListedWindow(hiddenPopup, filters)) << "2. both allowed";
    ListedWindowFacts minimized = Plain("Editor");
    minimized.minimized = true;
    EXPECT_FALSE(IsListedWindow(minimized, filters)) << "3. minimized not yet";
    filters.minimized = true;
    EXPECT_TRUE(IsListedWindow(minimized, filters)) << "4. minimized allowed";
    EXPECT_FALSE(IsListedWindow({false, true, kPopupStyle, ""}, kAllFilters)) << "5. untitled, whatever the filters";
}

TEST(WindowListRules, TheFiveTitlesAreNeverListedAndOnlyAsWholeTitles) {
    // The titles as code page 932 gives them: "くおるべれ", "ウィンドウ一覧".
    const std::string program = "\x82\xad\x82\xa8\x82\xe9\x82\xd7\x82\xea";
    const std::string windowList = "\x83\x45\x83\x42\x83\x93\x83\x68\x83\x45\x88\xea\x97\x97";
    for (const std::string& title : {program, windowList, std::string("Program Manager"), std::string("Quorvelle"),
                                      std::string("Windows")}) {
        EXPECT_TRUE(IsExcludedWindowTitle(title)) << title;
        EXPECT_FALSE(IsListedWindow(Plain(title), kAllFilters)) << title;
    }
    EXPECT_FALSE(IsExcludedWindowTitle("windows")) << "case counts";
    EXPECT_FALSE(IsExcludedWindowTitle("Windows ")) << "the whole title";
    EXPECT_FALSE(IsExcludedWindowTitle("Quorvelle - settings"));
    EXPECT_FALSE(IsExcludedWindowTitle(program.substr(0, 8))) << "a prefix of the Japanese title";
    EXPECT_FALSE(IsExcludedWindowTitle("\"" + program + "\"\x82\xcc\x90\xdd\x92\xe8")) << "the settings dialog";
}

TEST(WindowListRules, EntriesAndStylesReadAsTheListShowsThem) {
    EXPECT_EQ(WindowListEntry("Editor", false), "Editor");
    EXPECT_EQ(WindowListEntry("OK", true), "    OK") << "a descendant, four spaces in";
    EXPECT_EQ(WindowListEntry(std::string_view("a\0b", 3), false).size(), 3u) << "bytes taken as they come";
    EXPECT_EQ(WindowStyleText(kVisibleChild), "50000000");
    EXPECT_EQ(WindowStyleText(0x100u), "00000100") << "leading zeros";
    EXPECT_EQ(WindowStyleText(0x16CF0000u), "16cf0000") << "lower case";
    EXPECT_EQ(WindowStyleText(0xFFFFFFFFu), "ffffffff");
}

TEST(WindowListRules, CentreSplitsTheWorkAreaLeftAroundTheWindow) {
    const ScreenPoint p = CentredPosition({0, 0, 1920, 1040}, 400, 300);
    EXPECT_EQ(p.x, 760);
    EXPECT_EQ(p.y, 370);
    const ScreenPoint odd = CentredPosition({0, 0, 1920, 1040}, 401, 301);
    EXPECT_EQ(odd.x, 759) << "integer halves";
    EXPECT_EQ(odd.y, 369);
    const ScreenPoint shifted = CentredPosition({100, 40, 2020, 1080}, 400, 300);
    EXPECT_EQ(shifted.x, 860) << "a taskbar on the left";
    EXPECT_EQ(shifted.y, 410) << "and at the top";
    const ScreenPoint large = CentredPosition({0, 0, 1280, 1024}, 1480, 1224);
    EXPECT_EQ(large.x, -100) << "a window larger than the work area overhangs both sides";
    EXPECT_EQ(large.y, -100);
}

TEST(WindowListRules, RefreshKeepsTheSelectionWhileTheListIsLongEnough) {
    EXPECT_EQ(SelectionAfterRefresh(3, 5), 3);
    EXPECT_EQ(SelectionAfterRefresh(4, 5), 4) << "the last entry";
    EXPECT_EQ(SelectionAfterRefresh(5, 5), 0) << "the list grew shorter: the first";
    EXPECT_EQ(SelectionAfterRefresh(-1, 5), 0) << "nothing was selected: the first";
    EXPECT_EQ(SelectionAfterRefresh(0, 0), -1) << "an empty list selects nothing";
    EXPECT_EQ(SelectionAfterRefresh(-1, 0), -1);
}

}  // namespace
}  // namespace quor
