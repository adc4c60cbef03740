#!/usr/bin/env bash
# The Windows programs import only Known DLLs, which Windows always takes from System32, and each
# restricts the DLL search of everything loaded later to System32 (SetDefaultDllDirectories,
# imported or looked up by name so that Windows 7 without KB2533623 still starts them):
#   check_imports.sh PROGRAM.exe...
set -u
allowed='^(kernel32|user32|gdi32|shell32|msvcrt|comdlg32|advapi32|ole32|shlwapi)\.dll$'
bad=0
for exe in "$@"; do
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
    [ -n "$dlls" ] || { echo "FAIL no imports found in $exe"; bad=1; continue; }
    for dll in $dlls; do
        [[ "$dll" =~ $allowed ]] && continue
        echo "FAIL $exe imports $dll, which is not a Known DLL"
        bad=1
    done
    if ! grep -aq 'SetDefaultDllDirectories' "$exe"; then
        echo "FAIL $exe never calls SetDefaultDllDirectories"
        bad=1
    fi
done
[ $bad -eq 0 ] && echo "all $# programs import only Known DLLs and restrict the DLL search"
exit $bad
