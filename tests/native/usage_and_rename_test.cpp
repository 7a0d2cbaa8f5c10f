#include <gtest/gtest.h>

#include <string>

#include "hooklib/commands/rename_selection.h"
#include "hooklib/core/usage_stats.h"

namespace quor {
namespace {

TEST(MouseStatistics, PressesAndNotchesGoToTheirCounters) {
    EXPECT_EQ(MouseCounterFor(0x0201, 0), 0) << "left press";
    EXPECT_EQ(MouseCounterFor(0x0207, 0), 1) << "middle press";
    EXPECT_EQ(MouseCounterFor(0x0204, 0), 2) << "right press";
    EXPECT_EQ(MouseCounterFor(0x020A, 120), 3) << "a notch away from the user";
    EXPECT_EQ(MouseCounterFor(0x020A, -360), 4) << "towards the user, one count whatever the size";
    EXPECT_EQ(MouseCounterFor(0x020A, 0), 4) << "a delta of 0 counts towards the user";
    for (unsigned other : {0x0200u, 0x0202u, 0x0205u, 0x0208u, 0x020Bu, 0x020Eu})
        EXPECT_EQ(MouseCounterFor(other, 120), kNoMouseCounter) << std::hex << other;
}

TEST(MouseStatistics, TravelStartsOnlyFromAPreviousPosition) {
    EXPECT_DOUBLE_EQ(TravelFrom(0, 0, 300, 400), 0.0) << "(0, 0) means no previous position";
    EXPECT_DOUBLE_EQ(TravelFrom(100, 100, 103, 104), 5.0);
    EXPECT_DOUBLE_EQ(TravelFrom(0, 10, 0, 0), 10.0) << "only both coordinates 0 mean none";
    EXPECT_DOUBLE_EQ(TravelFrom(-1280, 5, 1280, 5), 2560.0) << "a monitor left of the primary";
}

TEST(MouseStatistics, TimeOfUseCountsGapsUnderTenMinutes) {
    const int64_t t = 1'796'000'000;  // a calendar second in 2026
    EXPECT_EQ(SecondsOfUse(0, t), 0u) << "the first move after installation";
    EXPECT_EQ(SecondsOfUse(t, t), 0u) << "the same second";
    EXPECT_EQ(SecondsOfUse(t, t + 3), 3u);
    EXPECT_EQ(SecondsOfUse(t, t + 599), 599u);
    EXPECT_EQ(SecondsOfUse(t, t + 600), 0u) << "a pause of ten minutes";
    EXPECT_EQ(SecondsOfUse(t, t + 700), 0u);
    EXPECT_EQ(SecondsOfUse(t, t - 5), 0u) << "a clock set back";
    EXPECT_EQ(SecondsOfUse(0xFFFF'FFFFll, 0x1'0000'0002ll), 3u) << "across a 32-bit boundary";
}

TEST(MouseStatistics, CalendarSecondsFromTheSystemClock) {
    EXPECT_EQ(CalendarSecondsFromFileTime(116'444'736'000'000'000ull), 0);
    EXPECT_EQ(CalendarSecondsFromFileTime(116'444'736'000'000'000ull + 10'000'000ull * 86'400 + 9'999'999), 86'400)
        << "whole seconds, the fraction dropped";
    EXPECT_EQ(CalendarSecondsFromFileTime(0), 0) << "before 1970: never a negative time";
}

// Applies the cycle to a name from the selection the list view opens its edit with (everything).
std::string Cycle(const std::string& name, int steps) {
    const int dot = static_cast<int>(name.rfind('.'));
    TextSelection s{0, static_cast<int>(name.size())};
    for (int i = 0; i < steps; ++i) s = NextNameSelection(static_cast<int>(name.size()), dot, s);
    return name.substr(s.start, s.end - s.start) + "@" + std::to_string(s.start);
}

TEST(RenameSelection, F2CyclesNameExtensionAndWholeText) {
    EXPECT_EQ(Cycle("report.final.txt", 1), "report.final@0") << "the edit opens on the name";
    EXPECT_EQ(Cycle("report.final.txt", 2), "txt@13");
    EXPECT_EQ(Cycle("report.final.txt", 3), "report.final.txt@0");
    EXPECT_EQ(Cycle("report.final.txt", 4), "report.final@0");
    EXPECT_EQ(Cycle("README", 1), "README@0");
    EXPECT_EQ(Cycle("README", 2), "README@0") << "no dot: always the whole text";
    EXPECT_EQ(Cycle(".profile", 1), "@0") << "dot first: nothing selected, caret at the start";
    EXPECT_EQ(Cycle(".profile", 2), "profile@1");
    EXPECT_EQ(Cycle("name.", 2), "@5") << "an empty extension";
    EXPECT_EQ(NextNameSelection(10, 4, {2, 3}), (TextSelection{0, 4})) << "a selection of the user's own";
    EXPECT_EQ(NextNameSelection(0, -1, {0, 0}), (TextSelection{0, 0})) << "an empty text";
    EXPECT_EQ(NextNameSelection(5, 9, {0, 5}), (TextSelection{0, 5})) << "a dot beyond the text is none";
}

TEST(RenameSelection, ArrowsCollapseASelectionToItsEnds) {
    EXPECT_EQ(CollapsedCaret(10, {0, 6}, true), 6);
    EXPECT_EQ(CollapsedCaret(10, {0, 6}, false), 0);
    EXPECT_EQ(CollapsedCaret(10, {7, 3}, true), 7) << "the larger end, whichever way it was made";
    EXPECT_EQ(CollapsedCaret(10, {7, 3}, false), 3);
    EXPECT_EQ(CollapsedCaret(10, {4, 4}, true), -1) << "nothing selected: the edit box moves the caret";
    EXPECT_EQ(CollapsedCaret(10, {-1, 4}, false), -1);
    EXPECT_EQ(CollapsedCaret(10, {2, 50}, true), 10) << "never beyond the text";
}

}  // namespace
}  // namespace quor
