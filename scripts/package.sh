#!/bin/bash
# Builds the shipped 32-bit exe and packs it for Windows users:
#   build/dist/BrivantaCherimo-<version>-setup.exe     per-user installer
#   build/dist/BrivantaCherimo-<version>-portable.zip  the exe and a read-me
#   build/dist/SHA256SUMS                               their checksums, for sha256sum -c
# The packages hold the exe without its debug sections and symbols (the build
# folder keeps them), and every time inside them is the commit's
# (SOURCE_DATE_EPOCH when set): two runs on one commit give the same bytes.
# "scripts/package.sh x86_64" packs the 64-bit build into build/x86_64/dist
# the same way: the installer tests' stand-in on machines whose kernel cannot
# run 32-bit code. A build folder as second argument builds only the program
# there and packs into its own dist folder: the tests' second, clean build.
# Prints the installer's, the zip's and the shipped exe's paths, a line each.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

preset=${1:-i686}
case "$preset" in
  i686) dist=build/dist triple=i686-w64-mingw32 target=() ;;
  x86_64) dist=build/x86_64/dist triple=x86_64-w64-mingw32 target=(-DTARGET_AMD64) ;;
  *) echo "usage: $0 [i686|x86_64] [build folder]" >&2; exit 2 ;;
esac
build=build/$preset
if [ $# -ge 2 ]; then
  build=$2
  dist=$2/dist
fi
# strip takes the exe's time stamp from it, and the compiler __DATE__.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH

scripts/setup.sh
cmake --preset "$preset" -B "$build" >/dev/null
nice cmake --build "$build" --target cherimo -j 2 >/dev/null
# The version the exe's version record was built from.
version=$(sed -n 's/^#define CHERIMO_VERSION "\(.*\)"$/\1/p' "$build/resources/version.h")
[ -n "$version" ] || { echo "package: no version in $build/resources/version.h" >&2; exit 1; }
# The home page the exe was built with, for the installer's entry.
home_page=$(sed -n 's/^#define CHERIMO_HOME_PAGE "\(.*\)"$/\1/p' "$build/resources/home_page.h")

# What the packages hold, with fixed modes and times: the zip stores both, the
# installer the time it gives the installed exe.
stage=$build/package
rm -rf "$stage"
mkdir -p "$stage" "$dist"
"$triple-strip" -o "$stage/cherimo.exe" "$build/cherimo.exe"
# Notepad on older Windows shows only CRLF line ends.
sed "s/@VERSION@/$version/; s/\$/\r/" installer/README.txt > "$stage/README.txt"
chmod 755 "$stage/cherimo.exe"
chmod 644 "$stage/README.txt"
touch -d "@$SOURCE_DATE_EPOCH" "$stage/cherimo.exe" "$stage/README.txt"

setup="$dist/BrivantaCherimo-$version-setup.exe"
portable="$dist/BrivantaCherimo-$version-portable.zip"
makensis -V2 -WX -DSOURCE="$root" -DEXE="$(realpath "$stage/cherimo.exe")" -DVERSION="$version" \
  -DHOME_PAGE="$home_page" -DOUTFILE="$(realpath -m "$setup")" "${target[@]}" installer/cherimo.nsi >/dev/null
rm -f "$portable"
zip_file=$(realpath -m "$portable")
# A zip keeps local times: UTC makes them the same on every machine.
(cd "$stage" && TZ=UTC zip -q -X "$zip_file" cherimo.exe README.txt)
(cd "$dist" && sha256sum "${setup##*/}" "${portable##*/}" > SHA256SUMS)
echo "$setup"
echo "$portable"
echo "$stage/cherimo.exe"
