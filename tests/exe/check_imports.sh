#!/usr/bin/env bash
# The Windows program must import only DLLs that every Windows system has.
set -u
exe="$1"
allowed='^(kernel32|user32|gdi32|shell32|advapi32|comctl32|comdlg32|ole32|oleaut32|msvcrt|ws2_32|shlwapi|uxtheme|version|imm32|winmm|api-ms-win-crt-[a-z0-9-]+|ucrtbase)\.dll$'
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
[ -n "$dlls" ] || { echo "no imports found in $exe"; exit 1; }
bad=0
for dll in $dlls; do
    if [[ "$dll" =~ $allowed ]]; then
        echo "ok   $dll"
    else
        echo "FAIL $dll is not a Windows system DLL"
        bad=1
    fi
done
exit $bad
