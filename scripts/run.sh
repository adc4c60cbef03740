#!/usr/bin/env bash
# Builds and opens the Braden window.
#   scripts/run.sh                    on Windows directly; on Linux under Wine on the current
#                                     display, or, without one, in a virtual display whose
#                                     screenshot is saved to build/braden.png
#   scripts/run.sh --selftest [path]  the headless self-test (report to path, default selftest.txt)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

case "$(uname -s)" in
MINGW* | MSYS* | CYGWIN*)
    cmake -S . -B build/native-windows >/dev/null
    cmake --build build/native-windows -j"$jobs" --target braden
    exec build/native-windows/braden.exe "$@"
    ;;
esac

scripts/setup.sh

if [ "${1:-}" = "--selftest" ]; then
    cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=Debug -DTOOLFRAME_SANITIZE=ON >/dev/null
    cmake --build build/linux -j"$jobs" --target braden >/dev/null
    set +e
    build/linux/braden "$@"
    code=$?
    set -e
    echo "self-test exit code $code; report: ${2:-selftest.txt}"
    exit $code
fi

cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j"$jobs" --target braden >/dev/null

prefix="$root/build/windows/wineprefix"
scripts/wine-prefix.sh "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
    exec wine build/windows/braden.exe
fi

# No display: a virtual one, a screenshot of the window, then close it.
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; kill ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT
# shellcheck source=xvfb.sh
. scripts/xvfb.sh
start_xvfb "$work"
wine build/windows/braden.exe &
for _ in $(seq 1 150); do
    xwininfo -root -tree 2>/dev/null | grep -q 'Braden' && break
    sleep 0.1
done
sleep 1 # let the window finish painting
import -window root build/braden.png
echo "The window ran in a virtual display; its screenshot is build/braden.png"
