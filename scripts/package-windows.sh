#!/usr/bin/env bash
# Packs the Windows build (the win32 preset) into a zip: the bench, the host
# stand-in (a DLL named orbiter.exe, as the real host's executable is), the
# module in Modules/, the examples and the documentation. Each binary has
# the compiler's runtime linked in. A Windows user unzips it and runs vesselsim.exe with
# nothing else to install.
#   scripts/package-windows.sh [ZIP]     (default dist/genvessel-win32.zip)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zip=$(realpath -m "${1:-$root/dist/genvessel-win32.zip}")
bin=$root/build/win32/bin
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

pack=$stage/genvessel-win32
mkdir -p "$pack/Modules"
cp "$bin/vesselsim.exe" "$bin/orbiter.exe" "$pack/"
cp "$bin/genvessel.dll" "$pack/Modules/"
cp -r "$root/examples" "$root/docs" "$root/README.md" "$pack/"
# Logs the tests left in the example folders are not part of them.
find "$pack/examples" -name Varneldebug.txt -delete

mkdir -p "$(dirname "$zip")"
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip genvessel-win32)
echo "packed $zip"
