# Sourced by scripts that need a virtual X display of their own:
#   start_xvfb FOLDER    starts Xvfb on a free display, sets DISPLAY and xvfb_pid; the folder
#                        receives the display number. Stop it with: kill "$xvfb_pid".
start_xvfb() {
    local folder="$1"
    # Xvfb picks a free display itself and writes its number to the file.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$folder/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
        [ -s "$folder/display" ] && break
        sleep 0.1
    done
    [ -s "$folder/display" ] || { echo "Xvfb did not start"; return 1; }
    export DISPLAY=":$(cat "$folder/display")"
}
