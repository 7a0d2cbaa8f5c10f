#!/usr/bin/env bash
# Runs one Windows program on the bench that bench.sh started; saves a screenshot when it fails.
# STATE_DIR comes from QUOR_BENCH_DIR.
set -uo pipefail
state_dir=${QUOR_BENCH_DIR:?QUOR_BENCH_DIR is not set}
if [ ! -f "$state_dir/bench.env" ]; then
  echo "wine-run: the bench is not running (start it with tests/bench/bench.sh start $state_dir)" >&2
  exit 1
fi
# shellcheck disable=SC1091
source "$state_dir/bench.env"
# A test may run in a second locale (QUOR_LOCALE): the program and every program it starts take
# that locale's code page, while the bench's desktop keeps its own.
if [ -n "${QUOR_LOCALE:-}" ]; then
  export LANG=$QUOR_LOCALE LC_ALL=$QUOR_LOCALE
fi
# Each program starts with the X pointer parked in a corner of the Wine desktop (see bench.sh).
if [ -n "${QUOR_PARK_POINTER:-}" ]; then
  # shellcheck disable=SC2086
  xdotool mousemove --screen 0 $QUOR_PARK_POINTER >/dev/null 2>&1 || true
fi
# A bench with a copy of the programs of its own runs them from there, and only from there.
program=$1
shift
if [ -d "$state_dir/bin" ]; then
  program=$state_dir/bin/$(basename "$program")
  if [ ! -f "$program" ]; then
    echo "wine-run: $program is not in the bench's copy of the programs (start the bench again)" >&2
    exit 1
  fi
fi
# What Wine writes to the error stream, its notes among it, is kept for the test to read as well:
# the programs a test starts write to the same stream. One file for each run, removed after it.
QUOR_WINE_NOTES=$(mktemp "$state_dir/wine-notes.XXXXXX")
export QUOR_WINE_NOTES
trap 'rm -f "$QUOR_WINE_NOTES"' EXIT
timeout --kill-after=5 "${QUOR_TEST_TIMEOUT:-120}" wine "$program" "$@" 2> >(tee "$QUOR_WINE_NOTES" >&2)
rc=$?
if [ $rc -ne 0 ]; then
  # A program that printed nothing (it did not start, or ended at once) is known by its code.
  echo "wine-run: $(basename "$program") ended with code $rc" >&2
  mkdir -p "$state_dir/screenshots"
  # Named after the test when one was chosen, else after the program.
  name=$(basename "$program" .exe)
  for argument in "$@"; do
    case $argument in --gtest_filter=*) name=${argument#--gtest_filter=} ;; esac
  done
  shot="$state_dir/screenshots/$name-$(date +%H%M%S)-$$.png"
  if import -display "$DISPLAY" -window root "$shot" 2>/dev/null; then
    echo "wine-run: screenshot saved to $shot" >&2
  fi
fi
exit $rc
