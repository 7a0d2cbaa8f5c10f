#pragma once
// The benchmarks of the platform-free code, each printing its figures.

void RunSnapBench();
void RunSettingsFileBench();
