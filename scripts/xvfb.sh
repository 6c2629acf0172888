# Sourced by the scripts, end-to-end tests and benchmarks that run the launcher on
# a display of their own: start_xvfb <work-dir> [Xvfb options...] starts a private
# Xvfb on a free display (Xvfb picks it and writes its number once it accepts
# clients), sets xvfb_pid and exports DISPLAY.
start_xvfb() {
    local work=$1
    shift
    : > "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp "$@" 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    export DISPLAY=:$(tr -d '[:space:]' < "$work/display")
    unset QT_QPA_PLATFORM
}
