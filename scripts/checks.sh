# Sourced by the end-to-end checks of the Windows program (test-windows.sh,
# test-msi.sh): one line per check, counted; a home of their own; wine's server
# ended; the summary line and the exit status.
passed=0
failed=0
started=$SECONDS
pass() { passed=$((passed + 1)); echo "ok: $*"; }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }
note() { echo "note: $*"; }
# A failure after which the rest cannot run.
abort() { fail "$*"; exit 1; }
wait_for() { # wait_for <seconds> <command...>
    local until=$((SECONDS + $1)); shift
    until "$@"; do [ $SECONDS -lt $until ] || return 1; sleep 0.1; done
}

# private_home <work>: nothing of the user's; the recycle bin, wine's prefix and
# the caches are the check's own.
private_home() {
    export HOME=$1/home XDG_DATA_HOME=$1/home/.local/share XDG_CACHE_HOME=$1/home/.cache
    export XDG_RUNTIME_DIR=$1/runtime
    mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# end_wine <prefix>: ends wine's server of the prefix and waits until it has gone.
end_wine() {
    [ -d "$1" ] || return 0
    WINEPREFIX=$1 timeout 20 wineserver -k 2>/dev/null
    WINEPREFIX=$1 timeout 20 wineserver -w 2>/dev/null
}

# finish <label> <status of the script>: the summary line, then the exit: 0 only
# when every check passed and nothing stopped the script on the way.
finish() {
    [ $failed -eq 0 ] && [ "$2" -ne 0 ] && fail "stopped by an error (status $2)"
    echo "$1: $passed passed, $failed failed ($((SECONDS - started)) s)"
    [ $failed -eq 0 ] && exit 0
    exit 1
}
