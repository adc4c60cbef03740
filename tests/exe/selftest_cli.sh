#!/usr/bin/env bash
# Runs the real program with --selftest: selftest_cli.sh PROGRAM [RUNNER...]
# Checks the report bytes and the exit code for the command-line forms of the switch.
set -u
program="$1"
shift
runner=("$@")
work=$(mktemp -d "${TMPDIR:-/tmp}/braden-selftest.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

expected=$(printf 'TOOL|138|Braden 压疮风险评估|护理\r\nLEVEL|1\r\nOUT|Braden 总分|13|分\r\nVERDICT|中危，加强观察与营养\r\nDETAIL|Braden 总分：13 分 \r\nERRORS|0\r\n' | od -An -tx1 | tr -d ' \n')
failures=0
check() { # name, expected exit code, report file, program arguments...
    local name="$1" want="$2" file="$3"
    shift 3
    rm -f "$file"
    "${runner[@]}" "$program" "$@" </dev/null >/dev/null 2>&1
    local code=$?
    if [ "$code" != "$want" ]; then
        echo "FAIL $name: exit code $code, expected $want"
        failures=$((failures + 1))
        return
    fi
    [ -n "$file" ] || { echo "ok   $name"; return; }
    if [ ! -f "$file" ]; then
        echo "FAIL $name: no report file $file"
        failures=$((failures + 1))
        return
    fi
    local got
    got=$(od -An -tx1 <"$file" | tr -d ' \n')
    if [ "$got" != "$expected" ]; then
        echo "FAIL $name: report differs"
        od -c "$file" | head -20
        failures=$((failures + 1))
        return
    fi
    echo "ok   $name"
}

# Paths five folders down: 519 characters are used whole; 520 and 600 do not fit, and are never
# cut to another file's name.
folder=$(printf 'd%.0s' $(seq 1 100))
mkdir -p "$folder/$folder/$folder/$folder/$folder"
long="$folder/$folder/$folder/$folder/$folder/$(printf 'r%.0s' $(seq 1 95))"
fits="${long:0:519}"
too_long="${long:0:520}"
check "report path given" 0 out.txt --selftest out.txt
check "default path" 0 selftest.txt --selftest
# An empty argument: Windows programs see it as two double quotes.
check "empty quoted path" 0 selftest.txt --selftest ""
check "glued path" 0 glued.txt --selftestglued.txt
check "path with a space" 0 "my report.txt" --selftest "my report.txt"
check "path of 519 characters" 0 "$fits" --selftest "$fits"
rm -f "$fits"
check "path of 520 characters" 3 "" --selftest "$too_long"
check "path of 600 characters" 3 "" --selftest "$long"
if ls "$folder/$folder/$folder/$folder/$folder/" | grep -q .; then
    echo "FAIL a path too long to hold wrote a report under another name"
    failures=$((failures + 1))
fi
check "unwritable path" 3 "" --selftest "no/such/folder/out.txt"
# A full disk: every write to /dev/full fails. Under Wine it is reached through the Z: drive.
if [ ${#runner[@]} -eq 0 ]; then
    check "full disk" 3 "" --selftest /dev/full
else
    check "full disk" 3 "" --selftest 'Z:\dev\full'
fi
if [ ${#runner[@]} -eq 0 ]; then
    # Natively the arguments are joined into one line as given, so an unclosed quote reaches the
    # parser as it is: the path runs to the end of the line.
    check "unclosed quote" 0 "unclosed name.txt" --selftest '"unclosed' 'name.txt'
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures selftest command-line checks failed"
    exit 1
fi
