#!/bin/bash
# Builds every preset and runs every test: the pure logic natively under the
# sanitizers, the Windows program under Wine on a private display and prefix.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh || exit 1
# The tests' own prefix: what they leave behind never shows in a run.
export WINEPREFIX="$root/build/wineprefix-tests"
. scripts/wine-env.sh
. scripts/xvfb.sh
export CHERIMO_PRIVATE_WINE_PREFIX=1
trap stop_private_display EXIT
start_private_display || exit 1
scripts/wine-prefix.sh || exit 1
# The installer test's own prefix is made while the builds run.
WINEPREFIX="$root/build/wineprefix-installer" scripts/wine-prefix.sh &
installer_prefix=$!
# A warm server saves each test the start of a new one.
/usr/lib/wine/wineserver -p

status=0
for preset in native x86_64 i686; do
  echo "== build $preset"
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; } > "build/$preset-build.log" 2>&1 || {
    tail -40 "build/$preset-build.log"
    status=1
  }
done
[ $status -eq 0 ] || exit $status

for preset in native x86_64 i686; do
  if [ "$preset" = i686 ] && ! machine_runs_32bit; then
    echo "== test i686: skipped, this machine's kernel cannot run 32-bit code (the same tests ran on x86_64)"
    continue
  fi
  echo "== test $preset"
  ctest --preset "$preset" || status=1
done
echo "== packages"
tests/installer/package_test.sh || status=1
wait $installer_prefix
tests/installer/installer_test.sh || status=1

# A short run of every fuzz target over its seeds and what earlier runs
# found; scripts/fuzz.sh takes the long runs.
echo "== fuzz"
scripts/fuzz.sh 5 || status=1
exit $status
