#!/usr/bin/env bash
# End to end: the staged launcher under Xvfb, driven with the real pointer. A
# scripted stand-in program plays korvan21.exe: it names itself in app_hnd, then
# closes and gives the marker back; the launcher must follow the protocol.
set -euo pipefail
dist=${1:?staged installation directory}

fail() { echo "FAIL: $*" >&2; exit 1; }
# Two movements over slot 0: the next movement after a program gave the marker
# back restores the menu.
move_over_slot0() {
    xdotool mousemove 150 125
    sleep 0.3
    xdotool mousemove 160 120
    sleep 0.5
}
wait_for() { # wait_for <seconds> <command...>
    local until=$((SECONDS + $1)); shift
    until "$@"; do [ $SECONDS -lt $until ] || return 1; sleep 0.1; done
}

work=$(mktemp -d)
xvfb_pid=
launcher_pid=
cleanup() {
    [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null || true
    pkill -f "$work/" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

install=$work/install
mkdir -p "$install"
cp -a "$dist"/. "$install"/
rm -f "$install"/{menu,app,sub,app_hnd,app_hnd.dat} "$install"/*.script "$install"/*.log

cat > "$install/korvan21.exe.script" <<'SCRIPT'
sleep 600
create_app_hnd_pid
sleep 1200
delete_app_hnd
sleep 3000
close
SCRIPT

. "$(dirname "$0")/../../scripts/xvfb.sh"
start_xvfb "$work"

"$install/launcher" >"$work/launcher.out" 2>&1 &
launcher_pid=$!
# The first start on a new machine also builds the font cache: give it time.
wait_for 60 xdotool search --name "Mabora for Windows MAIN MENU" >/dev/null 2>&1 || fail "no main window"
sleep 1.5 # the slide-in and the captions

[ "$(od -An -c "$install/menu" | tr -s ' ')" = " \" o m \" \r \n" ] || fail "menu marker content"

# Slot 0: the panel stands at 330..4515 twips, 1500..2055 twips (15 twips a pixel).
xdotool mousemove 150 118
sleep 0.2
xdotool click 1
wait_for 10 test -e "$install/korvan21.exe.log" || fail "korvan21.exe was not started"
[ -e "$install/app" ] || fail "no app marker after the launch"
[ ! -e "$install/menu" ] || fail "menu marker still there during the launch"
grep -q "cwd=$install\$" "$install/korvan21.exe.log" || fail "not started in the installation directory: $(cat "$install/korvan21.exe.log")"
pid=$(sed -n 's/^started pid=\([0-9]*\).*/\1/p' "$install/korvan21.exe.log" | head -1)
[ "$(cat "$install/app_hnd.dat")" = "$pid"$'\r' ] || fail "app_hnd.dat does not hold the task id $pid"

# A second start while the first runs must not touch the markers: it brings the
# running launcher to the front and ends.
timeout 20 "$install/launcher" >/dev/null 2>&1 || fail "the second start did not end cleanly"
[ -e "$install/app" ] || fail "a second start reset the markers"
# So must one with another runtime directory, or none (sudo -u, cron): the lock
# is the installation's.
mkdir -m 0700 "$work/runtime2"
XDG_RUNTIME_DIR=$work/runtime2 timeout 20 "$install/launcher" >/dev/null 2>&1 ||
    fail "a second start with another runtime directory did not end cleanly"
env -u XDG_RUNTIME_DIR timeout 20 "$install/launcher" >/dev/null 2>&1 ||
    fail "a second start without a runtime directory did not end cleanly"
[ -e "$install/app" ] && [ ! -e "$install/menu" ] || fail "a second start from another environment reset the markers"
[ "$(xdotool search --name "Mabora for Windows MAIN MENU" | wc -l)" -le 1 ] || fail "a second main window opened"

# The stand-in gives the marker back when it closes.
wait_for 15 test -e "$install/menu" || fail "the stand-in did not rename app back to menu"
[ ! -e "$install/app" ] || fail "app marker left behind"

# The next movement restores the menu; a second click then starts the program again.
move_over_slot0
printf 'sleep 500\nclose\n' > "$install/korvan21.exe.script"
xdotool click 1
wait_for 10 sh -c "[ \$(grep -c '^started' '$install/korvan21.exe.log') -ge 2 ]" || fail "the menu was not restored"
[ -e "$install/app" ] || fail "no app marker after the second launch"

wait_for 15 test -e "$install/menu" || fail "the second run did not give the marker back"
move_over_slot0

# A program that crashes gives nothing back: once it has ended (and no app_hnd
# names a program it handed over to), the launcher takes the marker back itself.
printf 'sleep 300\ncrash\n' > "$install/korvan21.exe.script"
xdotool click 1
wait_for 10 sh -c "[ \$(grep -c '^crash' '$install/korvan21.exe.log') -ge 1 ]" || fail "the stand-in did not crash"
[ -e "$install/app" ] || fail "no app marker after the crash"
wait_for 20 test -e "$install/menu" || fail "the launcher did not take the marker back from a crashed program"
[ ! -e "$install/app" ] || fail "app marker left behind after the crash"
move_over_slot0

# Exit button: 840 twips from the left, top 6750, 405 high.
xdotool mousemove 150 464
sleep 0.2
xdotool click 1
wait_for 10 sh -c "! kill -0 $launcher_pid 2>/dev/null" || fail "the exit button did not end the launcher"
launcher_pid=
[ ! -e "$install/app_hnd.dat" ] || fail "app_hnd.dat left after the exit"

# SIGTERM (and SIGINT, SIGHUP at logout) runs the exit: during a launch it removes
# app_hnd.dat (the running program gives app back itself); with the other-systems
# window open, sub becomes menu again.
for case in program submenu; do
    "$install/launcher" >"$work/launcher.out" 2>&1 &
    launcher_pid=$!
    wait_for 20 xdotool search --name "Mabora for Windows MAIN MENU" >/dev/null 2>&1 ||
        fail "no main window ($case); markers: $(cd "$install" && ls -d menu app sub app_hnd app_hnd.dat 2>/dev/null | tr '\n' ' ')" \
            "launcher alive: $(kill -0 $launcher_pid 2>/dev/null && echo yes || echo no); its output: $(tail -5 "$work/launcher.out")"
    sleep 1.5
    if [ $case = program ]; then
        printf 'sleep 3000\nclose\n' > "$install/korvan21.exe.script"
        xdotool mousemove 150 118 && sleep 0.2 && xdotool click 1
        wait_for 10 test -e "$install/app_hnd.dat" || fail "no app_hnd.dat after the launch"
    else
        # Slot 5: top 4950 twips.
        xdotool mousemove 150 348 && sleep 0.2 && xdotool click 1
        wait_for 10 test -e "$install/sub" || fail "no sub marker after opening the other-systems window"
    fi
    kill -TERM $launcher_pid
    wait_for 15 sh -c "! kill -0 $launcher_pid 2>/dev/null" || fail "SIGTERM did not end the launcher ($case)"
    wait $launcher_pid || fail "the launcher ended with an error after SIGTERM ($case)"
    launcher_pid=
    [ ! -e "$install/app_hnd.dat" ] || fail "app_hnd.dat left after SIGTERM ($case)"
    [ ! -e "$install/sub" ] || fail "sub left after SIGTERM ($case)"
    wait_for 15 test -e "$install/menu" || fail "no menu marker after SIGTERM ($case)"
done
# A logout while a start-up box waits for its answer (the event loop does not run
# yet) ends the launcher too, and the markers stay as a start leaves them.
printf '99,"/nonexistent/pic.jpg"\r\n' > "$install/BackImg"
printf '4711\r\n' > "$install/app_hnd.dat"
"$install/launcher" >"$work/launcher.out" 2>&1 &
launcher_pid=$!
wait_for 30 xdotool search --name "読み込みエラー" >/dev/null 2>&1 || fail "no box about the stored picture"
kill -TERM $launcher_pid
wait_for 15 sh -c "! kill -0 $launcher_pid 2>/dev/null" || fail "SIGTERM during a start-up box did not end the launcher"
wait $launcher_pid || fail "the launcher ended with an error after SIGTERM during a start-up box"
launcher_pid=
[ -e "$install/menu" ] || fail "no menu marker after SIGTERM during a start-up box"
[ ! -e "$install/app_hnd.dat" ] || fail "app_hnd.dat left after SIGTERM during a start-up box"
rm -f "$install/BackImg"
echo "e2e launch protocol: ok"
