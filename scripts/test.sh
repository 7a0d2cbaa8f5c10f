#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests and the Windows tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "${QUOR_BUILD_DIR:-$root/build}"
ctest --output-on-failure --timeout 300 "$@"
