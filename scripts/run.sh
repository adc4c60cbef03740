#!/usr/bin/env bash
# Builds and opens the toolbox, or the window of the program of the suite that is named.
#   scripts/run.sh [PROGRAM]                    on Windows directly; on Linux under Wine on the
#                                               current display, or, without one, in a virtual
#                                               display whose screenshot is saved to
#                                               build/PROGRAM.png
#   scripts/run.sh [PROGRAM] --selftest [path]  the headless self-test (report to path, default
#                                               selftest.txt); the toolbox's, which checks that
#                                               every program lies beside it, runs under Wine
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
program=toolbox
if [ $# -gt 0 ] && [ "${1#--}" = "$1" ]; then
    program="$1"
    shift
fi

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
    cmake -S . -B build/native-windows >/dev/null
    cmake --build build/native-windows -j"$jobs"
    exec "build/native-windows/$program.exe" "$@"
    ;;
esac

scripts/setup.sh

# Runs a self-test command and says how it ended.
selftest() { # command...
    set +e
    "$@"
    local code=$?
    set -e
    echo "self-test exit code $code; report: ${report:-selftest.txt}"
    exit $code
}
report="${2:-}"

if [ "${1:-}" = "--selftest" ] && [ "$program" != toolbox ]; then
    cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=Debug -DTOOLFRAME_SANITIZE=ON >/dev/null
    cmake --build build/linux -j"$jobs" --target "$program" >/dev/null
    selftest "build/linux/$program" "$@"
fi

scripts/configure-windows.sh
if [ "$program" = toolbox ]; then
    cmake --build build/windows -j"$jobs" >/dev/null # the toolbox opens the others
else
    cmake --build build/windows -j"$jobs" --target "$program" >/dev/null
fi

prefix="$root/build/windows/wineprefix"
scripts/wine-prefix.sh "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

[ "${1:-}" = "--selftest" ] && selftest wine "build/windows/$program.exe" "$@"

if [ -n "${DISPLAY:-}" ]; then
    exec wine "build/windows/$program.exe"
fi

# No display: a virtual one, a screenshot of the window, then close it.
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; kill ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT
# shellcheck source=xvfb.sh
. scripts/xvfb.sh
start_xvfb "$work"
title=$(awk -F'\t' -v name="$program" '$1 == name { print $2 }' build/windows/tool_programs.txt)
[ "$program" = toolbox ] && title="HalviMed 护理工具箱"
wine "build/windows/$program.exe" &
for _ in $(seq 1 150); do
    xwininfo -root -tree 2>/dev/null | grep -qF "$title" && break
    sleep 0.1
done
sleep 1 # let the window finish painting
import -window root "build/$program.png"
echo "The window ran in a virtual display; its screenshot is build/$program.png"
