#!/usr/bin/env bash
# On a Wayland session the launcher runs through XWayland and raises other
# programs: sway (with XWayland) nested in Xvfb, run by a new local user; the
# staged launcher starts there without a platform chosen, a program takes the
# front, and a second start of the launcher must bring the first one back to the
# front. Without XWayland the launcher comes up on Wayland itself, with one line
# on what does not work there; without any display it says so in one line.
#
# Needs root (it installs sway, xwayland and Qt's Wayland plugin, so that Qt
# would pick Wayland by itself, and adds a user). About half a minute.
set -euo pipefail
dist=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/dist}
user=lcwayland$$
[ "$(id -u)" -eq 0 ] || { echo "wayland-check: run as root" >&2; exit 2; }

. "$(dirname "$0")/common.sh"

missing=()
for p in sway xwayland qt6-wayland xvfb xdotool; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

xvfb_pid=
runtime=
cleanup() {
    set +e
    remove_test_user "$user"
    [ -n "$runtime" ] && rm -rf "$runtime"
    [ -z "$xvfb_pid" ] || stop_xvfb
}
trap cleanup EXIT

# The display sway runs in, open to the test user; the checks themselves name
# the display they mean.
runtime=$(mktemp -d /tmp/wayland-check.XXXXXX)
start_xvfb "$runtime" -ac
outer=$DISPLAY
unset DISPLAY

useradd -m -s /bin/sh "$user"
home=/home/$user
chown "$user:" "$runtime" && chmod 0700 "$runtime"
cp -a "$dist" "$home/inst"
rm -f "$home/inst"/{menu,app,sub,app_hnd,app_hnd.dat}
# Activation requests of X11 programs are granted (sway's default marks them urgent).
# The session's displays, as sway hands them to the programs it starts.
cat >"$home/sway.conf" <<'CONF'
xwayland enable
focus_on_window_activation focus
exec sh -c 'echo "$WAYLAND_DISPLAY $DISPLAY $SWAYSOCK" >"$XDG_RUNTIME_DIR/displays"'
CONF
chown -R "$user:" "$home"
as_user() { runuser -u "$user" -- env HOME="$home" XDG_RUNTIME_DIR="$runtime" "$@"; }

as_user DISPLAY="$outer" WLR_BACKENDS=x11 WLR_RENDERER=pixman sway -c "$home/sway.conf" >"$runtime/sway.log" 2>&1 &
wait_for 20 test -s "$runtime/displays" || fail "sway did not start: $(tail -3 "$runtime/sway.log")"
read -r wayland display swaysock <"$runtime/displays"
[ -n "$display" ] || fail "no XWayland display"
session=(DISPLAY="$display" WAYLAND_DISPLAY="$wayland" XDG_SESSION_TYPE=wayland)

# No platform chosen: the launcher must come up as an X11 window.
as_user "${session[@]}" "$home/inst/launcher" >"$runtime/launcher.log" 2>&1 &
wait_for 30 as_user "${session[@]}" xdotool search --name "Mabora for Windows MAIN MENU" >/dev/null ||
    fail "no X11 window of the launcher: $(cat "$runtime/launcher.log")"
as_user "${session[@]}" QT_QPA_PLATFORM=xcb "$home/inst/korvan21.exe" >/dev/null 2>&1 &
wait_for 20 sh -c "[ \"\$(runuser -u $user -- env DISPLAY=$display xdotool getactivewindow getwindowname 2>/dev/null)\" = korvan21.exe ]" ||
    fail "the program did not take the front"
as_user "${session[@]}" timeout 20 "$home/inst/launcher" || fail "the second start failed"
wait_for 10 sh -c "[ \"\$(runuser -u $user -- env DISPLAY=$display xdotool getactivewindow getwindowname 2>/dev/null)\" = 'Mabora for Windows MAIN MENU' ]" ||
    fail "the launcher was not brought to the front through XWayland"

# Without an X server (a Wayland session without XWayland) the launcher comes up
# on Wayland itself, saying once what does not work there.
# Without any display it says so in one line and ends.
line=$(as_user timeout 20 "$home/inst/launcher" 2>&1 >/dev/null) && fail "started without a display"
if [ "$(printf '%s\n' "$line" | wc -l)" -ne 1 ] || ! printf '%s' "$line" | grep -q "no X server"; then
    fail "without a display: $line"
fi
pkill -u "$user" -x launcher || true
wait_for 10 sh -c "! pgrep -u $user -x launcher >/dev/null" || fail "the launcher did not end"
as_user WAYLAND_DISPLAY="$wayland" "$home/inst/launcher" >/dev/null 2>"$runtime/wayland.log" &
wait_for 30 sh -c "runuser -u $user -- swaymsg -s '$swaysock' -t get_tree | grep -q 'Mabora for Windows MAIN MENU'" ||
    fail "no Wayland window of the launcher: $(cat "$runtime/wayland.log")"
[ "$(grep -c "running on Wayland" "$runtime/wayland.log")" -eq 1 ] || fail "on Wayland: $(cat "$runtime/wayland.log")"
pkill -u "$user" -x launcher || true
wait_for 10 sh -c "! pgrep -u $user -x launcher >/dev/null" || fail "the Wayland launcher did not end on SIGTERM"
echo "wayland check: ok"
