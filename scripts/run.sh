#!/usr/bin/env bash
# Builds Quorvelle and starts it in a Wine desktop. On a display it runs until you exit it
# from its notification-area icon; without one it runs under Xvfb, saves a screenshot and stops.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUOR_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

bench_dir=$build/run-bench
bin=$build/windows/bin
had_display=${DISPLAY:-}
"$root/tests/bench/bench.sh" start "$bench_dir" --on-display --shell
trap '"$root/tests/bench/bench.sh" stop "$bench_dir"' EXIT
# shellcheck disable=SC1091
source "$bench_dir/bench.env"

# A window to drag and snap.
wine notepad >/dev/null 2>&1 &
if [ -n "$had_display" ]; then
  echo "Quorvelle is running on $DISPLAY; exit it from its notification-area icon (終了)."
  wine "$bin/Quorvelle.exe"
else
  wine "$bin/Quorvelle.exe" &
  sleep 5
  shot=$build/quorvelle-screenshot.png
  import -display "$DISPLAY" -window root "$shot"
  echo "Screenshot of the resident program in the Wine desktop: $shot"
fi
