// Time per call of SnapMove and SnapSize with 0, 16 and 256 targets (figures only).
#include <cstdio>
#include <vector>

#include "bench/native/native_benches.h"
#include "bench/per_call_timer.h"
#include "hooklib/window/snap_geometry.h"

namespace {

template <typename T>
void KeepAlive(T& value) {
    asm volatile("" : "+m"(value));
}

std::vector<quor::Rect> Targets(int count) {
    std::vector<quor::Rect> targets;
    for (int i = 0; i < count; ++i) {
        const int x = (i * 97) % 1100, y = (i * 53) % 800;
        targets.push_back({x, y, x + 180 + i % 50, y + 140 + i % 30});
    }
    return targets;
}

constexpr int kCalls = 200000;

}  // namespace

void RunSnapBench() {
    std::printf("%-10s %8s %14s %14s\n", "targets", "", "SnapMove ns", "SnapSize ns");
    for (int count : {0, 16, 256}) {
        const std::vector<quor::Rect> windows = Targets(count);
        const quor::SnapTargets targets{windows.data(), count, {0, 0, 1280, 990}, true};
        const int32_t sized[4] = {0, 1, 1, 0};
        const double move = NanosecondsPerCall([&](int i) {
            quor::Rect r{100 + i % 900, 100 + i % 700, 500 + i % 900, 400 + i % 700};
            quor::SnapMove(targets, r, 20);
            KeepAlive(r);
        }, kCalls);
        const double size = NanosecondsPerCall([&](int i) {
            quor::Rect r{100 + i % 900, 100 + i % 700, 500 + i % 900, 400 + i % 700};
            quor::SnapSize(targets, r, 20, sized);
            KeepAlive(r);
        }, kCalls);
        std::printf("%-10d %8s %14.1f %14.1f\n", count, "", move, size);
    }
    std::printf("target: SnapMove with 256 targets under 2000 ns\n");
}
