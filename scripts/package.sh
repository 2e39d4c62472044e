#!/bin/bash
# Builds the shipped 32-bit exe and packs it for Windows users:
#   build/dist/BrivantaCherimo-<version>-setup.exe     per-user installer
#   build/dist/BrivantaCherimo-<version>-portable.zip  the exe and a read-me
# "scripts/package.sh x86_64" packs the 64-bit build into build/x86_64/dist
# the same way: the installer tests' stand-in on machines whose kernel cannot
# run 32-bit code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

preset=${1:-i686}
case "$preset" in
  i686) dist=build/dist target=() ;;
  x86_64) dist=build/x86_64/dist target=(-DTARGET_AMD64) ;;
  *) echo "usage: $0 [i686|x86_64]" >&2; exit 2 ;;
esac

scripts/setup.sh
cmake --preset "$preset" >/dev/null
nice cmake --build --preset "$preset" --target cherimo -j 2 >/dev/null
exe="build/$preset/cherimo.exe"
# The version the exe's version record was built from.
version=$(sed -n 's/^#define CHERIMO_VERSION "\(.*\)"$/\1/p' "build/$preset/resources/version.h")
[ -n "$version" ] || { echo "package: no version in build/$preset/resources/version.h" >&2; exit 1; }

mkdir -p "$dist"
setup="$dist/BrivantaCherimo-$version-setup.exe"
portable="$dist/BrivantaCherimo-$version-portable.zip"
makensis -V2 -WX -DSOURCE="$root" -DEXE="$root/$exe" -DVERSION="$version" -DOUTFILE="$root/$setup" \
  "${target[@]}" installer/cherimo.nsi >/dev/null

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$exe" "$stage/cherimo.exe"
# Notepad on older Windows shows only CRLF line ends.
sed "s/@VERSION@/$version/; s/\$/\r/" installer/README.txt > "$stage/README.txt"
rm -f "$portable"
(cd "$stage" && zip -q -X "$root/$portable" cherimo.exe README.txt)
echo "$setup"
echo "$portable"
