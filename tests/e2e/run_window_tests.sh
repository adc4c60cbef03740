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

# Xvfb picks a free display itself and writes its number to the file.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")"

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
