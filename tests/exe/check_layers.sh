#!/usr/bin/env bash
# Every folder is a layer that includes only itself and the layers before it in this list, and a
# folder holds portable code or Win32 code, never both: check_layers.sh REPOSITORY_ROOT
set -u
cd "$1" || exit 1
layers=(core expr reports engine records fhir screen print app tools toolbox records_win32 window_kit
    fhir_win32 ui toolbox_window)
win32=(records_win32 window_kit fhir_win32 ui toolbox_window)
failures=0
for i in "${!layers[@]}"; do
    layer="${layers[$i]}"
    allowed=("${layers[@]:0:$((i + 1))}")
    while IFS= read -r line; do
        file="${line%%:*}"
        target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$line")
        ok=false
        for a in "${allowed[@]}"; do [ "$target" = "$a" ] && ok=true; done
        $ok || { echo "FAIL $file includes from $target, a later layer"; failures=$((failures + 1)); }
    done < <(grep -H '^#include "[a-z_]*/' "$layer"/*.cpp "$layer"/*.h 2>/dev/null)
    is_win32=false
    for w in "${win32[@]}"; do [ "$layer" = "$w" ] && is_win32=true; done
    if ! $is_win32; then
        # Portable layers name no Win32 header; a platform branch for the C runtime is allowed.
        while IFS= read -r file; do
            echo "FAIL $file is portable but includes a Win32 header"
            failures=$((failures + 1))
        done < <(grep -l '#include <\(windows\|shlobj\)\.h>' "$layer"/*.cpp "$layer"/*.h 2>/dev/null)
    fi
done
if [ "$failures" -gt 0 ]; then
    echo "$failures layering checks failed"
    exit 1
fi
echo "layers: every include goes to the same or an earlier layer"
