#!/bin/bash
# Builds the libFuzzer targets and runs each for the given number of seconds
# (default 60), seeded with its own seeds, the inputs that once broke it, the
# committed bad-file corpus and the committed pictures. New inputs that reach
# new code stay in build/fuzz/corpus and seed the next run; an input that
# breaks a target is saved in build/fuzz/artifacts and the script fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}

scripts/setup.sh || exit 1
{ cmake --preset fuzz >/dev/null && nice cmake --build --preset fuzz; } > build/fuzz-build.log 2>&1 || {
  tail -40 build/fuzz-build.log
  exit 1
}

status=0
for target in image_header exif_orientation outline_scan frame_catalogue settings_rules; do
  corpus=build/fuzz/corpus/$target
  artifacts=build/fuzz/artifacts/$target
  mkdir -p "$corpus" "$artifacts"
  seeds=()
  for folder in "tests/fuzz/seeds/$target" "tests/corpus/fuzz-found/$target"; do
    [ -d "$folder" ] && seeds+=("$folder")
  done
  case $target in
    image_header | exif_orientation)
      seeds+=(tests/corpus/images tests/corpus/bad)
      seeds+=(resources resources/frames)
      ;;
  esac
  log=build/fuzz/$target.log
  nice "build/fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}" > "$log" 2>&1
  result=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ $result -eq 0 ]; then
    echo "fuzz $target: ${runs:-?} runs in ${seconds} s, nothing found"
  else
    echo "fuzz $target: FAILED after ${runs:-?} runs (inputs in $artifacts)"
    grep -m 20 -E 'ERROR|runtime error|property broken|SUMMARY|Test unit written' "$log"
    status=1
  fi
done
exit $status
