// A settings file with both desktop icon tables full (1024 icons each, three keys an icon): the
// time to write it from nothing, and to read it and both tables back.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/framework/ini_document.h"
#include "app/tools/icon_layout.h"
#include "bench/native/native_benches.h"

namespace {

quor::IconLayoutTable FullTable(const char* prefix) {
    quor::IconLayoutTable table;
    for (int i = 0; i < 1024; ++i)
        table.entries.push_back({std::string(prefix) + " shortcut " + std::to_string(i) + ".lnk", (i % 16) * 75, (i / 16) * 70});
    return table;
}

template <typename F>
double Milliseconds(F work, int rounds) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) work();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / rounds;
}

constexpr int kRounds = 20;

}  // namespace

void RunSettingsFileBench() {
    const quor::IconLayoutTable large = FullTable("large"), small = FullTable("small");
    std::string text;
    const double save = Milliseconds([&] {
        quor::IniDocument file;
        for (int key = 0; key < 38; ++key) file.SetInt("Config", "Key" + std::to_string(key), key);
        quor::WriteIconLayout(file, "IconBig", large);
        quor::WriteIconLayout(file, "IconSmall", small);
        text = file.Text();
    }, kRounds);
    size_t icons = 0;
    const double load = Milliseconds([&] {
        const quor::IniDocument file(text);
        icons = quor::ReadIconLayout(file, "IconBig", {1280, 1024}).entries.size() +
                quor::ReadIconLayout(file, "IconSmall", {1280, 1024}).entries.size();
    }, kRounds);
    std::printf("settings file with two full icon tables (%zu bytes, %zu icons read back)\n", text.size(), icons);
    std::printf("%-10s %8.2f ms\n%-10s %8.2f ms\n", "save", save, "load", load);
    std::printf("target: each under 10 ms\n");
}
