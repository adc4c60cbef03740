#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows targets, and runs every test:
# formatting and static analysis, the native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, a short run of every fuzz target, and the Windows unit tests, the
# end-to-end window tests and the package tests under Wine.
#
# Each phase prints its wall time as it ends ("== phase: 3 min 12 s"), and a table of all phases
# closes the run, also when a phase fails. The Wine passes run two at a time, each in a display,
# a prefix and a records folder of its own; the second build of the reproducibility check, the
# fuzz smoke runs and the native tests go beside them, since the window tests mostly wait on
# windows.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
work=$(mktemp -d "${TMPDIR:-/tmp}/halvimed-test.XXXXXX")

phase_names=()
phase_times=()
phase_results=()
run_start=$SECONDS

minutes() { printf '%d min %d s' $(($1 / 60)) $(($1 % 60)); }

print_phase_table() {
    local status=$?
    echo
    echo "== phases"
    local i
    for i in "${!phase_names[@]}"; do
        printf '  %-34s %12s  %s\n' "${phase_names[$i]}" "$(minutes "${phase_times[$i]}")" \
            "${phase_results[$i]}"
    done
    printf '  %-34s %12s\n' "total" "$(minutes $((SECONDS - run_start)))"
    [ -n "${reproducible_pid:-}" ] && kill "$reproducible_pid" 2>/dev/null
    [ -n "${fuzz_pid:-}" ] && kill "$fuzz_pid" 2>/dev/null
    [ -n "${native_pid:-}" ] && kill "$native_pid" 2>/dev/null
    rm -rf "$work"
    return $status
}
trap print_phase_table EXIT

# phase NAME COMMAND...: runs the command, says how long it took, and keeps it for the table.
phase() {
    local name="$1"
    shift
    local start=$SECONDS result=0
    echo "== $name"
    "$@" || result=$?
    record_phase "$name" $((SECONDS - start)) "$result"
    return "$result"
}
record_phase() { # NAME SECONDS RESULT
    phase_names+=("$1")
    phase_times+=("$2")
    phase_results+=("$([ "$3" -eq 0 ] && echo passed || echo "FAILED ($3)")")
    echo "== $1: $(minutes "$2")"
}

check_format() {
    local sources
    if git rev-parse --git-dir >/dev/null 2>&1; then
        mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
    else
        mapfile -t sources < <(find core expr reports engine records screen print app tools \
            toolbox records_win32 window_kit ui toolbox_window tests bench packaging \
            -name '*.cpp' -o -name '*.h')
    fi
    clang-format --dry-run --Werror "${sources[@]}"
}

build_native() {
    cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=Debug -DTOOLFRAME_SANITIZE=ON \
        -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
    cmake --build build/linux -j"$jobs"
}

build_windows() {
    scripts/configure-windows.sh
    cmake --build build/windows -j"$jobs"
    # The Wine prefixes are made once before the tests, so that parallel tests do not race for
    # them: one for the unit tests, and the one every window pass copies its own from.
    scripts/wine-prefix.sh "$root/build/windows/wineprefix"
    scripts/wine-prefix.sh "$root/build/windows/wineprefix-e2e"
}

phase "installs" scripts/setup.sh
phase "clang-format" check_format
phase "native build" build_native
phase "static analysis" scripts/static-analysis.sh
phase "Windows build" build_windows
phase "packages" scripts/package.sh

# Beside the Wine tests: the second build of the reproducibility check, the fuzz smoke runs (each
# target still runs its 15 s) and the native tests. Their results are taken after the Wine tests.
beside() { # NAME LOG COMMAND...: started in the background; its pid in beside_pid
    local log="$2"
    shift 2
    "$@" >"$log" 2>&1 &
    beside_pid=$!
}
beside_result() { # NAME PID LOG START: waits, shows its output, and keeps it for the table
    local result=0
    wait "$2" || result=$?
    echo "== $1"
    cat "$3"
    record_phase "$1 (beside)" $((SECONDS - $4)) "$result"
    return "$result"
}
beside_start=$SECONDS
beside "reproducible packages" "$work/reproducible.log" scripts/package.sh --check-reproducible
reproducible_pid=$beside_pid
beside "fuzz smoke runs" "$work/fuzz.log" scripts/fuzz.sh 15
fuzz_pid=$beside_pid
beside "native tests" "$work/native.log" ctest --test-dir build/linux --output-on-failure -j"$jobs"
native_pid=$beside_pid

status=0
windows_tests() {
    local result=0
    ctest --test-dir build/windows --output-on-failure -j"$jobs" || result=$?
    WINEPREFIX="$root/build/windows/wineprefix" wineserver -k 2>/dev/null || true
    return "$result"
}
phase "Windows tests under Wine" windows_tests || status=1
beside_result "native tests" "$native_pid" "$work/native.log" "$beside_start" || status=1
native_pid=""
beside_result "fuzz smoke runs" "$fuzz_pid" "$work/fuzz.log" "$beside_start" || status=1
fuzz_pid=""
beside_result "reproducible packages" "$reproducible_pid" "$work/reproducible.log" \
    "$beside_start" || status=1
reproducible_pid=""
exit $status
