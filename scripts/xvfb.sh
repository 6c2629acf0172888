# Sourced by the benchmarks: start_xvfb <work-dir> starts a private Xvfb on a free
# display (Xvfb picks it and writes its number once it accepts clients), sets
# xvfb_pid and DISPLAY.
start_xvfb() {
    local work=$1
    : > "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    export DISPLAY=:$(tr -d '[:space:]' < "$work/display")
    unset QT_QPA_PLATFORM
}
