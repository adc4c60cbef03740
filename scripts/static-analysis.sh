#!/usr/bin/env bash
# Runs cppcheck and clang-tidy (with the repository's .clang-tidy) over the portable code.
# Needs the native build's compile_commands.json: scripts/test.sh configures it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

[ -f build/linux/compile_commands.json ] || {
    echo "build/linux/compile_commands.json is missing: configure the native build first"
    exit 1
}
# The program's own sources as the native build compiles them: every layer but the tests.
mapfile -t sources < <(python3 - "$(pwd)" <<'PY'
import json, os, sys
root = sys.argv[1]
layers = ("core", "expr", "reports", "engine", "records", "fhir", "screen", "app", "tools", "toolbox")
seen = set()
for entry in json.load(open("build/linux/compile_commands.json")):
    path = os.path.relpath(os.path.join(entry["directory"], entry["file"]), root)
    if path.split(os.sep)[0] in layers and path not in seen:
        seen.add(path)
        print(path)
PY
)
[ ${#sources[@]} -gt 0 ] || { echo "no sources in compile_commands.json"; exit 1; }

echo "== cppcheck"
cppcheck --enable=warning,style,performance,portability --std=c++20 --language=c++ \
    --inline-suppr --quiet --error-exitcode=1 -I . --suppress=missingIncludeSystem "${sources[@]}"

echo "== clang-tidy"
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
