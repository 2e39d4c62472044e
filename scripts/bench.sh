#!/bin/bash
# Builds the benchmarks of both builds and runs them under Wine on a private
# display, each RUNS times (default 3, the builds taking turns), and prints
# the median of every figure: i686 | x86_64 (ratio i686/x86_64) where this
# machine runs 32-bit code, the x86_64 figures alone where it cannot.
#   scripts/bench.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${1:-3}
benchmarks=(loops_bench imaging_bench drag_bench startup_bench ornaments_bench)

scripts/setup.sh
export WINEPREFIX="$root/build/wineprefix-bench"
. scripts/wine-env.sh
. scripts/xvfb.sh
presets=(i686 x86_64)
machine_runs_32bit || presets=(x86_64)
for preset in i686 x86_64; do
  cmake --preset "$preset" >/dev/null
  nice cmake --build --preset "$preset" -j 2 --target "${benchmarks[@]}" >/dev/null
done

trap stop_private_display EXIT
start_private_display
scripts/wine-prefix.sh
/usr/lib/wine/wineserver -p
export CHERIMO_PRIVATE_WINE_PREFIX=1
out="$root/build/bench"
rm -rf "$out"
mkdir -p "$out"
for run in $(seq "$runs"); do
  for preset in "${presets[@]}"; do
    for benchmark in "${benchmarks[@]}"; do
      (cd "build/$preset" && "$(wine_loader_for "$benchmark.exe")" "./$benchmark.exe" 2>/dev/null) \
        > "$out/$preset.$benchmark.$run"
    done
  done
done

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(/usr/lib/wine/wine64 --version), load average $(cut -d' ' -f1-3 /proc/loadavg)"
if [ ${#presets[@]} -eq 2 ]; then
  echo "figures: medians of $runs runs, i686 | x86_64 (ratio i686/x86_64)"
else
  echo "figures: medians of $runs runs, x86_64 build; this machine's kernel cannot run 32-bit code, so the i686 build (built, with the same code) is not timed here"
fi
for benchmark in "${benchmarks[@]}"; do
  # Every decimal figure of a line becomes its median over the runs; the
  # lines of both builds are the same text apart from their figures.
  for preset in "${presets[@]}"; do
    awk -v runs="$runs" '
      { line[FNR] = $0; lines = FNR > lines ? FNR : lines
        n = 0; rest = $0
        while (match(rest, /[0-9]+\.[0-9]+/)) { value[FNR, ++n, run] = substr(rest, RSTART, RLENGTH); rest = substr(rest, RSTART + RLENGTH) }
        count[FNR] = n }
      END {
        for (l = 1; l <= lines; ++l) {
          text = line[l]; result = ""
          for (i = 1; i <= count[l]; ++i) {
            k = 0; for (r = 1; r <= runs; ++r) if ((l, i, r) in value) sorted[++k] = value[l, i, r] + 0
            for (a = 2; a <= k; ++a) { v = sorted[a]; for (b = a - 1; b >= 1 && sorted[b] > v; --b) sorted[b + 1] = sorted[b]; sorted[b + 1] = v }
            match(text, /[0-9]+\.[0-9]+/)
            digits = length(substr(text, RSTART, RLENGTH)) - index(substr(text, RSTART, RLENGTH), ".")
            result = result substr(text, 1, RSTART - 1) "\001" sprintf("%." digits "f", sorted[int((k + 1) / 2)])
            text = substr(text, RSTART + RLENGTH)
          }
          print result text
        }
      }' $(for run in $(seq "$runs"); do echo "run=$run" "$out/$preset.$benchmark.$run"; done) \
      > "$out/$preset.$benchmark.median"
  done
  if [ ${#presets[@]} -eq 2 ]; then
    paste -d '\n' "$out/i686.$benchmark.median" "$out/x86_64.$benchmark.median" | awk '
      NR % 2 { first = $0; next }
      { split(first, a, "\001"); n = split($0, b, "\001"); text = b[1]
        for (i = 2; i <= n; ++i) {
          match(a[i], /^[0-9.]+/); left = substr(a[i], 1, RLENGTH)
          match(b[i], /^[0-9.]+/); right = substr(b[i], 1, RLENGTH)
          text = text left " | " right (right + 0 > 0 ? sprintf(" (%.2f)", left / right) : "") substr(b[i], RLENGTH + 1)
        }
        print text }'
  else
    tr -d '\001' < "$out/x86_64.$benchmark.median"
  fi
done
