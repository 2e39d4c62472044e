#!/bin/bash
# Builds the program and runs it under Wine: on the user's display when there
# is one; otherwise on a private Xvfb, where a screenshot is saved to
# build/screenshot.png and the program is then ended cleanly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
. scripts/wine-env.sh
. scripts/xvfb.sh
for preset in i686 x86_64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
done

exe=build/i686/cherimo.exe
if ! machine_runs_32bit; then
  echo "this machine's kernel cannot run 32-bit code: running the x86_64 build instead"
  exe=build/x86_64/cherimo.exe
fi
loader=$(wine_loader_for "$exe")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  scripts/wine-prefix.sh
  exec "$loader" "$exe"
fi

trap stop_private_display EXIT
start_private_display
scripts/wine-prefix.sh
"$loader" "$exe" 2>/dev/null &
window=
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name '^Brivanta Cherimo$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || { echo "the program showed no window" >&2; exit 1; }
# A desktop colour that no frame uses, so the window's outline shows.
xsetroot -solid '#4a6b8a'
import -window root build/screenshot.png
echo "screenshot: build/screenshot.png"
# taskkill without /F closes the window as the Exit command does, so the
# settings are written.
"$loader" taskkill /IM cherimo.exe >/dev/null 2>&1
/usr/lib/wine/wineserver -w
