#pragma once
// Time per call of a function run many times, after a warm-up of a tenth as many calls.
#include <chrono>

template <typename F>
double NanosecondsPerCall(F call, int calls) {
    for (int i = 0; i < calls / 10; ++i) call(i);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) call(i);
    const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / calls;
}
