#!/usr/bin/env bash
# Builds the release of the two deliverables and writes the zip for Windows users into dist/,
# with its SHA-256. The same sources give the same bytes, wherever they are checked out.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build=${QUOR_RELEASE_DIR:-$root/build-release}
version=2.2.7.0
zip=$root/dist/Quorvelle-$version-win64.zip

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release -DQUOR_RELEASE=ON >/dev/null
cmake --build "$build" --target Quorvelle Quordll -j"$(nproc)"

mkdir -p "$root/dist"
rm -f "$zip"
python3 "$root/packaging/make_zip.py" "$zip" "$build/bin/Quorvelle.exe" "$build/bin/Quordll.dll" \
  "$root/packaging/Readme-ja.txt"
echo "package: $zip ($(stat -c %s "$zip") bytes)"
echo "SHA-256: $(sha256sum "$zip" | cut -d' ' -f1)"
