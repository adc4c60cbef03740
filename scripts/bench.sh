#!/usr/bin/env bash
# Builds the native program and the benchmarks optimised, without sanitizers, and runs them:
# the calculation path, then the whole self-test process against an empty process (medians of
# repeated runs). Extra arguments go to both benchmark programs (e.g. --benchmark_filter=Expr).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=$(nproc 2>/dev/null || echo 2)

scripts/setup.sh
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTOOLFRAME_BENCH=ON -DBUILD_TESTING=OFF \
    >/dev/null
cmake --build build/bench -j"$jobs" >/dev/null

echo "== calculation path"
build/bench/bench/calculation_benchmarks "$@"
echo "== self-test process"
build/bench/bench/process_benchmarks build/bench/braden build/bench/bench/empty_program "$@"
