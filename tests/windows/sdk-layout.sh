#!/usr/bin/env bash
# Every struct the module hands to the host, and the VESSEL itself, laid out
# by the win32 compiler from our host headers and from the host SDK's: the
# same sizes and member offsets (tests/windows/layout).
#   sdk-layout.sh [SDK]      (default: ../shared/sdk beside the project)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
sdk=${1:-$root/../shared/sdk}
if [ ! -d "$sdk/include" ]; then
  echo "skipped: no host SDK at $sdk"
  exit 77
fi
layout=$root/tests/windows/layout
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The SDK includes its Lua headers as "lua\lua.h", a folder only on Windows.
mkdir -p "$work/shim"
printf '#include "%s/include/Lua/lua.h"\n' "$(cd "$sdk" && pwd)" >"$work/shim/lua\\lua.h"
compile() {
  i686-w64-mingw32-g++-posix -std=c++17 -msse2 -mfpmath=sse -D_USE_MATH_DEFINES -DNOMINMAX -I "$layout" "$@"
}
compile -c "$layout/LayoutTable.cpp" -o "$work/ours.o" -DLAYOUT_TABLE=gv_layout_ours -I "$root/host/include"
compile -c "$layout/LayoutTable.cpp" -o "$work/sdk.o" -DLAYOUT_TABLE=gv_layout_sdk \
  -include "$root/cmake/sdk-prelude.h" -I "$work/shim" -I "$sdk/include"
compile "$layout/CompareLayouts.cpp" "$work/ours.o" "$work/sdk.o" -o "$work/layouts.exe" -static
wine "$work/layouts.exe"
echo "1 passed, 0 failed"
