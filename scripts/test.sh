#!/usr/bin/env bash
# Builds everything, the release zip too, and runs every test: the native unit tests and the
# Windows tests under Wine, on two benches side by side.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
phase_start=$SECONDS
timing=""
phase_done() { timing+="${timing:+, }$1 $((SECONDS - phase_start)) s"; phase_start=$SECONDS; }
"$root/scripts/setup.sh"
phase_done "set-up"
"$root/scripts/build.sh"
phase_done "build"
# The release zip, which the install test unpacks and runs.
"$root/scripts/package.sh"
phase_done "release zip"
cd "${QUOR_BUILD_DIR:-$root/build}"
# A test that fails is run once more before it counts as failed: Wine's X11 driver now and then
# reorders a mouse event of ours (see tests/wine/known-wine-gaps.cmake); a fault of ours fails both
# runs. The tests that needed the second run are listed at the end: one that needs it again and
# again is a fault to find, not Wine's.
log=Testing/Temporary/LastTest.log
rm -f "$log"
status=0
ctest --output-on-failure --timeout 300 --repeat until-pass:2 -j2 "$@" || status=$?
phase_done "tests (native and Windows, side by side)"
# Each run of a test is logged whole with its result; a test whose failed run is followed by a
# passed one passed only when run again.
retried=""
if [ -f "$log" ]; then
  retried=$(awk '/^[0-9]+\/[0-9]+ Test: / { name = $3 }
                 /^Test Failed\./ { failed[name] = 1 }
                 /^Test Passed\./ && (name in failed) { print name }' "$log" | sort -u)
fi
echo
if [ -n "$retried" ]; then
  echo "Passed only when run again ($(echo "$retried" | wc -l)):"
  echo "$retried" | sed 's/^/  /'
else
  echo "Passed only when run again: none"
fi
echo "Time: $timing; in all $SECONDS s"
exit $status
