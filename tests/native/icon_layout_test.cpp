#include "app/tools/icon_layout.h"

#include <gtest/gtest.h>

namespace quor {
namespace {

const WorkArea kWork{1920, 1040};

TEST(IconLayout, EntriesRoundTripUnderTheirNumberedKeys) {
    IconLayoutTable table;
    for (int i = 0; i < 13; ++i) table.entries.push_back({"icon " + std::to_string(i), 10 * i, 20 * i});
    IniDocument file;
    WriteIconLayout(file, "IconBig", table);
    const std::string text = file.Text();
    EXPECT_EQ(text.substr(0, 15), "[IconBig]\r\nn=13") << "the count first";
    EXPECT_NE(text.find("icon000_name=icon 0\r\nicon000_x=0\r\nicon000_y=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("icon012_name=icon 12\r\nicon012_x=120\r\nicon012_y=240\r\n"), std::string::npos);
    const IconLayoutTable back = ReadIconLayout(IniDocument(text), "IconBig", kWork);
    ASSERT_EQ(back.entries.size(), 13u);
    EXPECT_EQ(back.entries[12].name, "icon 12");
    EXPECT_EQ(back.entries[12].y, 240);
    EXPECT_TRUE(ReadIconLayout(IniDocument(text), "IconSmall", kWork).entries.empty()) << "the other view's";
}

TEST(IconLayout, PlacesOutsideTheWorkAreaComeBackAtZero) {
    EXPECT_EQ(ClampToWorkArea({"a", 5000, 300}, kWork).x, 0) << "beyond the right edge";
    EXPECT_EQ(ClampToWorkArea({"a", 5000, 300}, kWork).y, 300) << "the other coordinate stays";
    EXPECT_EQ(ClampToWorkArea({"a", -4, 2000}, kWork).y, 0);
    EXPECT_EQ(ClampToWorkArea({"a", 1920, 1040}, kWork).x, 1920) << "on the edge stays";
    const IconLayoutTable table =
        ReadIconLayout(IniDocument("[IconSmall]\nn=2000\nicon000_name=far\nicon000_x=5000\nicon000_y=30\n"),
                       "IconSmall", kWork);
    EXPECT_EQ(table.entries.size(), kIconLayoutEntries) << "a count beyond the table is the table's size";
    EXPECT_EQ(table.entries[0].x, 0);
    EXPECT_EQ(table.entries[0].y, 30);
}

TEST(IconLayout, AnIconGoesToTheFirstEntryOfExactlyItsName) {
    const IconLayoutTable table{{{"Doc", 10, 10}, {"doc", 20, 20}, {"Doc", 30, 30}}};
    EXPECT_EQ(PlaceOf(table, "Doc", kWork)->x, 10);
    EXPECT_EQ(PlaceOf(table, "doc", kWork)->x, 20) << "case counts";
    EXPECT_FALSE(PlaceOf(table, "renamed", kWork)) << "an icon whose text changed stays where it is";
}

}  // namespace
}  // namespace quor
