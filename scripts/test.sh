#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows targets, and runs every test:
# formatting and static analysis, the native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, a short run of every fuzz target, and the Windows unit tests, the
# end-to-end window tests and the package tests under Wine.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

scripts/setup.sh

echo "== clang-format"
if git rev-parse --git-dir >/dev/null 2>&1; then
    mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
else
    mapfile -t sources < <(find core expr reports engine records screen app tools toolbox \
        records_win32 window_kit ui toolbox_window tests bench packaging -name '*.cpp' -o -name '*.h')
fi
clang-format --dry-run --Werror "${sources[@]}"

echo "== native build"
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=Debug -DTOOLFRAME_SANITIZE=ON \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build build/linux -j"$jobs"

scripts/static-analysis.sh

echo "== Windows build"
scripts/configure-windows.sh
cmake --build build/windows -j"$jobs"
# The Wine prefix is made once before the tests, so that parallel tests do not race for it.
scripts/wine-prefix.sh "$root/build/windows/wineprefix"

echo "== packages"
scripts/package.sh
echo "== reproducible packages"
scripts/package.sh --check-reproducible

echo "== fuzz smoke runs"
scripts/fuzz.sh 15

status=0
echo "== native tests"
ctest --test-dir build/linux --output-on-failure -j"$jobs" || status=1
echo "== Windows tests under Wine"
ctest --test-dir build/windows --output-on-failure || status=1
WINEPREFIX="$root/build/windows/wineprefix" wineserver -k 2>/dev/null || true
exit $status
