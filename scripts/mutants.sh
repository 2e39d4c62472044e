#!/bin/bash
# The mutation check of the Windows layer: ../shared/tools/mutants.py changes
# one operator or number at a time in the files of CHERIMO_WIN32_SOURCES,
# rebuilds the x86_64 program with its Wine tests and runs them on a private
# display and prefix, as scripts/test.sh does. Survivors are printed with
# their changed line, then the count killed. Files given after the seed
# narrow it to them (the code a change touched).
#   scripts/mutants.sh [COUNT] [SEED] [FILE...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
count=${1:-40}
seed=${2:-1}
shift $(($# < 2 ? $# : 2))
chosen=("$@")  # the scripts sourced below have positional parameters of their own
tool="$root/../shared/tools/mutants.py"
[ -f "$tool" ] || { echo "mutants: $tool is not here" >&2; exit 2; }

scripts/setup.sh
export WINEPREFIX="$root/build/wineprefix-mutants"
. scripts/wine-env.sh
. scripts/xvfb.sh
export CHERIMO_PRIVATE_WINE_PREFIX=1
trap stop_private_display EXIT
start_private_display
scripts/wine-prefix.sh
/usr/lib/wine/wineserver -p

files=${chosen[*]:-$(sed -n '/CHERIMO_WIN32_SOURCES/,/)/p' ./*/sources.cmake | grep -oE '[a-z_]+/[a-z_]+\.cpp')}
# The suite's first failure is enough to kill a mutant.
python3 "$tool" --repo "$root" --count "$count" --seed "$seed" --timeout 900 \
  --build "cmake --preset x86_64 >/dev/null && nice cmake --build --preset x86_64 -j 2 --target cherimo wine_tests >/dev/null" \
  --test "ctest --preset x86_64 --stop-on-failure >${MUTANTS_TEST_LOG:-/dev/null} 2>&1" $files
