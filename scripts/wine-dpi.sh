#!/bin/bash
# Runs cases of the Wine suite at another display scale, for CTest: a prefix
# of its own per DPI beside the build folders (Wine reads LogPixels when its
# server starts), each case in a process of its own as the suite runs them.
# Usage: wine-dpi.sh DPI TEST_EXE CASE...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dpi=$1
exe=$2
shift 2
export WINEPREFIX="$(cd "$(dirname "$exe")/.." && pwd)/wineprefix-dpi$dpi"
. "$here/wine-env.sh"
"$here/wine-prefix.sh" || exit 1
if [ ! -f "$WINEPREFIX/.cherimo-dpi-$dpi" ]; then
  /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.cherimo-dpi-$dpi"
fi
/usr/lib/wine/wineserver -p
status=0
for case in "$@"; do
  "$here/wine-emulator.sh" "$exe" --gtest_filter="$case" || status=1
done
/usr/lib/wine/wineserver -k
exit $status
