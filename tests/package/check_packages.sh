#!/usr/bin/env bash
# Checks the release packages that scripts/package.sh left in dist/: the zip's contents, and the
# MSI installed, run, upgraded and removed silently under Wine in a fresh prefix.
#   check_packages.sh REPOSITORY_ROOT
set -u
root="$1"
cd "$root" || exit 1
version=$(sed -n 's/^project(braden VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip_file="dist/braden-$version-win64.zip"
msi_file="dist/braden-$version-x64.msi"
title="Braden 压疮风险评估"
failures=0
pass() { echo "ok   $1"; }
fail() {
    echo "FAIL $1"
    failures=$((failures + 1))
}
check() { # description, command...
    local what="$1"
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
[ -f "$zip_file" ] && [ -f "$msi_file" ] || {
    echo "FAIL packages missing: run scripts/package.sh first"
    exit 1
}

work=$(mktemp -d "${TMPDIR:-/tmp}/braden-packages.XXXXXX")
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null; rm -rf "$work"' EXIT

# --- the zip
listing=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ')
check "zip holds braden.exe and 使用说明.txt only" test "$listing" = "braden.exe 使用说明.txt "
unzip -q "$zip_file" -d "$work/zip"
check "zipped braden.exe is the built program" cmp -s "$work/zip/braden.exe" build/windows/braden.exe
guide="$work/zip/使用说明.txt"
check "guide starts with the UTF-8 byte-order mark" test "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')" = "efbbbf"
check "guide lines all end in CR LF" test "$(grep -c $'\r$' "$guide")" = "$(wc -l <"$guide")"
check "guide names the six inputs and the record file" \
    grep -q "摩擦力 1-3.*" "$guide"
check "guide gives the self-test exit codes" grep -q "报告文件无法写入" "$guide"

# --- the MSI, in a fresh prefix
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
program_dir="$WINEPREFIX/drive_c/Program Files/HalviMed/Braden"
# Windows puts a per-machine shortcut among all users' programs; Wine's installer puts it among
# the installing user's. Either is the Start menu.
shortcut_paths=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$title.lnk"
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$title.lnk")
shortcut_exists() { test -f "${shortcut_paths[0]}" -o -f "${shortcut_paths[1]}"; }
# The installed-programs list, exported as UTF-16 and read as "key|name|value" lines.
installed_entries() {
    wine reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' "$work/uninstall.reg" \
        /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16LE -t UTF-8 "$work/uninstall.reg" | tr -d '\r' | awk '
        /^\[/ { key = $0; next }
        /^"/ { split($0, part, "\"=\""); name = substr(part[1], 2); value = part[2];
               sub(/"$/, "", value); print key "|" name "|" value }'
}
entry_value() { # a value of the entry whose DisplayName is the title
    local entries key
    entries=$(installed_entries)
    key=$(printf '%s\n' "$entries" | awk -F'|' -v title="$title" '$2 == "DisplayName" && $3 == title { print $1; exit }')
    [ -n "$key" ] || return 0
    printf '%s\n' "$entries" | awk -F'|' -v key="$key" -v name="$1" '$1 == key && $2 == name { print $3; exit }'
}

msi_windows_path=$(wine winepath -w "$root/$msi_file" | tr -d '\r')
wine msiexec /i "$msi_windows_path" /qn
check "silent install succeeds" test $? -eq 0
check "braden.exe installed under Program Files" test -f "$program_dir/braden.exe"
check "user guide installed beside it" test -f "$program_dir/使用说明.txt"
check "Start-menu shortcut named by the title" shortcut_exists
check "installed-programs entry shows the version" test "$(entry_value DisplayVersion)" = "$version"
check "installed-programs entry shows the maker" test "$(entry_value Publisher)" = "HalviMed"

report="$WINEPREFIX/drive_c/selftest-report.txt"
wine "$program_dir/braden.exe" --selftest 'C:\selftest-report.txt'
check "installed braden.exe --selftest exits 0" test $? -eq 0
expected=$(printf 'TOOL|138|Braden 压疮风险评估|护理\r\nLEVEL|1\r\nOUT|Braden 总分|13|分\r\nVERDICT|中危，加强观察与营养\r\nDETAIL|Braden 总分：13 分 \r\nERRORS|0\r\n' | od -An -tx1)
check "installed self-test report is exact" test "$(od -An -tx1 <"$report" 2>/dev/null)" = "$expected"

# A later version with the same upgrade code replaces this one.
BRADEN_PACKAGE_VERSION=9.9.9 BRADEN_PACKAGE_DIST="$work/next" "$root/scripts/package.sh" >/dev/null
wine msiexec /i "$(wine winepath -w "$work/next/braden-9.9.9-x64.msi" | tr -d '\r')" /qn
check "later version installs over it" test $? -eq 0
check "one installed-programs entry, of the later version" \
    test "$(installed_entries | grep -c "|DisplayName|$title\$")-$(entry_value DisplayVersion)" = "1-9.9.9"

# The user's records stay when the program is removed.
records="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/HalviMedSuite/records"
mkdir -p "$records" && printf 'kept\r\n' >"$records/T138.csv"
wine msiexec /x "$(wine winepath -w "$work/next/braden-9.9.9-x64.msi" | tr -d '\r')" /qn
check "silent removal succeeds" test $? -eq 0
check "program files are gone" test ! -e "$program_dir/braden.exe" -a ! -e "$program_dir/使用说明.txt"
check "shortcut is gone" test ! -e "${shortcut_paths[0]}" -a ! -e "${shortcut_paths[1]}"
check "installed-programs entry is gone" test -z "$(entry_value DisplayVersion)"
check "the user's records are left alone" test -f "$records/T138.csv"

if [ "$failures" -gt 0 ]; then
    echo "$failures package checks failed"
    exit 1
fi
echo "package checks passed"
