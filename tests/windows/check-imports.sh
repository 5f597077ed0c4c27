#!/usr/bin/env bash
# A module DLL the real host can load: it imports from orbiter.exe and from
# Windows' own DLLs only, and (given the host's export list) every import
# from orbiter.exe is, demangled, a function the host exports.
#   check-imports.sh DLL [EXPORT_LIST]
set -euo pipefail
dll=$1
exports=${2:-}
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
# Whitespace aside: the export list writes "(void)const  ", llvm-undname "(void) const".
missing=$(llvm-undname <<<"$names" | grep -v '^?' | grep -v '^$' | tr -d ' \t' |
          grep -vxFf <(tr -d ' \t\r' <"$exports") || true)
if [ -n "$missing" ]; then
  echo "$dll imports from orbiter.exe what the host does not export:"
  echo "$missing"
  exit 1
fi
echo "$dll: $count imports from orbiter.exe, each a function the host exports"
