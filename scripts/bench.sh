#!/bin/bash
# Builds the benchmarks and runs them under Wine on a private display; each
# prints its own figures. They run the 32-bit build where this machine can.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
export WINEPREFIX="$root/build/wineprefix-bench"
. scripts/wine-env.sh
. scripts/xvfb.sh
preset=i686
machine_runs_32bit || preset=x86_64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target imaging_bench drag_bench startup_bench >/dev/null

trap stop_private_display EXIT
start_private_display
scripts/wine-prefix.sh
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(wine_loader_for "build/$preset/cherimo.exe" | xargs basename) $(/usr/lib/wine/wine64 --version), $preset build"
cd "build/$preset"
export CHERIMO_PRIVATE_WINE_PREFIX=1
for benchmark in imaging_bench drag_bench startup_bench; do
  "$(wine_loader_for "$benchmark.exe")" "./$benchmark.exe" 2>/dev/null
done
