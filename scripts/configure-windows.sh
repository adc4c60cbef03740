#!/usr/bin/env bash
# Configures the Windows build (MinGW-w64 cross-compiler, release) in build/windows. Run from the
# repository's root; the build, test, run and package scripts all configure through it.
set -euo pipefail
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
