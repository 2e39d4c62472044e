#!/bin/bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the
# program. Does nothing when everything is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest file procps
  clang-14 libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  wine wine32:i386 wine64
  xvfb xdotool x11-apps x11-utils x11-xserver-utils imagemagick
  libcairo2-dev libpng-dev libstb-dev fonts-dejavu-core zopfli optipng
  nsis zip unzip
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
# A kernel that cannot run 32-bit code makes some i386 post-install steps
# fail harmlessly; the packages themselves are installed.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null || {
  dpkg --configure -a >/dev/null 2>&1 || true
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
