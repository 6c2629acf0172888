# Sourced by the scripts, end-to-end tests and benchmarks that run the launcher on
# a display of their own: start_xvfb <work-dir> [Xvfb options...] starts a private
# Xvfb on a free display (Xvfb picks it and writes its number once it accepts
# clients), sets xvfb_pid and exports DISPLAY.
start_xvfb() {
    local work=$1
    shift
    : > "$work/display"
    # -noreset: by default the server starts over when its last client ends, and a
    # client that connects meanwhile (a launcher started again right after the
    # last one ended) is refused.
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset "$@" 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    export DISPLAY=:$(tr -d '[:space:]' < "$work/display")
    unset QT_QPA_PLATFORM
}

# stop_xvfb: ends the Xvfb of start_xvfb and waits until it has gone: a server
# that is still ending removes the socket of a new one on the same display.
stop_xvfb() {
    [ -n "${xvfb_pid:-}" ] || return 0
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    xvfb_pid=
}
