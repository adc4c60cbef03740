#!/usr/bin/env bash
# Runs the window tests under Wine in a virtual X display of their own:
# run_window_tests.sh WINE_PREFIX DRIVER_EXE BRADEN_EXE [SCREENSHOT_PNG]
set -u
prefix="$1"
driver="$2"
program="$3"
screenshot="${4:-}"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/braden-window.XXXXXX")
cleanup() {
    [ -n "${small_disk:-}" ] && umount "$small_disk" 2>/dev/null
    [ -n "${dpi_changed:-}" ] && set_prefix_dpi 96
    [ -n "${printing:-}" ] && stop_print_queue
    [ -n "${ward_policy:-}" ] && clear_ward_policy
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=../../scripts/xvfb.sh
. "$here/scripts/xvfb.sh"
start_xvfb "$work" || exit 1

"$here/scripts/wine-prefix.sh" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
windows_program=$(wine winepath -w "$program" 2>/dev/null | tr -d '\r')
cd "$work" || exit 1
wine "$driver" "$windows_program" --gtest_filter=-FullDisk.*
status=$?

# The records the nursing-record test saved, read by a real CSV reader.
saved="$(dirname "$program")/patient_records.csv"
if [ -f "$saved" ]; then
    python3 "$here/tests/e2e/check_patient_csv.py" "$saved" || status=1
    rm -f "$saved"
else
    echo "FAIL no record file saved by NursingRecord.APatientSavedTwiceIsTwoRows"
    status=1
fi

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

# The display passes. The prefix's DPI is HKCU\Control Panel\Desktop LogPixels, which Wine reads
# when its wineserver starts: set, then the server restarted. The screen holds the window whole
# at 192 DPI, so that each pass's factor is its DPI's own.
set_prefix_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
}
restart_xvfb() {
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    start_xvfb "$work" "$1" || return 1
}
restart_xvfb 3840x2160 || status=1
dpi_changed=1
for dpi in 96 120 144 192; do
    set_prefix_dpi "$dpi"
    echo "== display pass at $dpi DPI"
    wine "$driver" "$windows_program" "--dpi=$dpi" \
        --gtest_filter='DisplayScale.*:Keyboard.*' || status=1
done
set_prefix_dpi 96
dpi_changed=""
# A 1366 x 768 screen with a 40-pixel taskbar: the work area that Wine reads from the root window.
restart_xvfb 1366x768 || status=1
xprop -root -format _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, 1366, 728"
echo "== small-screen pass"
wine "$driver" "$windows_program" --small-screen --gtest_filter='SmallScreen.*' || status=1

# The ward passes: two PCs (two prefixes, each with a wineserver of its own) with RecordsFolder
# set by policy to one folder, saving at once; then the Save policies and the overview on PC A,
# a policy folder that cannot be reached, and a year of a large ward's records.
restart_xvfb 1280x1024 || status=1
prefix_b="$work/prefix-b"
"$here/scripts/wine-prefix.sh" "$prefix_b"
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
ward_policy=1
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
ward_policy=""

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
