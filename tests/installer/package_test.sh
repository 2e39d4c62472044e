#!/bin/bash
# The 32-bit packages' bytes: the shipped exe without debug sections and
# symbols, one version everywhere, commit times in the zip, checksums that
# sha256sum -c accepts, and the same bytes again from a second build of only
# the program in a new, clean folder at another path. Needs no Wine: the
# 32-bit packages are checked on every machine, also where they cannot run.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"

. tests/installer/check.sh
fail() { echo "package tests: $1"; echo "package tests: $passed passed, $((failed + 1)) failed"; exit 1; }
lines() { # package.sh's output: the installer, the zip, the shipped exe
  mapfile -t "$1" <<<"$2"
}

packages=$(scripts/package.sh i686) || fail "packaging failed"
lines first "$packages"
setup=${first[0]} portable=${first[1]} exe=${first[2]}
dist=$(dirname "$setup")

echo "== the shipped exe"
no_debug_sections() { ! i686-w64-mingw32-objdump -h "$1" | grep -q ' \.debug'; }
no_symbols() { [ -z "$(i686-w64-mingw32-nm "$1" 2>/dev/null)" ]; }
check "the shipped exe has no debug sections" no_debug_sections "$exe"
check "the shipped exe has no symbol table" no_symbols "$exe"
check "the zip holds the shipped exe" bash -c "unzip -p '$portable' cherimo.exe | cmp - '$exe'"
# A thread-safe static or a thrown exception pulls about 150 KB of the C++
# library into the exe: the size budget notices.
check "the shipped exe is at most 2.85 MB" test "$(stat -c %s "$exe")" -le 2850000
echo "shipped exe: $(stat -c %s "$exe") bytes (the build folder's: $(stat -c %s build/i686/cherimo.exe))"

echo "== one version"
version=$(sed -n 's/^project(cherimo VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
version_record() { # file, key: the value of that key in the file's version record
  strings -el "$1" | grep -A1 -x "$2" | sed -n 2p
}
check "the packages are named after the project's version" \
  test "$setup $portable" = "$dist/BrivantaCherimo-$version-setup.exe $dist/BrivantaCherimo-$version-portable.zip"
check "the exe's version record holds it" test "$(version_record "$exe" ProductVersion)" = "$version.0"
check "the exe's manifest holds it, for x86" \
  grep -aq "assemblyIdentity name=\"Brivanta Cherimo\" version=\"$version.0\" processorArchitecture=\"x86\"" "$exe"
check "the exe's manifest asks for the common controls 6 and UTF-8" bash -c \
  "grep -aq 'name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"' '$exe' && grep -aq '>UTF-8</activeCodePage>' '$exe'"
# 4 GB of address space under 64-bit Windows; no elevation and no file and
# registry virtualization.
check "the shipped exe is large-address-aware" bash -c "i686-w64-mingw32-objdump -p '$exe' | grep -q 'large address aware'"
check "the exe's manifest runs it as its invoker" \
  grep -aq '<requestedExecutionLevel level="asInvoker" uiAccess="false"/>' "$exe"
check "the installer's version record holds it" test "$(version_record "$setup" ProductVersion)" = "$version"
check "the zip's read-me names it" bash -c "unzip -p '$portable' README.txt | grep -q 'Cherimo $version, portable'"

echo "== commit times and checksums"
# Zip times have two-second steps, rounded up.
commit=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
zip_time=$(TZ=UTC date -d "@$(((commit + 1) / 2 * 2))" +%Y%m%d.%H%M%S)
check "the zip's files carry the commit's time" \
  test "$(TZ=UTC zipinfo -T "$portable" | awk '/^-/ { print $7 }' | sort -u)" = "$zip_time"
check "the checksums name both packages" \
  test "$(awk '{ print $2 }' "$dist/SHA256SUMS" | sort | tr '\n' ' ')" = "${portable##*/} ${setup##*/} "
check "sha256sum -c accepts the checksums" bash -c "cd '$dist' && sha256sum -c --strict SHA256SUMS"

# Not the same folder again: the build's path must not reach the packages.
second=build/i686-clean
echo "== a second build in the clean folder $second"
rm -rf "$second"
started=$SECONDS
packages=$(scripts/package.sh i686 "$second") || fail "the second packaging failed"
echo "the second build and packaging took $((SECONDS - started)) s"
lines again "$packages"
check "the same exe" cmp "$exe" "${again[2]}"
check "the same installer" cmp "$setup" "${again[0]}"
check "the same zip" cmp "$portable" "${again[1]}"
check "the same checksums" cmp "$dist/SHA256SUMS" "$(dirname "${again[0]}")/SHA256SUMS"

echo "package tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
