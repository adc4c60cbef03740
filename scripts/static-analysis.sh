#!/usr/bin/env bash
# Runs cppcheck and clang-tidy (with the repository's .clang-tidy) over the portable code.
# Needs the native build's compile_commands.json: scripts/test.sh configures it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

mapfile -t sources < <(git ls-files -- 'core/*.cpp' 'expr/*.cpp' 'reports/*.cpp' \
    'app/command_line.cpp' 'app/entry.cpp' 'app/selftest.cpp' 'app/utf8_file.cpp' \
    'app/main_linux.cpp' 'ui/input_text.cpp' 'ui/record_append.cpp' 'ui/window_texts.cpp' 'ui/record_lines.cpp')

echo "== cppcheck"
cppcheck --enable=warning,style,performance,portability --std=c++17 --language=c++ \
    --inline-suppr --quiet --error-exitcode=1 -I . --suppress=missingIncludeSystem "${sources[@]}"

echo "== clang-tidy"
[ -f build/linux/compile_commands.json ] || {
    echo "build/linux/compile_commands.json is missing: configure the native build first"
    exit 1
}
jobs=$(nproc 2>/dev/null || echo 2)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -n 4 clang-tidy -p build/linux --quiet \
    >"$log" 2>&1; then
    grep -v -E '^[0-9]+ warnings? generated|^Suppressed [0-9]+ warnings|^Use -header-filter' "$log"
    echo "static analysis: clang-tidy found problems"
    exit 1
fi
echo "static analysis: clean"
