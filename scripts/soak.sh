#!/bin/bash
# The soak: the real exe driven by a seeded random sequence of real input and
# menu commands for the given minutes (10 by default) on a private display.
# Fails on a crash, a hang, memory growth or settings at the end that differ
# from the last state it drove. CHERIMO_SOAK_SEED picks the sequence.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
export WINEPREFIX="$root/build/wineprefix-soak"
. scripts/wine-env.sh
. scripts/xvfb.sh
export CHERIMO_PRIVATE_WINE_PREFIX=1 CHERIMO_SOAK_MINUTES="${1:-10}" CHERIMO_SOAK_SEED="${CHERIMO_SOAK_SEED:-1}"
preset=i686
machine_runs_32bit || preset=x86_64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target wine_tests >/dev/null

trap stop_private_display EXIT
start_private_display
scripts/wine-prefix.sh
cd "build/$preset"
echo "soak: $CHERIMO_SOAK_MINUTES minutes, seed $CHERIMO_SOAK_SEED, $preset build"

# The program the soak started: a cherimo.exe of this soak's own prefix, not
# another copy that runs on the same machine (an installed one, another
# checkout's tests).
own_program() {
  local pid
  for pid in $(pgrep -f 'cherimo\.exe'); do
    if tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}

# The resident size of the program's process: the first reading once start-up
# and the first few operations are over, and the last one before it ends.
watch_memory() {
  local pid="" rss first="" last=""
  for _ in $(seq 200); do pid=$(own_program) && break; sleep 0.1; done
  [ -n "$pid" ] || return 0
  sleep 15
  while rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null) && [ -n "$rss" ]; do
    [ -n "$first" ] || first=$rss
    last=$rss
    echo "$first $last" > memory.txt
    sleep 1
  done
}
rm -f memory.txt
watch_memory &
watcher=$!
status=0
"$(wine_loader_for wine_tests.exe)" ./wine_tests.exe --gtest_also_run_disabled_tests --gtest_filter='SoakTest.*' 2>/dev/null || status=1
wait "$watcher" || true
if [ -s memory.txt ]; then
  read -r first last < memory.txt
  echo "soak: resident memory $((first / 1024)) MiB at the start, $((last / 1024)) MiB at the end (limit: 8 MiB growth)"
  [ $((last - first)) -le 8192 ] || { echo "soak: memory grew by $(((last - first) / 1024)) MiB"; status=1; }
fi
exit $status
