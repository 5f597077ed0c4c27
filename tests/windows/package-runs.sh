#!/usr/bin/env bash
# The Windows zip, unpacked into a scratch folder, flies the reference vessel
# and draws its main panel under Wine from its own folder alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
bash "$root/scripts/package-windows.sh" "$scratch/genvessel-win32.zip"
cd "$scratch"
cmake -E tar xf genvessel-win32.zip
# A 32-bit Windows DLL that exports the three entry points the 2016 host looks
# up and the older hosts' callbacks, by their plain names.
module=genvessel-win32/Modules/genvessel.dll
file "$module" | grep -q "PE32 executable (DLL).*Intel 80386"
exports=$(i686-w64-mingw32-objdump -p "$module")
for callback in GetModuleVersion ovcInit ovcExit ovcTimestep ovcLoadStateEx ovcSaveState ovcLoadPanel ovcPanelRedrawEvent \
    ovcPanelMouseEvent ovcMFDmode ovcConsumeBufferedKey; do
  grep -qE "\] $callback$" <<<"$exports" || { echo "genvessel.dll does not export $callback"; exit 1; }
done
# It imports the host API from orbiter.exe, where the real host exports it,
# and needs nothing else but Windows' own DLLs.
sdk=$root/../shared/sdk
[ -d "$sdk/include" ] || { echo "no host SDK at $sdk: imports not checked against it"; sdk=""; }
bash "$root/tests/windows/check-imports.sh" "$module" $sdk
kestrel=genvessel-win32/examples/kestrel
wine genvessel-win32/vesselsim.exe run --root "$kestrel" "$kestrel/Scenarios/Kestrel.scn" --steps 50 \
  --panel 0 --png main.png --watch SHIP:ALTITUDE | tee run.txt
grep -q "^SHIP:ALTITUDE = 300000" run.txt
[ -s main.png ]
echo "1 passed, 0 failed"
