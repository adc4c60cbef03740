#!/usr/bin/env bash
# The Windows programs must import only DLLs that every Windows system has:
#   check_imports.sh PROGRAM.exe...
set -u
allowed='^(kernel32|user32|gdi32|shell32|advapi32|comctl32|comdlg32|ole32|oleaut32|msvcrt|ws2_32|shlwapi|uxtheme|version|imm32|winmm|api-ms-win-crt-[a-z0-9-]+|ucrtbase)\.dll$'
bad=0
for exe in "$@"; do
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
    [ -n "$dlls" ] || { echo "FAIL no imports found in $exe"; bad=1; continue; }
    for dll in $dlls; do
        [[ "$dll" =~ $allowed ]] && continue
        echo "FAIL $exe imports $dll, which is not a Windows system DLL"
        bad=1
    done
done
[ $bad -eq 0 ] && echo "all $# programs import only Windows system DLLs"
exit $bad
