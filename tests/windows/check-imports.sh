#!/usr/bin/env bash
# A module DLL the real host can load: it imports from orbiter.exe and from
# Windows' own DLLs only, and (given the host's SDK) every import from
# orbiter.exe is, byte for byte, the name Microsoft's compiler gives one of
# the SDK's declarations, and, undecorated, a function the host's export list
# holds.
#   check-imports.sh DLL [SDK]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dll=$1
sdk=${2:-}
exports=${sdk:+$sdk/exports.2016.txt}
table=$(i686-w64-mingw32-objdump -p "$dll")
dlls=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$table" | sort -u)
for name in $dlls; do
  case $name in
    orbiter.exe | kernel32.dll | user32.dll | gdi32.dll | opengl32.dll | glu32.dll | msvcrt.dll) ;;
    *) echo "$dll imports from $name"; exit 1 ;;
  esac
done
names=$(awk '/DLL Name:/ { host = tolower($3) == "orbiter.exe"; next }
             host && /^\t[0-9a-f]+\t/ { print $3 }' <<<"$table")
count=$(grep -c . <<<"$names" || true)
[ "$count" -gt 0 ] || { echo "$dll imports nothing from orbiter.exe"; exit 1; }
if [ -z "$exports" ]; then
  echo "$dll: $count imports from orbiter.exe (no export list to check them against)"
  exit 0
fi
python3 "$here/check-decorated-imports.py" "$dll" "$sdk/include" "$here/msvc-host/include"
# Whitespace aside: the export list writes "(void)const  ", llvm-undname "(void) const";
# and its undecorator leaves out a returned pointer's own const ("void * const").
missing=$(llvm-undname <<<"$names" | grep -v '^?' | grep -v '^$' | tr -d ' \t' | sed 's/\*const__/*__/' |
          grep -vxFf <(tr -d ' \t\r' <"$exports") || true)
if [ -n "$missing" ]; then
  echo "$dll imports from orbiter.exe what the host does not export:"
  echo "$missing"
  exit 1
fi
echo "$dll: $count imports from orbiter.exe, each a function the host exports"
