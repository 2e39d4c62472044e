#!/bin/sh
# Runs a Windows exe under Wine for CTest. Wine's helper processes inherit the
# standard handles and outlive the program; with stderr kept in a file CTest
# does not wait for them. The file is replayed afterwards.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
exe=$1
shift
loader=$(wine_loader_for "$exe")
errors=$(mktemp)
"$loader" "$exe" "$@" 2>"$errors"
status=$?
cat "$errors" >&2
rm -f "$errors"
exit $status
