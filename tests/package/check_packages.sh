#!/usr/bin/env bash
# Checks the release packages that scripts/package.sh left in dist/: the zip's contents, and the
# MSI under Wine in a fresh prefix: the 1.0.0 Braden installer first, then the suite over it,
# every installed program's self-test, the toolbox's check of the installation, its desktop
# shortcut, and the removal.
#   check_packages.sh REPOSITORY_ROOT
set -u
root="$1"
cd "$root" || exit 1
version=$(sed -n 's/^project([a-z_]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
zip_file="dist/halvimed-tools-$version-win64.zip"
msi_file="dist/halvimed-tools-$version-x64.msi"
symbols_file="dist/halvimed-tools-$version-symbols.zip"
old_msi="tests/package/fixtures/braden-1.0.0-x64.msi"
suite="HalviMed 护理工具箱"
mapfile -t programs < <(cut -f1 build/windows/tool_programs.txt)
mapfile -t titles < <(cut -f2 build/windows/tool_programs.txt)
tools=${#programs[@]}
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
[ "$tools" -ge 23 ] || fail "the build lists only $tools programs"

work=$(mktemp -d "${TMPDIR:-/tmp}/suite-packages.XXXXXX")
trap 'WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null; rm -rf "$work"' EXIT

# --- the zip
listing=$(unzip -Z1 "$zip_file" | sort | tr '\n' ' ')
policy_files=(policy/halvimed.admx policy/zh-CN/halvimed.adml policy/en-US/halvimed.adml)
expected=$(printf '%s\n' "${programs[@]/%/.exe}" toolbox.exe 使用说明.txt "${policy_files[@]}" |
    sort | tr '\n' ' ')
check "zip holds the $tools programs, the toolbox, 使用说明.txt and the policy templates only" \
    test "$listing" = "$expected"
programs+=(toolbox)
unzip -q "$zip_file" -d "$work/zip"
# The zipped programs are the built ones, stripped: the same code.
text_of() { x86_64-w64-mingw32-objcopy -O binary --only-section=.text "$1" "$2"; }
for program in "${programs[@]}"; do
    text_of "$work/zip/$program.exe" "$work/zipped.text"
    text_of "build/windows/$program.exe" "$work/built.text"
    cmp -s "$work/zipped.text" "$work/built.text" || fail "zipped $program.exe is not the built one"
done
# Every packaged program imports only Known DLLs and restricts its DLL search to System32.
zipped=()
for program in "${programs[@]}"; do zipped+=("$work/zip/$program.exe"); done
check "zipped programs load system DLLs from System32 only" bash tests/exe/check_imports.sh "${zipped[@]}"
guide="$work/zip/使用说明.txt"
check "guide starts with the UTF-8 byte-order mark" test "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')" = "efbbbf"
check "guide lines all end in CR LF" test "$(grep -c $'\r$' "$guide")" = "$(wc -l <"$guide")"
for title in "${titles[@]}"; do grep -q "$title" "$guide" || fail "guide does not name $title"; done
check "guide gives the self-test exit codes" grep -q "报告文件无法写入" "$guide"

# --- release hygiene: stripped programs with a manifest, within the size budget; their debug
# information in the symbols archive; checksums that verify
objdump=x86_64-w64-mingw32-objdump
for program in "${programs[@]}"; do
    exe="$work/zip/$program.exe"
    $objdump -h "$exe" | grep -q '\.debug_' && fail "$program.exe has debug sections"
    $objdump -h "$exe" | grep -q 'gnu_debuglink' || fail "$program.exe has no debug link"
    x86_64-w64-mingw32-windres --input "$exe" --output-format rc 2>/dev/null |
        grep -q 'RT_MANIFEST' || fail "$program.exe has no manifest"
    size=$(stat -c %s "$exe")
    [ "$size" -le 614400 ] || fail "$program.exe is $size bytes, over 600 KB"
done
pass "programs stripped, with a manifest, at most 600 KB"
manifest=$(x86_64-w64-mingw32-windres --input "$work/zip/braden.exe" --output-format rc 2>/dev/null)
for part in 'Microsoft.Windows.Common-Controls' 'version=""6.0.0.0""' 'level=""asInvoker""' \
    '>true</dpiAware>' '>PerMonitorV2</dpiAwareness>' '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' '35138b9a-5d96-4fbd-8e2d-a2440225f93a'; do
    grep -qF "$part" <<<"$manifest" || fail "the manifest lacks $part"
done
symbols=$(unzip -Z1 "$symbols_file" | sort | tr '\n' ' ')
check "symbols archive holds one .debug file per program" \
    test "$symbols" = "$(printf '%s\n' "${programs[@]/%/.exe.debug}" | sort | tr '\n' ' ')"
unzip -q "$symbols_file" -d "$work/symbols"
check "the debug files hold the debug information" \
    bash -c "$objdump -h '$work/symbols/braden.exe.debug' | grep -q '\.debug_info'"
check "SHA256SUMS covers the three packages and verifies" \
    bash -c "cd dist && test \$(wc -l <SHA256SUMS) = 3 && sha256sum --quiet -c SHA256SUMS"

# --- the MSI, in a fresh prefix
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
old_dir="$WINEPREFIX/drive_c/Program Files/HalviMed/Braden"
program_dir="$WINEPREFIX/drive_c/Program Files/HalviMed/Tools"
# Windows puts per-machine shortcuts among all users' programs; Wine's installer puts them among
# the installing user's. Either is the Start menu.
menus=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
    "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
shortcut_exists() { test -f "${menus[0]}/$1" -o -f "${menus[1]}/$1"; }
shortcut_count() { find "${menus[@]}" -name '*.lnk' 2>/dev/null | wc -l; }
# All users' desktop, or, under Wine, possibly the installing user's.
desktop_shortcuts() { find -L "$WINEPREFIX/drive_c/users" -path '*Desktop*' -name "$suite.lnk" 2>/dev/null; }
# The installed-programs list, exported as UTF-16 and read as "key|name|value" lines.
installed_entries() {
    wine reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' "$work/uninstall.reg" \
        /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16LE -t UTF-8 "$work/uninstall.reg" | tr -d '\r' | awk '
        /^\[/ { key = $0; next }
        /^"/ { split($0, part, "\"=\""); name = substr(part[1], 2); value = part[2];
               sub(/"$/, "", value); print key "|" name "|" value }'
}
entry_value() { # a value of the entry whose DisplayName is $1
    local entries key
    entries=$(installed_entries)
    key=$(printf '%s\n' "$entries" | awk -F'|' -v title="$1" '$2 == "DisplayName" && $3 == title { print $1; exit }')
    [ -n "$key" ] || return 0
    printf '%s\n' "$entries" | awk -F'|' -v key="$key" -v name="$2" '$1 == key && $2 == name { print $3; exit }'
}
entry_count() { installed_entries | grep -c '|DisplayName|'; }
msi_path() { wine winepath -w "$1" | tr -d '\r'; }

wine msiexec /i "$(msi_path "$root/$old_msi")" /qn
check "the 1.0.0 Braden installer installs" test $? -eq 0
check "1.0.0 entry present" test "$(entry_value "Braden 压疮风险评估" DisplayVersion)" = "1.0.0"
check "1.0.0 braden.exe installed" test -f "$old_dir/braden.exe"

wine msiexec /i "$(msi_path "$root/$msi_file")" /qn
check "the suite installs over it" test $? -eq 0
check "one installed-programs entry, the suite's" \
    test "$(entry_count)-$(entry_value "$suite" DisplayVersion)" = "1-$version"
check "the entry shows the maker" test "$(entry_value "$suite" Publisher)" = "HalviMed"
check "the 1.0.0 program is gone" test ! -e "$old_dir/braden.exe"
check "user guide installed" test -f "$program_dir/使用说明.txt"
for template in policy/halvimed.admx policy/zh-CN/halvimed.adml policy/en-US/halvimed.adml; do
    check "$template installed, well-formed" xmllint --noout "$program_dir/$template"
    check "$template in the zip, well-formed" xmllint --noout "$work/zip/$template"
done
check "a Start-menu shortcut per program and the toolbox's" \
    test "$(shortcut_count)" = $((tools + 1))
check "the toolbox in the Start menu" shortcut_exists "$suite/$suite.lnk"
check "the toolbox on the desktop" test "$(desktop_shortcuts | wc -l)" = 1
check "the installed toolbox finds every program" \
    wine "$program_dir/toolbox.exe" --selftest 'C:\toolbox-selftest.txt'
toolbox_report="$WINEPREFIX/drive_c/toolbox-selftest.txt"
check "its report lists them all, present" \
    test "$(grep -c '|present'$'\r''$' "$toolbox_report" 2>/dev/null)" = "$tools"
for i in $(seq 0 $((tools - 1))); do
    program="${programs[$i]}"
    title="${titles[$i]}"
    [ -f "$program_dir/$program.exe" ] || { fail "$program.exe not installed"; continue; }
    shortcut_exists "$suite/$title.lnk" || fail "no shortcut $suite/$title.lnk"
    report="$WINEPREFIX/drive_c/selftest-$program.txt"
    wine "$program_dir/$program.exe" --selftest "C:\\selftest-$program.txt"
    code=$?
    [ "$code" = 0 ] || fail "installed $program.exe --selftest exits $code"
    head -1 "$report" 2>/dev/null | grep -q "^TOOL|[0-9]*|$title|" ||
        fail "installed $program.exe self-test report: $(head -1 "$report" 2>/dev/null)"
done
pass "installed programs' self-tests checked"

# The user's records stay when the suite is removed.
records="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/HalviMedSuite/records"
mkdir -p "$records" && printf 'kept\r\n' >"$records/T138.csv" && printf 'kept\r\n' >"$records/T206.csv"
wine msiexec /x "$(msi_path "$root/$msi_file")" /qn
check "silent removal succeeds" test $? -eq 0
check "program files are gone" test -z "$(ls -A "$program_dir" 2>/dev/null)"
check "shortcuts are gone" test "$(shortcut_count)" = 0
check "the desktop shortcut is gone" test -z "$(desktop_shortcuts)"
check "installed-programs entry is gone" test "$(entry_count)" = 0
check "the user's records are left alone" test -f "$records/T138.csv" -a -f "$records/T206.csv"

# --- signing with a throwaway self-signed certificate
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=HalviMed test signing" >/dev/null 2>&1
HALVIMED_SIGN_CERT="$work/cert.pem" HALVIMED_SIGN_KEY="$work/key.pem" PACKAGE_DIST="$work/signed" \
    "$root/scripts/package.sh" >/dev/null
unzip -q "$work/signed/halvimed-tools-$version-win64.zip" -d "$work/signed/zip"
signed_by_us() { # file
    osslsigncode verify -CAfile "$work/cert.pem" -in "$1" 2>&1 | tee "$work/verify.log" |
        grep -q "Signature verification: ok" && grep -q "HalviMed test signing" "$work/verify.log"
}
for program in "${programs[@]}"; do
    signed_by_us "$work/signed/zip/$program.exe" || fail "$program.exe is not signed by the certificate"
done
pass "every program signed"
check "the installer is signed" signed_by_us "$work/signed/halvimed-tools-$version-x64.msi"
signed_report="$WINEPREFIX/drive_c/selftest-signed.txt"
wine "$work/signed/zip/braden.exe" --selftest 'C:\selftest-signed.txt'
check "a signed program passes its self-test" test $? -eq 0 -a -s "$signed_report"

if [ "$failures" -gt 0 ]; then
    echo "$failures package checks failed"
    exit 1
fi
echo "package checks passed"
