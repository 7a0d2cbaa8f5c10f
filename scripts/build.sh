#!/usr/bin/env bash
# Configures and builds both the native and the cross build into build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUOR_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
