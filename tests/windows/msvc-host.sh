#!/usr/bin/env bash
# The module DLL driven by a host built as the 2016 host was: Microsoft's C++
# ABI (clang's, with lld-link), from the host's own SDK headers alone, and
# named orbiter.exe so that the module's imports bind to it. Under Wine it
# loads Modules\genvessel.dll from a copy of the Kestrel's root, binds every
# import, and calls the vessel through VESSEL2 only (tests/windows/msvc-host).
# Then again with MinGW's shared libgcc (and the winpthread it needs) loaded
# first, for a callback that fails inside the module.
#   msvc-host.sh [SDK]      (default: ../shared/sdk beside the project)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
sdk=${1:-$root/../shared/sdk}
if [ ! -d "$sdk/include" ]; then
  echo "skipped: no host SDK at $sdk"
  exit 77
fi
sdk=$(cd "$sdk/include" && pwd)
source=$root/tests/windows/msvc-host
out=$root/build/msvc-host
mkdir -p "$out"

# No Microsoft C runtime here: Wine's msvcrt.dll, kernel32.dll and gdi32.dll
# through import libraries of the few functions the host calls, no startup
# code (so no stack probes and nothing run before the entry point), and the
# SDK's classes exported without their inline members, which would otherwise
# pull in every class the headers declare.
for dll in kernel32 gdi32 msvcrt; do
  llvm-dlltool -m i386 -k -d "$source/imports/$dll.def" -l "$out/$dll.lib"
done
for part in HostMain HostVessel HostPanel; do
  # -Wno-ignored-qualifiers: the SDK's `const OBJHANDLE` returns give the Q of the decorated names.
  clang++-14 --target=i686-pc-windows-msvc -std=c++17 -O1 -msse2 -mno-stack-arg-probe -fno-rtti -fno-exceptions \
    -DOAPI_IMPLEMENTATION -Xclang -fno-dllexport-inlines -Wall -Wextra -Werror -Wno-ignored-qualifiers \
    -I "$source/include" -isystem "$sdk" -isystem "$sdk/Lua" -c "$source/$part.cpp" -o "$out/$part.obj"
done
lld-link /nologo /nodefaultlib /entry:HostEntry /subsystem:console /out:"$out/orbiter.exe" \
  "$out"/Host*.obj "$out"/{kernel32,gdi32,msvcrt}.lib

run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
cp -r "$root/examples/kestrel/." "$run/"
mkdir -p "$run/Modules"
cp "$root/build/win32/bin/genvessel.dll" "$run/Modules/"
cp "$out/orbiter.exe" /usr/lib/gcc/i686-w64-mingw32/12-posix/libgcc_s_dw2-1.dll \
  /usr/i686-w64-mingw32/lib/libwinpthread-1.dll "$run/"
export WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY=

# Wine binds an import it cannot find to a stub and says so in its module
# warnings; a module that takes the process down leaves no summary line.
drive() {
  local name=$1
  shift
  echo "== orbiter.exe${*:+ $*}"
  local status=0
  (cd "$run" && WINEDEBUG=warn+module timeout 60 wine orbiter.exe "$@" >"$name.out" 2>"$name.wine") || status=$?
  cat "$run/$name.out"
  if grep "No implementation" "$run/$name.wine"; then status=1; fi
  if ! grep -q "^[0-9]* checks, " "$run/$name.out"; then
    echo "orbiter.exe ended (status $status) before its summary line"
    grep -v ":fixme:\|:warn:\|:err:\|^$" "$run/$name.wine" | head -20 || true
    status=1
  fi
  return $status
}

failed=0
drive flight || failed=$((failed + 1))
drive failing --preload libgcc_s_dw2-1.dll --fail-callback || failed=$((failed + 1))
echo "$((2 - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
