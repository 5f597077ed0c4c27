#!/usr/bin/env bash
# The module as a vessel author builds it against the host's own SDK: the
# GV_HOST_SDK configuration with the win32 toolchain, every source file
# compiled against the SDK's headers, and the DLL it links imports only what
# the host exports, and flies. The SDK publishes its headers, not its import
# libraries: the import library the win32 build makes from our headers stands
# in for orbiter.lib, an empty one for orbitersdk.lib. Then every struct the
# module hands to the host, and the VESSEL, laid out by the win32 compiler
# from our headers and from the SDK's: the same sizes and member offsets
# (tests/windows/layout).
#   sdk-module.sh [SDK]      (default: ../shared/sdk beside the project)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
sdk=${1:-$root/../shared/sdk}
if [ ! -d "$sdk/include" ] || [ ! -f "$sdk/exports.2016.txt" ]; then
  echo "skipped: no host SDK at $sdk"
  exit 77
fi
work=$root/build/win32-sdk
mkdir -p "$work/sdk/lib"
ln -sfn "$(cd "$sdk" && pwd)/include" "$work/sdk/include"
cp "$root/build/win32/host/abi/liborbiter-imports.a" "$work/sdk/lib/orbiter.lib"
rm -f "$work/sdk/lib/orbitersdk.lib"
i686-w64-mingw32-ar rc "$work/sdk/lib/orbitersdk.lib"
cmake -S "$root" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DGV_HOST_SDK="$work/sdk" >"$work/configure.log"
cmake --build "$work/build" -j 2 >"$work/build.log" 2>&1 || { cat "$work/build.log"; exit 1; }
sources=$(find "$root/src" -name '*.cpp' | wc -l)
objects=$(find "$work/build" -name '*.cpp.obj' | wc -l)
[ "$objects" -eq "$sources" ] || { echo "$objects objects for $sources sources"; exit 1; }
echo "$sources source files compiled against $sdk/include"
bash "$root/tests/windows/check-imports.sh" "$work/build/bin/genvessel.dll" "$sdk"
# And it flies: the bench loads it from a root's Modules folder.
flight=$(mktemp -d)
trap 'rm -rf "$flight"' EXIT
cp -r "$root/examples/kestrel/." "$flight/"
mkdir -p "$flight/Modules"
cp "$work/build/bin/genvessel.dll" "$flight/Modules/"
wine "$root/build/win32/bin/vesselsim.exe" run --root "$flight" "$flight/Scenarios/Kestrel.scn" --steps 50 \
  --watch SHIP:ALTITUDE --watch ELECTRIC:BATT:VOLTS | tee "$flight/run.txt"
grep -q "^SHIP:ALTITUDE = 300000" "$flight/run.txt"

layout=$root/tests/windows/layout
compile() {
  i686-w64-mingw32-g++-posix -std=c++17 -msse2 -mfpmath=sse -D_USE_MATH_DEFINES -DNOMINMAX -I "$layout" "$@"
}
compile -c "$layout/LayoutTable.cpp" -o "$flight/ours.o" -DLAYOUT_TABLE=gv_layout_ours -I "$root/host/include"
compile -c "$layout/LayoutTable.cpp" -o "$flight/sdk.o" -DLAYOUT_TABLE=gv_layout_sdk \
  -include "$root/cmake/sdk-prelude.h" -I "$work/build/sdk-shim" -I "$sdk/include"
compile "$layout/CompareLayouts.cpp" "$flight/ours.o" "$flight/sdk.o" -o "$flight/layouts.exe" -static
wine "$flight/layouts.exe"
echo "1 passed, 0 failed"
