#!/bin/bash
# Makes the private Wine prefix under build/ once (again when this script
# changes). No window manager runs on the private display, so Wine is told not
# to wait for one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
marker="$WINEPREFIX/.cherimo-ready"
if [ ! -f "$marker" ] || [ "$0" -nt "$marker" ]; then
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  touch "$marker"
fi
