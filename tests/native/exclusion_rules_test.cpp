#include "hooklib/window/exclusion_rules.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quor {
namespace {

TEST(IgnoreClass, ExactOrStarPrefix) {
    EXPECT_TRUE(ClassMatchesIgnoreEntry("Notepad", "Notepad"));
    EXPECT_FALSE(ClassMatchesIgnoreEntry("Notepad2", "Notepad"));
    EXPECT_FALSE(ClassMatchesIgnoreEntry("notepad", "Notepad")) << "case-sensitive";
    EXPECT_TRUE(ClassMatchesIgnoreEntry("Afx:400000:0", "Afx:*"));
    EXPECT_TRUE(ClassMatchesIgnoreEntry("Afx:", "Afx:*"));
    EXPECT_FALSE(ClassMatchesIgnoreEntry("Af", "Afx:*"));
    EXPECT_FALSE(ClassMatchesIgnoreEntry("Notepad", "")) << "an empty entry matches nothing";
    EXPECT_FALSE(ClassMatchesIgnoreEntry("", ""));
}

TEST(IgnoreExe, SubstringOfThePathWithTheSameCase) {
    const char* path = "C:\\windows\\system32\\notepad.exe";
    EXPECT_TRUE(PathMatchesIgnoreExe(path, "notepad.exe"));
    EXPECT_FALSE(PathMatchesIgnoreExe(path, "NOTEPAD.EXE"));
    EXPECT_TRUE(PathMatchesIgnoreExe(path, "system32"));
    EXPECT_FALSE(PathMatchesIgnoreExe("", "notepad.exe")) << "an unreadable path excludes nothing";
    EXPECT_FALSE(PathMatchesIgnoreExe("a.exe", "longer than the path.exe"));
}

TEST(DockingToolClasses, ExactNamesOnly) {
    EXPECT_TRUE(IsDockingToolClass("TWatchWindow"));
    EXPECT_TRUE(IsDockingToolClass("Afx:400000:8:10011:0:0"));
    EXPECT_TRUE(IsDockingToolClass("TCodeguardLog"));
    EXPECT_FALSE(IsDockingToolClass("TWatchWindow2"));
    EXPECT_FALSE(IsDockingToolClass("twatchwindow"));
}

TEST(MdiFrameTitle, JascPrefix) {
    EXPECT_TRUE(IsExcludedMdiFrameTitle("Jasc Paint Shop Pro - image1"));
    EXPECT_FALSE(IsExcludedMdiFrameTitle("Jasc Paint Sho"));
    EXPECT_FALSE(IsExcludedMdiFrameTitle(""));
}

TEST(SlotText, NeverReadsPastTheSlot) {
    char slot[8];
    std::memset(slot, 'x', sizeof slot);  // no terminator: another process wrote nonsense
    EXPECT_EQ(SlotText(slot).size(), 8u);
    EXPECT_FALSE(ClassMatchesIgnoreEntry("xxxxxxxxy", SlotText(slot)));
    EXPECT_TRUE(ClassMatchesIgnoreEntry("xxxxxxxx", SlotText(slot)));
    slot[3] = '\0';
    EXPECT_EQ(SlotText(slot), "xxx");
    EXPECT_TRUE(PathMatchesIgnoreExe("C:\\xxx.exe", SlotText(slot)));
}

}  // namespace
}  // namespace quor
