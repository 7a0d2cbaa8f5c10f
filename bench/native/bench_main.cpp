#include <cstdio>

#include "bench/native/native_benches.h"

int main() {
    RunSnapBench();
    std::printf("\n");
    RunSettingsFileBench();
    return 0;
}
