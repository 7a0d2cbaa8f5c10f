#!/usr/bin/env bash
# Builds and runs the benchmarks: the snap engine natively, the hook procedures under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUOR_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
echo "== snap engine (native, -O2)"
"$build/quor_native_bench"
bench_dir=$build/bench-run
"$root/tests/bench/bench.sh" start "$bench_dir" --keeper "$build/windows/bin/qkeep.exe" >/dev/null
trap '"$root/tests/bench/bench.sh" stop "$bench_dir" >/dev/null' EXIT
echo "== mouse hook dispatcher (Wine)"
QUOR_BENCH_DIR=$bench_dir "$root/tests/bench/wine-run.sh" "$build/windows/bin/dispatcher_bench.exe"
echo "== snap targets (Wine)"
QUOR_BENCH_DIR=$bench_dir "$root/tests/bench/wine-run.sh" "$build/windows/bin/snap_targets_bench.exe"
echo "== drag moves: a window of this thread and of another (Wine)"
QUOR_BENCH_DIR=$bench_dir "$root/tests/bench/wine-run.sh" "$build/windows/bin/drag_move_bench.exe"
echo "== message and low-level hooks (Wine)"
QUOR_BENCH_DIR=$bench_dir "$root/tests/bench/wine-run.sh" "$build/windows/bin/hook_procs_bench.exe"
echo "== resident program: start, and idle (Wine)"
QUOR_BENCH_DIR=$bench_dir "$root/tests/bench/wine-run.sh" "$build/windows/bin/startup_bench.exe"
echo "== input while the resident program's thread stands still (Wine)"
QUOR_BENCH_DIR=$bench_dir "$root/tests/bench/wine-run.sh" "$build/windows/bin/busy_program_bench.exe"
