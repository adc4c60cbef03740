#!/usr/bin/env bash
# Runs one pass of the window tests under Wine, in a virtual X display and a Wine prefix of its
# own, so that passes run side by side:
#   run_window_tests.sh PASS WINE_PREFIX DRIVER_EXE BRADEN_EXE [SCREENSHOT_PNG]
# PASS is main (every window test but the record log's), records (the record log's, then the
# full-disk pass), print (a real print queue), display
# (the prefix's DPI at 96 to 192, and a small screen), ward (two PCs on one policy folder) or fhir
# (the export against a real FHIR server). The
# pass's prefix is a copy of WINE_PREFIX, made ready first; its records, registry and wineserver
# are its own.
set -u
pass="$1"
template="$2"
driver="$3"
program="$4"
screenshot="${5:-}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/braden-window.XXXXXX")
prefix="$work/prefix"
cleanup() {
    [ -n "${small_disk:-}" ] && umount "$small_disk" 2>/dev/null
    [ -n "${printing:-}" ] && stop_print_queue
    for p in "$prefix" "${prefix_b:-}"; do
        [ -n "$p" ] && [ -d "$p" ] && WINEPREFIX="$p" wineserver -k 2>/dev/null
    done
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=../../scripts/xvfb.sh
. "$here/scripts/xvfb.sh"
start_xvfb "$work" || exit 1

# A prefix of the pass's own, copied from the ready one: much faster than making one.
new_prefix() {
    "$here/scripts/wine-prefix.sh" "$template" && cp -a "$template" "$1"
}
new_prefix "$prefix" || exit 1
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
windows_program=$(wine winepath -w "$program" 2>/dev/null | tr -d '\r')
cd "$work" || exit 1
status=0

# A new screen of that size; the pass's wineserver is restarted with it.
restart_xvfb() {
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    start_xvfb "$work" "$1" || return 1
}

# check_saved_csv FILE CHECKER TEST: the record file that TEST left beside the programs, read by
# the checker with Python's csv module, then removed.
check_saved_csv() {
    local saved
    saved="$(dirname "$program")/$1"
    if [ -f "$saved" ]; then
        python3 "$here/tests/e2e/$2" "$saved" || status=1
        rm -f "$saved"
    else
        echo "FAIL no record file saved by $3"
        status=1
    fi
}

main_pass() {
    wine "$driver" "$windows_program" --gtest_filter=-FullDisk.*:RecordLog.* || status=1
    # The records a test saved beside the programs, read by a real CSV reader.
    check_saved_csv patient_records.csv check_patient_csv.py \
        NursingRecord.APatientSavedTwiceIsTwoRows
}

records_pass() {
    # The record log under load and after faults, beside the main pass.
    wine "$driver" "$windows_program" --gtest_filter=RecordLog.* || status=1
    check_saved_csv torn_records.csv check_torn_csv.py RecordLog.SavesAfterATornRecordAreWhole

    # The full-disk pass: the records folder on a 64 KB file system of its own. Mounting needs root
    # with the capability; without it the pass is skipped, and said so.
    local_app_data=$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')
    records=$(wine winepath -u "$local_app_data\\HalviMedSuite\\records" 2>/dev/null | tr -d '\r')
    if [ -n "$records" ] && mkdir -p "$records" && mount -t tmpfs -o size=64k tmpfs "$records" 2>/dev/null; then
        small_disk="$records"
        wine "$driver" "$windows_program" --small-disk --gtest_filter=FullDisk.* || status=1
        umount "$small_disk" && small_disk=""
    else
        echo "SKIPPED full-disk pass: cannot mount a small tmpfs over $records (needs root with" \
            "CAP_SYS_ADMIN)"
    fi
}

print_pass() {
    # The print pass: a real print queue (CUPS with its PDF printer), started before Wine so that Wine
    # sees its printer. Each printed PDF is checked against the texts the test expects of it.
    # shellcheck source=../../scripts/print-queue.sh
    . "$here/scripts/print-queue.sh"
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    printed="$work/printed"
    if start_print_queue "$printed"; then
        printing=1
        windows_printed=$(wine winepath -w "$printed" 2>/dev/null | tr -d '\r')
        echo "== print pass"
        wine "$driver" "$windows_program" "--print-folder=$windows_printed" \
            --gtest_filter='Print.*' || status=1
        for name in braden infusion roster; do
            shot=""
            [ -n "$screenshot" ] && [ "$name" != infusion ] &&
                shot="$(dirname "$screenshot")/print_$name.png"
            python3 "$here/tests/e2e/check_print_pdf.py" "$printed/print_$name.pdf" \
                "$printed/print_$name.expect" $shot || status=1
            [ -n "$shot" ] && [ -f "$shot" ] && echo "screenshot: $shot"
        done
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
        stop_print_queue
        printing=""
    else
        echo "SKIPPED print pass: no print queue (see the line above)"
    fi
}

# By hand only, never beside other passes: the print server is the machine's, and a stopped one
# stalls every Wine prefix that asks it anything. The server is stopped (not ended) once the test
# asks for it, with the print dialog open: it takes the job's connection and never answers.
print_stalled_pass() {
    # shellcheck source=../../scripts/print-queue.sh
    . "$here/scripts/print-queue.sh"
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    printed="$work/printed"
    start_print_queue "$printed" || return
    printing=1
    windows_printed=$(wine winepath -w "$printed" 2>/dev/null | tr -d '\r')
    local server stopper
    server=$(pgrep -o -x cupsd)
    (
        while [ ! -f "$printed/stop-server" ]; do sleep 0.1; done
        kill -STOP "$server" && rm -f "$printed/stop-server"
    ) &
    stopper=$!
    wine "$driver" "$windows_program" "--print-folder=$windows_printed" --print-stalled \
        --gtest_filter='Print.AStalled*' || status=1
    kill "$stopper" 2>/dev/null
    kill -CONT "$server"
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    stop_print_queue
    printing=""
}

display_pass() {
    # The display passes. The prefix's DPI is HKCU\Control Panel\Desktop LogPixels, which Wine reads
    # when its wineserver starts: set, then the server restarted. The screen holds the window whole
    # at 192 DPI, so that each pass's factor is its DPI's own.
    set_prefix_dpi() {
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
            >/dev/null 2>&1
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
    }
    restart_xvfb 3840x2160 || status=1
    for dpi in 96 120 144 192; do
        set_prefix_dpi "$dpi"
        echo "== display pass at $dpi DPI"
        wine "$driver" "$windows_program" "--dpi=$dpi" \
            --gtest_filter='DisplayScale.*:Keyboard.*' || status=1
    done
    # A 1366 x 768 screen with a 40-pixel taskbar: the work area that Wine reads from the root window.
    restart_xvfb 1366x768 || status=1
    xprop -root -format _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, 1366, 728"
    echo "== small-screen pass"
    wine "$driver" "$windows_program" --small-screen --gtest_filter='SmallScreen.*' || status=1
}

ward_pass() {
    # The ward passes: two PCs (two prefixes, each with a wineserver of its own) with RecordsFolder
    # set by policy to one folder, saving at once; then the Save policies and the overview on PC A,
    # a policy folder that cannot be reached, and a year of a large ward's records.
    prefix_b="$work/prefix-b"
    new_prefix "$prefix_b" || status=1
    ward="$work/ward"
    mkdir -p "$ward"
    ward_windows=$(wine winepath -w "$ward" 2>/dev/null | tr -d '\r')
    policy_key='SOFTWARE\Policies\HalviMed\Tools'
    set_policy() { # PREFIX ROOT VALUE TYPE DATA
        WINEPREFIX="$1" wine reg add "$2\\$policy_key" /v "$3" /t "$4" /d "$5" /f >/dev/null 2>&1
    }
    clear_ward_policy() {
        for p in "$prefix" "$prefix_b"; do
            for root in HKLM HKCU; do
                WINEPREFIX="$p" wine reg delete "$root\\SOFTWARE\\Policies\\HalviMed" /f \
                    >/dev/null 2>&1
            done
        done
    }
    set_policy "$prefix" HKLM RecordsFolder REG_SZ "$ward_windows"
    set_policy "$prefix_b" HKLM RecordsFolder REG_EXPAND_SZ "$ward_windows"
    echo "== two-PC pass: 200 saves from each PC at once into $ward"
    wine "$driver" "$windows_program" --ward=A --gtest_filter='Ward.TwoHundred*' >"$work/pc-a.log" 2>&1 &
    pc_a=$!
    WINEPREFIX="$prefix_b" wine "$driver" "$windows_program" --ward=B \
        --gtest_filter='Ward.TwoHundred*' >"$work/pc-b.log" 2>&1 &
    pc_b=$!
    wait "$pc_a" || { status=1; cat "$work/pc-a.log"; }
    wait "$pc_b" || { status=1; cat "$work/pc-b.log"; }
    grep -h 'OK \]\|FAILED \]' "$work/pc-a.log" "$work/pc-b.log"
    python3 "$here/tests/e2e/check_ward_csv.py" "$ward/T138.csv" 200 A B || status=1
    WINEPREFIX="$prefix_b" wineserver -k 2>/dev/null
    echo "== ward policies and overview on PC A"
    set_policy "$prefix" HKCU RequirePatient REG_DWORD 1
    set_policy "$prefix" HKCU RequireAssessor REG_DWORD 1
    set_policy "$prefix" HKCU RememberAssessor REG_DWORD 0
    wine "$driver" "$windows_program" --ward-checks \
        --gtest_filter='Ward.TheSave*:Ward.Remember*:Ward.TheOverview*' || status=1
    clear_ward_policy
    offline='Z:\nonexistent-records-server\ward7\records'
    set_policy "$prefix" HKLM RecordsFolder REG_SZ "$offline"
    echo "== an unreachable records folder"
    wine "$driver" "$windows_program" "--ward-offline=$offline" \
        --gtest_filter='Ward.AFolderThatCannot*' || status=1
    # A RecordsFolder of the wrong type, relative or empty fails closed.
    for setting in "REG_DWORD 1" "REG_SZ records" "REG_SZ ..\\ward" "REG_SZ "; do
        read -r type data <<<"$setting"
        clear_ward_policy
        set_policy "$prefix" HKLM RecordsFolder "$type" "$data"
        echo "== RecordsFolder as $type \"$data\""
        wine "$driver" "$windows_program" --ward-invalid \
            --gtest_filter='Ward.AnInvalidFolderPolicy*' || status=1
    done
    clear_ward_policy
    echo "== a year of a large ward: 23 files of 20 MB"
    large="$work/large"
    mkdir -p "$large"
    large_windows=$(wine winepath -w "$large" 2>/dev/null | tr -d '\r')
    wine "$(dirname "$driver")/ward_folder.exe" "$large_windows" 20 || status=1
    du -sh "$large"
    set_policy "$prefix" HKLM RecordsFolder REG_SZ "$large_windows"
    wine "$driver" "$windows_program" --ward-large --gtest_filter='Ward.AYear*' || status=1
    rm -rf "$large"
    clear_ward_policy
}

fhir_pass() {
    # A real FHIR server on this machine's loopback, the export turned on by policy; the tests
    # steer the server and read what it holds through its control folder.
    # shellcheck source=../../scripts/fhir-server.sh
    . "$here/scripts/fhir-server.sh"
    local control="$work/fhir"
    start_fhir_server "$control" || { status=1; return; }
    local control_windows key='HKLM\SOFTWARE\Policies\HalviMed\Tools'
    control_windows=$(wine winepath -w "$control" 2>/dev/null | tr -d '\r')
    wine reg add "$key" /v FhirServer /t REG_SZ /d "http://127.0.0.1:$fhir_port/fhir/R4" /f >/dev/null 2>&1
    wine reg add "$key" /v FhirAuthorization /t REG_SZ /d "Bearer e2e-secret-token-7f3a" /f \
        >/dev/null 2>&1
    wine "$driver" "$windows_program" "--fhir=$control_windows" --gtest_filter='Export.*' ||
        status=1
    echo "Observations the server holds: $(python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))))' "$control/observations.json")"
    stop_fhir_server
    # https to localhost: a certificate of the test's own, trusted in the prefix as IT trusts a
    # hospital's authority; then one that nothing vouches for.
    for name in trusted untrusted; do
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=localhost \
            -addext subjectAltName=DNS:localhost -keyout "$control/$name.key" \
            -out "$control/$name.pem" >/dev/null 2>&1 || status=1
    done
    wine "$(dirname "$driver")/trust_certificate.exe" \
        "$(wine winepath -w "$control/trusted.pem" 2>/dev/null | tr -d '\r')" || status=1
    for name in trusted untrusted; do
        start_fhir_server "$control" "$control/$name.pem" "$control/$name.key" || {
            status=1
            continue
        }
        echo "== https with the $name certificate"
        wine reg add "$key" /v FhirServer /t REG_SZ /d "https://localhost:$fhir_port/fhir/R4" /f \
            >/dev/null 2>&1
        local test='ExportHttps.ATrusted*'
        [ "$name" = untrusted ] && test='ExportHttps.AnUntrusted*'
        wine "$driver" "$windows_program" "--fhir=$control_windows" "--fhir-https=$name" \
            "--gtest_filter=$test" || status=1
        stop_fhir_server
    done
}

case "$pass" in
main) main_pass ;;
fhir) fhir_pass ;;
records) records_pass ;;
print) print_pass ;;
print-stalled) print_stalled_pass ;;
display) display_pass ;;
ward) ward_pass ;;
*)
    echo "no pass $pass: main, records, print, print-stalled, display, ward or fhir"
    exit 2
    ;;
esac

# The screenshots the tests saved, beside the one named: braden_window.png and the others.
if [ -n "$screenshot" ]; then
    for bitmap in "$work"/*.bmp; do
        [ -f "$bitmap" ] || continue
        png="$(dirname "$screenshot")/$(basename "$bitmap" .bmp).png"
        convert "$bitmap" "$png" && echo "screenshot: $png"
    done
fi
wineserver -k 2>/dev/null
exit $status
