// The check that every test program leaves the bench at rest: what a test leaves behind is found,
// named, and put back.
#include "tests/wine/support/bench_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/wine/support/rest_state.h"

namespace {

bool Mentions(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines)
        if (line.find(text) != std::string::npos) return true;
    return false;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += "\n  " + line;
    return all;
}

void PutOnClipboard(const char* text) {
    ASSERT_TRUE(bench::WaitFor([] { return ::OpenClipboard(nullptr) != FALSE; }));
    ::EmptyClipboard();
    const size_t size = std::strlen(text) + 1;
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(memory), text, size);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

TEST(BenchRest, WhatATestLeavesBehindIsFoundAndPutBack) {
    const bench::RestState before = bench::ReadRestState();
    ASSERT_EQ(bench::NotAtRest(before), std::vector<std::string>{}) << "1. at rest to begin with";

    // 2. A program with a window, a held key, the clipboard, a system parameter and a file.
    auto leftBehind = std::make_unique<bench::TargetProcess>(bench::WindowAt("left behind", {200, 200, 500, 400}));
    bench::Key(VK_SHIFT, true);
    PutOnClipboard("left behind");
    HKEY mouse = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Mouse", 0, KEY_SET_VALUE, &mouse), ERROR_SUCCESS);
    ::RegSetValueExA(mouse, "QuorRestProbe", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    ::RegCloseKey(mouse);
    std::ofstream(bench::ProgramDir() + "\\left-behind.txt") << "x";

    bench::RestState now;
    ASSERT_TRUE(bench::WaitFor([&] {
        now = bench::ReadRestState();
        return !now.keysDown.empty();
    }));
    const std::vector<std::string> notAtRest = bench::NotAtRest(now);
    EXPECT_TRUE(Mentions(notAtRest, "a program still runs: qhelper.exe")) << "2." << Lines(notAtRest);
    EXPECT_TRUE(Mentions(notAtRest, "a window shows: QuorTarget \"left behind\"")) << "2." << Lines(notAtRest);
    EXPECT_TRUE(Mentions(notAtRest, "a key or button is held: virtual key 16")) << "2." << Lines(notAtRest);
    EXPECT_TRUE(Mentions(notAtRest, "the clipboard holds")) << "2." << Lines(notAtRest);
    const std::vector<std::string> changed = bench::ChangedSince(before, now);
    EXPECT_TRUE(Mentions(changed, "Control Panel\\Mouse\\QuorRestProbe was added")) << "2." << Lines(changed);
    EXPECT_TRUE(Mentions(changed, "a file was left beside the programs: left-behind.txt")) << "2." << Lines(changed);

    // 3. Put back: nothing is found any more.
    bench::ReturnToRest(before, now);
    bench::RestState after;
    EXPECT_TRUE(bench::WaitFor([&] {
        after = bench::ReadRestState();
        return bench::NotAtRest(after).empty() && bench::ChangedSince(before, after).empty();
    })) << "3." << Lines(bench::NotAtRest(after)) << Lines(bench::ChangedSince(before, after));
}

}  // namespace
