#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo need, once.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev
  libpng-dev libstb-dev libfreetype-dev libfontconfig-dev
  libosmesa6-dev libglu1-mesa-dev
  fonts-dejavu-core fonts-liberation
  gnuplot-nox
  libcpp-httplib-dev nlohmann-json3-dev python3
  libgraphviz-dev
  chromium chromium-driver python3-selenium
)
# The 32-bit Windows build and Wine to run it. Wine's recommended packages
# are its OpenGL (Mesa), fonts and the like, so they are installed too. lld
# links the host built with Microsoft's ABI that drives the module DLL.
windows_packages=(
  g++-mingw-w64-i686-posix googletest
  wine wine32:i386 file llvm lld
)

# The packages of the list given that are not installed yet.
missing_of() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

missing=($(missing_of "${packages[@]}"))
missing_windows=($(missing_of "${windows_packages[@]}"))
[ ${#missing[@]} -eq 0 ] && [ ${#missing_windows[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "setup: installing ${missing[*]} ${missing_windows[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
# Another apt-get (an unattended upgrade, a second set-up) may hold the
# package lock for a while: wait for it rather than fail at once.
apt=(apt-get -o DPkg::Lock::Timeout=600)
$sudo "${apt[@]}" update -qq
export DEBIAN_FRONTEND=noninteractive
[ ${#missing[@]} -eq 0 ] || $sudo "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
[ ${#missing_windows[@]} -eq 0 ] || $sudo "${apt[@]}" install -y -qq "${missing_windows[@]}"
