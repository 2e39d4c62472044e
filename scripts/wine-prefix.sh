#!/bin/bash
# Makes the private Wine prefix under build/ once. No window manager runs on
# the test display, so Wine is told not to wait for one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ ! -f "$WINEPREFIX/.cherimo-ready" ]; then
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A desktop colour that no frame uses, so the shape shows in screenshots.
  /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Colors' /v Background /d '74 107 138' /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.cherimo-ready"
fi
