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
if [ ${#runner[@]} -eq 0 ]; then
    # Only the argument "--selftest" itself starts the self-test: a glued one, or one inside the
    # program's own folder name, exits as the window program does natively, and writes nothing.
    # (Under Wine the window opens: the end-to-end tests start it from such a folder.)
    check "glued switch" 1 "" --selftestglued.txt
    [ -e glued.txt ] && { echo "FAIL a glued switch wrote glued.txt"; failures=$((failures + 1)); }
    rm -f out.txt
    for name in "x --selftest out.txt y" "HalviMed--selftest"; do
        mkdir -p "$name"
        cp "$program" "$name/"
        "$work/$name/$(basename "$program")" </dev/null >/dev/null 2>&1
        code=$?
        if [ "$code" != 1 ] || [ "$(ls -A "$name" | wc -l)" != 1 ] || [ -e out.txt ] ||
            [ -e "$name/out.txt" ]; then
            echo "FAIL started from the folder '$name': exit code $code, or it wrote a file"
            failures=$((failures + 1))
        else
            echo "ok   folder '$name' starts no self-test"
        fi
    done
fi
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
    # Natively each argument is passed on as it is, quotes and all.
    check "quote in the path" 0 '"unclosed' --selftest '"unclosed' 'name.txt'
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures selftest command-line checks failed"
    exit 1
fi
