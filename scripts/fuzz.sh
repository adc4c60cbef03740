#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given time:
#   scripts/fuzz.sh [seconds-per-target] [target...]     (default 60 s, every target)
# Each target starts from the committed seeds in tests/fuzz/corpus/<target> and keeps what it
# finds in build/fuzz/corpus/<target>; a crash or a failed property stops it with a report and
# makes the script fail. The last lines give every target's execution count.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
# Every tests/fuzz/fuzz_NAME.cpp is a target.
if [ ${#targets[@]} -eq 0 ]; then
    for source in tests/fuzz/fuzz_*.cpp; do
        name=$(basename "$source" .cpp)
        targets+=("${name#fuzz_}")
    done
fi
jobs=$(nproc 2>/dev/null || echo 2)

scripts/setup.sh
cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTOOLFRAME_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/fuzz -j"$jobs" >/dev/null

run_target() {
    local target="$1" seconds="$2"
    local corpus="build/fuzz/corpus/$target" log="build/fuzz/$target.log"
    local dict=()
    mkdir -p "$corpus" "build/fuzz/artifacts/$target"
    [ -f "tests/fuzz/$target.dict" ] && dict=(-dict="tests/fuzz/$target.dict")
    if build/fuzz/tests/fuzz/"fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build/fuzz/artifacts/$target/" "${dict[@]}" \
        "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        local runs
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz_$target: ${runs:-?} executions in ${seconds} s, no findings"
    else
        echo "fuzz_$target: FAILED, see $log and build/fuzz/artifacts/$target/"
        grep -E 'ERROR|property failed|SUMMARY' "$log" | head -5
        return 1
    fi
}
export -f run_target

printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c "run_target {} $seconds"
