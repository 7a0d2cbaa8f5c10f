#include "app/resident/ignore_list.h"

#include <gtest/gtest.h>

#include <string>

namespace quor {
namespace {

using Entries = std::vector<std::string>;

TEST(IgnoreList, ProgramFilesByTheirExactExtensionAndClassesOtherwise) {
    const IgnoreList list = ParseIgnoreList("game.exe\r\n\r\nConsoleWindow*\r\nTOOL.EXE\nabc\nlast.dll");
    EXPECT_EQ(list.programFiles, (Entries{"game.exe", "last.dll"})) << "the last line needs no line end";
    EXPECT_EQ(list.windowClasses, (Entries{"ConsoleWindow*", "TOOL.EXE", "abc"}))
        << "the extension compared with case; three characters are a class";
    EXPECT_EQ(ParseIgnoreList("").windowClasses.size(), 0u);
    EXPECT_EQ(ParseIgnoreList(".exe\n").programFiles, (Entries{".exe"})) << "four characters are enough";
}

TEST(IgnoreList, LongLinesAreCutAndFullTablesTakeNoMore) {
    const std::string longLine(300, 'x');
    IgnoreList list = ParseIgnoreList(longLine + "\nnext\n");
    ASSERT_EQ(list.windowClasses.size(), 2u) << "a long line is one entry, not two";
    EXPECT_EQ(list.windowClasses[0], std::string(255, 'x'));
    EXPECT_EQ(list.windowClasses[1], "next");
    // 254 single bytes and then "あ" (0x82 0xA0): cutting at 255 would split the character.
    list = ParseIgnoreList(std::string(254, 'y') + "\x82\xa0" + "z\n");
    EXPECT_EQ(list.windowClasses[0], std::string(254, 'y'));
    std::string many;
    for (int i = 0; i < 70; ++i) many += "Class" + std::to_string(i) + "\r\n" + "p" + std::to_string(i) + ".exe\r\n";
    list = ParseIgnoreList(many);
    EXPECT_EQ(list.windowClasses.size(), 64u);
    EXPECT_EQ(list.programFiles.size(), 64u);
    EXPECT_EQ(list.windowClasses.back(), "Class63") << "the first 64 are kept";
}

}  // namespace
}  // namespace quor
