#!/usr/bin/env bash
# Builds the two deliverables and writes the zip for Windows users into dist/, with its SHA-256.
# The optimised build (NDEBUG) is stripped of its symbols and debug information for the zip. The
# same sources give the same bytes, wherever they are checked out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUOR_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" >/dev/null
version=2.2.7.0
zip=$root/dist/Quorvelle-$version-win64.zip
stage=$build/package
rm -rf "$stage"
mkdir -p "$stage" "$root/dist"
# Stripping writes a time into each image: the release's date (2026-12-01), as in the zip.
for file in Quorvelle.exe Quordll.dll; do
  SOURCE_DATE_EPOCH=1796083200 x86_64-w64-mingw32-strip --strip-all -o "$stage/$file" "$build/windows/bin/$file"
done
rm -f "$zip"
python3 "$root/packaging/make_zip.py" "$zip" "$stage/Quorvelle.exe" "$stage/Quordll.dll" \
  "$root/packaging/Readme-ja.txt"
echo "package: $zip ($(stat -c %s "$zip") bytes)"
echo "SHA-256: $(sha256sum "$zip" | cut -d' ' -f1)"
