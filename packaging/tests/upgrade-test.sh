#!/usr/bin/env bash
# Upgrade of the Debian package as a user meets it: two versions of the package
# are built, the first installed and started by a new local user, who adds files
# of their own and keeps a real program of the suite running; the second is
# installed and started while the old launcher still runs, then again after the
# old one was stopped. Nothing of the user's may be lost or replaced, and the new
# program must run. Then lintian on the package.
#
# Needs root (it installs the package and adds a user) and Xvfb; takes as long as
# a release build of the program and a rebuild of main.cpp. Leaves the machine as it
# found it: the package is removed again and the user deleted.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
work=${UPGRADE_TEST_DIR:-/var/tmp/launcher-upgrade-test}
user=lcupgrade$$
[ "$(id -u)" -eq 0 ] || { echo "upgrade-test: run as root" >&2; exit 2; }
if dpkg-query -W -f='${Status}' launcher 2>/dev/null | grep -q 'install ok installed'; then
    echo "upgrade-test: the launcher package is installed already; remove it first" >&2
    exit 2
fi

. "$repo/packaging/tests/common.sh"
as_user() { runuser -u "$user" -- env HOME="/home/$user" DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="/run/user/$uid" LANG=C.UTF-8 "$@"; }

xvfb_pid=
cleanup() {
    set +e
    remove_test_user "$user"
    [ -n "${uid:-}" ] && rm -rf "/run/user/$uid"
    dpkg-query -W launcher >/dev/null 2>&1 && dpkg -r launcher >/dev/null
    [ -z "$xvfb_pid" ] || stop_xvfb
}
trap cleanup EXIT

# Two versions from the same sources, the second differing in its version: one
# build, then a rebuild of what the version reaches.
mkdir -p "$work"
rm -rf "$work/src"
mkdir -p "$work/src"
(cd "$repo" && git ls-files -co --exclude-standard -z | xargs -0 tar -cf - --no-recursion) | tar -xf - -C "$work/src"
version1=$(sed -n 's/^project(launcher VERSION \([0-9.]*\).*/\1/p' "$work/src/CMakeLists.txt")
version2=$version1.1
for v in 1 2; do
    [ $v -eq 2 ] && sed -i "s/^project(launcher VERSION [0-9.]*/project(launcher VERSION $version2/" "$work/src/CMakeLists.txt"
    cmake -S "$work/src" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_PACKAGE_LAYOUT=ON \
        -DLAUNCHER_BUILD_TESTS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
    cmake --build "$work/build" --target launcher pictures stage_sound package_docs package_icons >/dev/null
    rm -f "$work/build"/launcher_*.deb
    (cd "$work/build" && cpack -G DEB >/dev/null)
    mv "$work/build"/launcher_*.deb "$work/v$v.deb"
done
deb1=$work/v1.deb
deb2=$work/v2.deb
dpkg-deb -c "$deb1" | grep -q 'korvan21.exe' && fail "the package ships a stand-in under a program's name"

# What desktops and software centres read of the package.
command -v appstreamcli >/dev/null || apt-get install -y -qq --no-install-recommends appstream >/dev/null
mkdir -p "$work/contents" && rm -rf "$work/contents"/* && dpkg-deb -x "$deb1" "$work/contents"
for size in 16 24 32 48 64 128 256; do
    identify -format '%wx%h' "$work/contents/usr/share/icons/hicolor/${size}x$size/apps/launcher.png" 2>/dev/null |
        grep -qx "${size}x$size" || fail "no $size px icon"
done
appstreamcli validate --no-net --explain "$work/contents/usr/share/metainfo/"*.metainfo.xml ||
    fail "the AppStream metainfo does not validate"
grep -q '^Name=Mabora' "$work/contents/usr/share/applications/launcher.desktop" ||
    fail "the desktop entry is not named after the product"
echo "desktop entry, icons and AppStream metainfo: ok"

# Open to the test user's programs too.
start_xvfb "$work" -ac

useradd -m -s /bin/sh "$user"
uid=$(id -u "$user")
install -d -m 0700 -o "$user" -g "$user" "/run/user/$uid"
copy=/home/$user/.local/share/launcher

apt-get install -y -qq "$deb1" >/dev/null 2>&1 || fail "the first package did not install"
as_user launcher >"$work/run1.log" 2>&1 &
disown
wait_for 30 test -e "$copy/menu" || fail "the first version did not start: $(cat "$work/run1.log")"
wait_for 20 xdotool search --name "Mabora for Windows MAIN MENU" >/dev/null || fail "no main window"
old_pid=$(pgrep -u "$user" -x launcher)

# The user's own files: a note, a changed sound, and a real program of the suite,
# running from the copy.
as_user sh -c "echo 'my note' >'$copy/note.txt'; printf 'my chime' >'$copy/default.wav'; cp /bin/sleep '$copy/korvan21.exe'"
as_user "$copy/korvan21.exe" 600 &
sibling_pid=$!
disown
sleep 0.5
rm -rf "$work/before"
cp -a "$copy" "$work/before"

apt-get install -y -qq "$deb2" >/dev/null 2>&1 || fail "the second package did not install"
# Started while the old launcher runs: the copy is brought up to date beside the
# running program, and the old launcher is brought to the front.
as_user timeout 30 launcher >"$work/run2.log" 2>&1 || fail "the start beside the running launcher failed: $(cat "$work/run2.log")"
cmp -s /usr/lib/launcher/launcher "$copy/launcher" || fail "the program of the copy was not brought up to date"
cmp -s /usr/lib/launcher/.manifest "$copy/.manifest" || fail "the manifest of the copy is not the package's"
kill -0 "$old_pid" 2>/dev/null || fail "the old launcher ended"

# Stopping the old launcher runs its exit.
kill -TERM "$old_pid"
wait_for 20 sh -c "! kill -0 $old_pid 2>/dev/null" || fail "SIGTERM did not end the launcher"
[ -e "$copy/menu" ] || fail "no menu marker after SIGTERM"

as_user launcher >"$work/run3.log" 2>&1 &
disown
wait_for 20 sh -c "pgrep -u $user -x launcher >/dev/null" || fail "the new version did not start: $(cat "$work/run3.log")"
wait_for 20 xdotool search --name "Mabora for Windows MAIN MENU" >/dev/null || fail "no main window of the new version"
new_pid=$(pgrep -u "$user" -x launcher)
cmp -s "/proc/$new_pid/exe" /usr/lib/launcher/launcher || fail "the running program is not the new one"

[ "$(cat "$copy/note.txt")" = "my note" ] || fail "the user's note was lost"
[ "$(cat "$copy/default.wav")" = "my chime" ] || fail "the user's sound was replaced"
cmp -s /bin/sleep "$copy/korvan21.exe" || fail "the user's program was replaced"
kill -0 "$sibling_pid" 2>/dev/null || fail "the user's program stopped"
missing=$(cd "$work/before" && find . -type f | while read -r f; do [ -e "$copy/$f" ] || echo "$f"; done)
[ -z "$missing" ] || fail "files of the copy were deleted: $missing"
[ -z "$(find "$copy" -name '*.launcher-new.*')" ] || fail "temporary files left in the copy"
echo "upgrade $version1 -> $version2: ok"

command -v lintian >/dev/null || apt-get install -y -qq --no-install-recommends lintian >/dev/null
lintian --tag-display-limit 0 "$deb1" | tee "$work/lintian.txt" || true
! grep -q '^E:' "$work/lintian.txt" || fail "lintian reports errors"
echo "lintian: no errors ($(grep -c '^W:' "$work/lintian.txt" || true) warnings)"
