#!/usr/bin/env bash
# The start script of the package against a fake installation: the user's copy is
# set up, brought up to date when the package's files change, a file the user
# changed or added is never replaced, a running program keeps its file, and a
# failure leaves the copy as it was.
set -euo pipefail
script=${1:?start script source}

fail() { echo "FAIL: $*" >&2; exit 1; }
root=$(mktemp -d)
trap 'kill $busy_pid 2>/dev/null || true; rm -rf "$root"' EXIT
busy_pid=
sys=$root/usr/lib/launcher
mkdir -p "$root/usr/bin" "$sys"
sed 's|@LAUNCHER_INSTALL_DIR@|lib/launcher|' "$script" >"$root/usr/bin/launcher"
chmod +x "$root/usr/bin/launcher"
export XDG_DATA_HOME=$root/home/.local/share
unset DISPLAY WAYLAND_DISPLAY
copy=$XDG_DATA_HOME/launcher

ship() { # ship <version>: the package's files of that version
    rm -rf "$sys" && mkdir -p "$sys/bmp" "$sys/event"
    printf '#!/bin/sh\necho %s > "$(dirname "$0")/started"\n' "$1" >"$sys/launcher"
    chmod 755 "$sys/launcher"
    echo "picture $1" >"$sys/bmp/image0.jpg"
    echo "seasonal $1" >"$sys/event/xmas.bmp"
    echo "sound $1" >"$sys/default.wav"
    echo "table $1" >"$sys/event_tbl"
    { cat /bin/sleep; printf '%s' "$1"; } >"$sys/helper" && chmod 755 "$sys/helper"
    (cd "$sys" && find . -type f ! -name .manifest | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum >.manifest)
}
start() { rm -f "$copy/started"; "$root/usr/bin/launcher" 2>"$root/stderr"; }
started() { [ "$(cat "$copy/started")" = "$1" ] || fail "started $(cat "$copy/started" 2>/dev/null), not $1"; }

# First start: the whole copy.
ship 1 && start && started 1
cmp -s "$sys/.manifest" "$copy/.manifest" || fail "manifest of the first copy"
(cd "$copy" && sha256sum --quiet -c .manifest) || fail "first copy differs from the package"

# The user changes the sound, installs a real program, and runs one from the copy.
echo "my sound" >"$copy/default.wav"
printf '#!/bin/sh\necho real program\n' >"$copy/korvan21.exe"
"$copy/helper" 30 &
busy_pid=$!
ship 2 && start && started 2
[ "$(cat "$copy/default.wav")" = "my sound" ] || fail "the user's sound was replaced"
grep -q "real program" "$copy/korvan21.exe" || fail "the user's program was replaced"
[ "$(cat "$copy/bmp/image0.jpg")" = "picture 2" ] || fail "an unchanged picture was not brought up to date"
cmp -s "$sys/helper" "$copy/helper" || fail "a running program blocked the update"
cmp -s "$sys/.manifest" "$copy/.manifest" || fail "manifest after the update"
kill $busy_pid

# A failure half-way (a file stands where the copy needs a folder): nothing
# changes, the failure is reported and the old copy starts.
rm -rf "$copy/event" && echo "not a folder" >"$copy/event"
cp "$copy/.manifest" "$root/manifest.2"
ship 3 && start && started 2
grep -q "cannot bring .* up to date" "$root/stderr" || fail "the failure was not reported: $(cat "$root/stderr")"
[ "$(cat "$copy/bmp/image0.jpg")" = "picture 2" ] || fail "a failed update left a new file"
cmp -s "$root/manifest.2" "$copy/.manifest" || fail "a failed update changed the manifest"
[ -z "$(find "$copy" -name '*.launcher-new.*')" ] || fail "a failed update left its temporary files"
rm "$copy/event" && start && started 3
[ "$(cat "$copy/event/xmas.bmp")" = "seasonal 3" ] || fail "a missing file was not put back"

# A full disk with room for the new program but not for the manifest: nothing
# changes, and once there is room the next start still brings the copy up to date.
shims=$root/shims && mkdir -p "$shims"
cat >"$shims/cp" <<'EOF'
#!/bin/sh
for a; do :; done
case $a in *"$FAIL_CP"*) echo "cp: No space left on device" >&2; exit 1 ;; esac
exec /bin/cp "$@"
EOF
chmod +x "$shims/cp"
cp "$copy/.manifest" "$root/manifest.3"
ship 4
(export PATH=$shims:$PATH FAIL_CP=.manifest.launcher-new; start) && started 3
cmp -s "$root/manifest.3" "$copy/.manifest" || fail "a full disk changed the manifest"
grep -q 'echo 3' "$copy/launcher" || fail "a full disk left a new program"
[ -z "$(find "$copy" -name '*.launcher-*')" ] || fail "a full disk left temporary files"
start && started 4
[ "$(cat "$copy/bmp/image0.jpg")" = "picture 4" ] || fail "no update after a full disk"

# A start script ended half-way through its renames (a logout): the next start
# rolls the copy back and brings it up to date, and leaves nothing behind.
rm "$shims/cp"
cat >"$shims/mv" <<'EOF'
#!/bin/sh
/bin/mv "$@" || exit 1
count=$(($(cat "$MV_COUNT" 2>/dev/null || echo 0) + 1)); echo $count >"$MV_COUNT"
[ "$count" -lt 3 ] || kill -KILL $PPID
EOF
chmod +x "$shims/mv"
ship 5
(export PATH=$shims:$PATH MV_COUNT=$root/mv.count; start) || true
[ -n "$(find "$copy" -name '.launcher-update.*')" ] || fail "the interrupted update left no journal to roll back"
start && started 5
cmp -s "$sys/.manifest" "$copy/.manifest" || fail "manifest after an interrupted update"
for f in launcher helper bmp/image0.jpg event/xmas.bmp event_tbl; do
    cmp -s "$sys/$f" "$copy/$f" || fail "$f not brought up to date after an interrupted update"
done
[ -z "$(find "$copy" -name '*.launcher-*')" ] || fail "an interrupted update left files: $(find "$copy" -name '*.launcher-*')"
[ "$(cat "$copy/default.wav")" = "my sound" ] || fail "the user's sound was replaced"

# A copy from before the manifest: only the program itself is surely the package's.
rm "$copy/.manifest" && echo "stand-in" >"$copy/korvan21.exe" && echo "old picture" >"$copy/bmp/image0.jpg"
printf '#!/bin/sh\necho old\n' >"$copy/launcher"
start && started 5
[ "$(cat "$copy/korvan21.exe")" = "stand-in" ] || fail "a file of an old copy was replaced"
[ "$(cat "$copy/bmp/image0.jpg")" = "old picture" ] || fail "a picture of an old copy was replaced"
echo "start script: ok"
