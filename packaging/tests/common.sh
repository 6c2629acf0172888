# Sourced by the package checks: a display of their own, failure and waiting, and
# the removal of the local user they add.
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() { # wait_for <seconds> <command...>
    local until=$((SECONDS + $1)); shift
    until "$@"; do [ $SECONDS -lt $until ] || return 1; sleep 0.2; done
}
# remove_test_user <user>: ends the user's processes and deletes the user with
# the home directory, if the user is there.
remove_test_user() {
    id "$1" >/dev/null 2>&1 || return 0
    pkill -KILL -u "$1"
    sleep 0.5
    userdel -r "$1" 2>/dev/null
    return 0
}
