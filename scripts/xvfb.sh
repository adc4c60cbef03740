# Sourced by scripts that need a virtual X display of their own:
#   start_xvfb FOLDER [WIDTHxHEIGHT]
#                        starts Xvfb on a free display (1280x1024 unless given), sets DISPLAY and
#                        xvfb_pid; the folder receives the display number. Stop it with:
#                        kill "$xvfb_pid". The server never resets, so that properties set on
#                        its root window (a work area) stay while clients come and go.
start_xvfb() {
    local folder="$1"
    local size="${2:-1280x1024}"
    rm -f "$folder/display"
    # Xvfb picks a free display itself and writes its number to the file.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$folder/display" \
        >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
        [ -s "$folder/display" ] && break
        sleep 0.1
    done
    [ -s "$folder/display" ] || { echo "Xvfb did not start"; return 1; }
    export DISPLAY=":$(cat "$folder/display")"
}
