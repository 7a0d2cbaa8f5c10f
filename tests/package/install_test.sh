#!/usr/bin/env bash
# Installs the release zip as a person does, on the running bench: unpacks it into a new folder
# inside the Wine prefix, starts the program from there, sees its icon, exits from its menu. Then
# "Quorvelle.ini" must be beside the program and nothing else written: no other file of the
# prefix's drive changed, no registry key or value added or changed.
# Usage: install_test.sh ZIP QINSTALL.EXE   (QUOR_BENCH_DIR names the running bench)
set -euo pipefail
zip=${1:?zip}
qinstall=${2:?qinstall.exe}
state_dir=${QUOR_BENCH_DIR:?QUOR_BENCH_DIR is not set}
if [ ! -f "$zip" ]; then
  echo "install_test: $zip is missing: scripts/package.sh builds it" >&2
  exit 1
fi
# shellcheck disable=SC1091
source "$state_dir/bench.env"
drive=$WINEPREFIX/drive_c
folder=$drive/users/Public/Quorvelle-$$
work=$(mktemp -d)
trap 'rm -rf "$work" "$folder"' EXIT

# The user's and the machine's software keys, as text. Left out, as the system's own: the key
# where Wine keeps system parameters changed for the session only (Windows keeps those in no key),
# and the audio devices, which Wine's sound driver records when a fresh prefix first plays or
# reads a volume (Windows has them from its installation).
registry() {
  { wine reg query 'HKCU\Software' /s; wine reg query 'HKLM\Software' /s; } 2>/dev/null | tr -d '\r' |
    awk '/^HKEY_/ { skip = index($0, "\\Software\\Wine\\Temporary System Parameters") > 0 ||
                           index($0, "\\Software\\Wine\\Drivers") > 0 ||
                           index($0, "\\CurrentVersion\\MMDevices") > 0 } !skip'
}

mkdir -p "$folder"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$folder"
ls "$folder"
registry >"$work/before.reg"
sleep 1.1  # file times are compared by the second on some file systems
touch "$work/marker"

wine "$qinstall" "$(winepath -w "$folder/Quorvelle.exe")"

status=0
if [ ! -s "$folder/Quorvelle.ini" ]; then
  echo "install_test: FAILED: no Quorvelle.ini beside the program" >&2
  status=1
fi
grep -q '^\[Config\]' "$folder/Quorvelle.ini" 2>/dev/null || { echo "install_test: FAILED: no settings in it" >&2; status=1; }
# Every file the run wrote, other than the settings beside the program.
written=$(find "$drive" -newer "$work/marker" -type f ! -path "$folder/Quorvelle.ini" | sort || true)
if [ -n "$written" ]; then
  echo "install_test: FAILED: files written outside the program's folder:" >&2
  echo "$written" >&2
  status=1
fi
registry >"$work/after.reg"
if ! diff "$work/before.reg" "$work/after.reg" >"$work/registry.diff"; then
  echo "install_test: FAILED: registry changed:" >&2
  head -40 "$work/registry.diff" >&2
  status=1
fi
[ $status -eq 0 ] && echo "install_test: installed, ran, exited; only Quorvelle.ini written, beside the program"
exit $status
