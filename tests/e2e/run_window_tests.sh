#!/usr/bin/env bash
# Runs the window tests under Wine in a virtual X display of their own:
# run_window_tests.sh WINE_PREFIX DRIVER_EXE BRADEN_EXE [SCREENSHOT_PNG]
set -u
prefix="$1"
driver="$2"
program="$3"
screenshot="${4:-}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/braden-window.XXXXXX")
cleanup() {
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=../../scripts/xvfb.sh
. "$here/scripts/xvfb.sh"
start_xvfb "$work" || exit 1

"$here/scripts/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
windows_program=$(wine winepath -w "$program" 2>/dev/null | tr -d '\r')
cd "$work" || exit 1
wine "$driver" "$windows_program"
status=$?
if [ -n "$screenshot" ] && [ -f "$work/braden_window.bmp" ]; then
    convert "$work/braden_window.bmp" "$screenshot" && echo "screenshot: $screenshot"
fi
wineserver -k 2>/dev/null
exit $status
