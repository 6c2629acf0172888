#!/usr/bin/env bash
# The staged program end to end, driven with the real pointer and keyboard under
# an Xvfb display of its own:
#
#   scripts/test-windows.sh build-win/dist   # launcher.exe under wine, fresh prefix
#   scripts/test-windows.sh build/dist       # the Linux program, same choreography
#
# The installation directory is copied to a temporary place and the program run
# there: start-up and the slide-in, the launch protocol with a scripted stand-in,
# the working paths in WOMSET and its five copies (Windows paths as CP932 under
# wine, with Japanese folder names that must come back byte for byte), the
# environment settings window (registry, a typed path, deletion to the recycle
# bin), the clock preferences, the picture picker, and a screenshot compared with
# the Linux one (build/screenshot.png, taken here when missing). Each check prints
# one line; the last line is the count, and the exit status is 0 only when every
# check passed. What wine does differently from Windows is printed as "note:".
set -euo pipefail
export LC_ALL=C.UTF-8

repo=$(cd "$(dirname "$0")/.." && pwd)
dist=$(cd "${1:?usage: scripts/test-windows.sh <staged installation directory>}" && pwd)
linux_shot=${LINUX_SCREENSHOT:-$repo/build/screenshot.png}
windows_shot=${WINDOWS_SCREENSHOT:-$repo/build-win/screenshot-windows.png}

# ---- Results -------------------------------------------------------------------

. "$repo/scripts/checks.sh"
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }

# ---- The platform: what differs between the Linux program and launcher.exe -----

if [ -e "$dist/launcher.exe" ]; then
    platform=windows
elif [ -x "$dist/launcher" ]; then
    platform=linux
else
    echo "FAIL: $dist holds neither launcher.exe nor launcher"
    echo "windows: 0 passed, 1 failed"
    exit 1
fi
windows() { [ $platform = windows ]; }
launcher_file() { if windows; then echo launcher.exe; else echo launcher; fi; }
# A directory as the program reports it: Z:\... under wine (the whole Unix file
# system is drive Z: in a new prefix), the path itself on Linux.
native_path() {
    if windows; then printf 'Z:%s' "${1//\//\\}"; else printf '%s' "$1"; fi
}
# The separator inside a file path the program forms.
sep() { if windows; then printf '\134'; else printf /; fi; }
# The same in Qt's form (forward slashes), as the stand-in logs its directory.
qt_path() { if windows; then printf 'Z:%s' "$1"; else printf '%s' "$1"; fi; }
# How the program spells a directory that it took from the folder tree (its
# keys are upper case on Windows, as the tree stores them).
tree_path() {
    local p; p=$(native_path "$1")
    if windows; then printf '%s' "${p^^}"; else printf '%s' "$p"; fi
}

# ---- Bytes ---------------------------------------------------------------------

cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
# field TEXT WIDTH: TEXT in CP932, padded with blanks or cut to WIDTH bytes.
field() { { cp932 "$1"; printf '%*s' "$2" ''; } | head -c "$2"; }
hexdump_of() { od -An -tx1 -v "$@" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
# same_bytes FILE EXPECTED-FILE: prints where they differ when they do.
same_bytes() {
    if cmp -s "$1" "$2"; then return 0; fi
    local at
    at=$(cmp "$1" "$2" 2>&1 | sed -n 's/.*differ: byte \([0-9]*\).*/\1/p')
    if [ -n "$at" ]; then
        local from=$(((at - 1) / 16 * 16))
        echo "    $(basename "$1") differs at byte $at ($(stat -c %s "$1") bytes, expected $(stat -c %s "$2")):"
        echo "    got      @$from: $(hexdump_of -j "$from" -N 48 "$1")"
        echo "    expected @$from: $(hexdump_of -j "$from" -N 48 "$2")"
    else
        echo "    $(cmp "$1" "$2" 2>&1) ($(stat -c %s "$1") bytes, expected $(stat -c %s "$2"))"
    fi
    return 1
}

# ---- Work place, display, cleanup ---------------------------------------------

work=$(realpath "$(mktemp -d)")
install=$work/install
xvfb_pid=
launcher_pid=
frames_pid=
standin_pids=()
cleanup() {
    local rc=$?
    set +e
    [ -n "$frames_pid" ] && kill "$frames_pid" 2>/dev/null
    [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
    for pid in "${standin_pids[@]}"; do kill "$pid" 2>/dev/null; done
    windows && end_wine "$work/prefix"
    [ -z "$xvfb_pid" ] || stop_xvfb
    wait 2>/dev/null
    # TEST_WINDOWS_KEEP=<dir> keeps the screenshots of the steps and the logs.
    if [ -n "${TEST_WINDOWS_KEEP:-}" ]; then
        mkdir -p "$TEST_WINDOWS_KEEP"
        cp "$work"/*.png "$work"/*.out "$work"/frames.txt "$install"/*.log "$TEST_WINDOWS_KEEP"/ 2>/dev/null
    fi
    rm -rf "$work"
    finish "$platform" "$rc"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

private_home "$work"

mkdir -p "$install"
cp -a "$dist"/. "$install"/
rm -f "$install"/{menu,app,sub,app_hnd,app_hnd.dat,BackImg,clock.pra,omkojinm} "$install"/W??SET \
    "$install"/*.script "$install"/*.log

. "$repo/scripts/xvfb.sh"
start_xvfb "$work"

cc -O2 -o "$work/xframes" "$repo/tests/e2e/xframes.c" -lX11 || abort "cannot build tests/e2e/xframes.c"

# ---- The Linux screenshot to compare with ------------------------------------

if windows && [ ! -s "$linux_shot" ]; then
    if [ -x "$repo/build/dist/launcher" ]; then
        # As scripts/run.sh takes it: a fresh installation, four seconds after the start.
        mkdir -p "$work/linux"
        cp -a "$repo/build/dist"/. "$work/linux"/
        rm -f "$work/linux"/{menu,app,sub,app_hnd,app_hnd.dat,BackImg,clock.pra,omkojinm} "$work/linux"/W??SET
        "$work/linux/launcher" >/dev/null 2>&1 &
        linux_pid=$!
        sleep 4
        import -window root "$linux_shot"
        kill "$linux_pid" 2>/dev/null; wait "$linux_pid" 2>/dev/null || true
        note "no Linux screenshot was there: took $linux_shot from build/dist"
    else
        note "no Linux screenshot ($linux_shot) and no build/dist/launcher: run scripts/run.sh"
    fi
fi

# ---- Wine: a prefix of our own ------------------------------------------------

if windows; then
    export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    boot_started=$(now)
    timeout 180 wineboot -i >"$work/wineboot.out" 2>&1 || abort "wineboot -i failed: $(tail -3 "$work/wineboot.out")"
    timeout 60 wineserver -w || true
    note "wineboot -i of a fresh prefix took $(since "$boot_started") s"
    # Japanese captions: nothing to map. Debian's wine lists the system's fonts
    # through fontconfig, so the program finds IPAGothic and IPAPGothic as it does
    # on Linux (src/widgets/fonts.cpp) and the prefix stays as wineboot made it.
fi

# ---- Driving windows ------------------------------------------------------------

run_launcher() { # the program from another directory: it must find its own
    if windows; then
        (cd "$work" && exec wine "$install/launcher.exe") >>"$work/launcher.out" 2>&1 &
    else
        (cd "$work" && exec "$install/launcher") >>"$work/launcher.out" 2>&1 &
    fi
    launcher_pid=$!
}
launcher_running() { [ -n "$launcher_pid" ] && kill -0 "$launcher_pid" 2>/dev/null; }
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
# The client area's origin on the screen: a window without a window manager has
# no frame, so it is the X window's origin.
origin_of() { # origin_of WINDOW -> "X Y"
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    : "$SCREEN" "$WINDOW" "$WIDTH" "$HEIGHT"
    echo "$X $Y"
}
size_of() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    : "$SCREEN" "$WINDOW" "$X" "$Y"
    echo "$WIDTH $HEIGHT"
}
# at WINDOW X Y: the pointer over a point of the window's client area, in pixels
# (twips / 15).
at() { xdotool mousemove --window "$1" "$2" "$3"; sleep 0.25; }
click_at() { at "$@"; xdotool click 1; sleep 0.3; }
right_click_at() { at "$@"; xdotool click 3; sleep 0.3; }
key() { xdotool key --delay 80 "$@"; sleep 0.3; }
wait_window() { # wait_window SECONDS TITLE -> the window id on stdout
    local until=$((SECONDS + $1)) id
    while :; do
        id=$(find_window "$2")
        [ -n "$id" ] && { echo "$id"; return 0; }
        [ $SECONDS -lt $until ] || return 1
        sleep 0.1
    done
}
wait_gone() { # wait_gone SECONDS TITLE
    local until=$((SECONDS + $1))
    while [ -n "$(find_window "$2")" ]; do [ $SECONDS -lt $until ] || return 1; sleep 0.1; done
}
# The pointer travels over the main window's background and the slot panels:
# the next movement after a program gave the marker back restores the menu.
wiggle() {
    at "$menu_win" 650 300; at "$menu_win" 660 310; at "$menu_win" 150 125; at "$menu_win" 160 118
}
shot() { import -window root "$1"; }
markers_present() {
    local m present=
    for m in menu app sub app_hnd app_hnd.dat; do [ -e "$install/$m" ] && present+="$m "; done
    echo "${present:-none}"
}
blank_records() { local r; for ((r = 0; r < $1; r++)); do field "" "$2"; done; }

record_standins() { # the pids the stand-ins logged, to end them at cleanup
    local log pid
    windows && return 0 # Windows process ids: wineserver -k ends those
    for log in "$install"/*.log; do
        [ -e "$log" ] || continue
        while read -r pid; do standin_pids+=("$pid"); done < <(sed -n 's/^started pid=\([0-9]*\).*/\1/p' "$log")
    done
}

# ---- 1. Start-up ----------------------------------------------------------------

main_title="Mabora for Windows MAIN MENU"
# The slide-in: the face of the slot panels (0xC0C0C0) in the left part of the
# screen, seen every millisecond from before the start.
"$work/xframes" 90 0 0 420 600 c0c0c0 100 >"$work/frames.txt" 2>"$work/frames.err" &
frames_pid=$!
launch_started=$(now)
run_launcher
menu_win=$(wait_window 60 "^$main_title\$") || abort "no window \"$main_title\" within 60 s: $(tail -5 "$work/launcher.out")"
note "the main window appeared $(since "$launch_started") s after the start"
wait_for 30 sh -c "! kill -0 $frames_pid 2>/dev/null" || true
kill "$frames_pid" 2>/dev/null || true
wait "$frames_pid" 2>/dev/null || true
frames_pid=
sleep 1

read -r wx wy <<<"$(origin_of "$menu_win")"
read -r ww wh <<<"$(size_of "$menu_win")"
if [ "$wx" -eq 0 ] && [ "$wy" -eq 0 ] && [ "$ww" -eq 792 ] && [ "$wh" -eq 538 ]; then
    pass "main window \"$main_title\" at the top left, 792 x 538 (11880 x 8070 twips)"
elif windows && [ "$wx" -le 8 ] && [ "$wy" -le 40 ] && [ "$ww" -eq 792 ] && [ "$wh" -eq 538 ]; then
    # Windows places the frame at 0,0; without a window manager wine draws no
    # frame but keeps its room, so the client area starts below the caption.
    pass "main window \"$main_title\" at the top left (client area at $wx,$wy below the frame's caption), 792 x 538"
else
    fail "main window at $wx,$wy, $ww x $wh: expected 0,0 and 792 x 538"
fi

# The panels' right edge: parked at -3470 + 4185 twips (47 px), ending at
# 330 + 4185 (301 px, less the bevel), eleven frames of 380 twips (25 px).
mapfile -t edges < <(awk -v x="$wx" '$2 >= 0 { print $2 - x }' "$work/frames.txt")
final=none
[ ${#edges[@]} -gt 0 ] && final=${edges[${#edges[@]}-1]}
distinct=$(printf '%s\n' "${edges[@]}" | awk '$1 > 30 && $1 < 290' | sort -un | wc -l)
slide_ms=$(awk '$2 >= 0 { if (!t0) t0 = $1; t = $1 } END { print t - t0 }' "$work/frames.txt")
# Under wine every frame goes through its own drawing onto X, and fewer of the
# eleven reach the screen than on Linux.
wanted_positions=4
windows && wanted_positions=2
if [ "$final" != none ] && [ "$final" -ge 290 ] && [ "$final" -le 303 ] && [ "$distinct" -ge "$wanted_positions" ]; then
    pass "slide-in: the panels' edge went through $distinct positions to x=$final in ${slide_ms} ms"
else
    fail "slide-in: panel edge positions seen: ${edges[*]:-none} (wanted several ending near 300)"
fi

if [ "$(od -An -c "$install/menu" 2>/dev/null | tr -s ' ')" = ' " o m " \r \n' ]; then
    pass "menu created with \"om\" CR LF"
else
    fail "menu marker: $(hexdump_of "$install/menu" 2>&1)"
fi

# WOMSET and its five copies: three 128-byte records, each the installation
# directory as the program reports it.
{ field "$(native_path "$install")" 128; field "$(native_path "$install")" 128
  field "$(native_path "$install")" 128; } >"$work/womset.expected"
settings_ok=1
for f in WOMSET WKVSET WKPSET WMLSET WPVSET WZDSET; do
    if [ ! -e "$install/$f" ]; then
        echo "    $f missing"; settings_ok=0
    elif ! same_bytes "$install/$f" "$work/womset.expected"; then
        settings_ok=0
    fi
done
if [ $settings_ok -eq 1 ]; then
    pass "WOMSET and the five copies: 384 bytes, the installation directory as $(native_path "$install" | head -c 3)... in CP932"
else
    fail "WOMSET and copies after the first start (expected '$(native_path "$install")' three times)"
fi

# The screenshot of the idle menu, as scripts/run.sh takes the Linux one.
sleep 2
mkdir -p "$(dirname "$windows_shot")"
if windows; then shot "$windows_shot"; else shot "$work/screenshot-this.png"; fi
this_shot=$windows_shot
windows || this_shot=$work/screenshot-this.png

# ---- 2. The launch protocol ------------------------------------------------------

cat >"$install/korvan21.exe.script" <<'SCRIPT'
sleep 600
create_app_hnd_pid
sleep 1200
delete_app_hnd
sleep 2500
close
SCRIPT
click_at "$menu_win" 150 118
if wait_for 30 test -e "$install/korvan21.exe.log"; then
    record_standins
    log_line=$(head -1 "$install/korvan21.exe.log")
    expect_cwd=$(qt_path "$install")
    if [[ $log_line =~ ^started\ pid=[0-9]+\ cwd=(.*)$ ]] && [ "${BASH_REMATCH[1]}" = "$expect_cwd" ]; then
        pass "a click on panel 0 started korvan21.exe in the installation directory ($log_line)"
    else
        fail "korvan21.exe started, but logged '$log_line' (expected cwd=$expect_cwd)"
    fi
    pid=$(sed -n 's/^started pid=\([0-9]*\).*/\1/p' "$install/korvan21.exe.log" | head -1)
    if [ -e "$install/app" ] && [ ! -e "$install/menu" ]; then
        pass "menu renamed to app during the launch"
    else
        fail "markers during the launch: $(markers_present)"
    fi
    if [ "$(od -An -c "$install/app_hnd.dat" 2>/dev/null | tr -s ' ')" = " $(echo -n "$pid" | sed 's/./& /g')\\r \\n" ]; then
        pass "app_hnd.dat holds the task id $pid, CR LF"
    else
        fail "app_hnd.dat: $(hexdump_of "$install/app_hnd.dat" 2>&1) (expected the task id $pid)"
    fi
    # While it runs, a movement over the menu brings it to the front.
    at "$menu_win" 150 190; at "$menu_win" 160 195
    if windows; then
        note "stacking after a movement over the busy menu (top first): $(xwininfo -root -children 2>/dev/null | grep -E '"(korvan21|Mabora)' | sed 's/^ *0x[0-9a-f]* //; s/:.*//' | tr '\n' ' ')"
    fi
    # A second start brings the running launcher to the front and ends.
    if windows; then
        (cd "$work" && timeout 40 wine "$install/launcher.exe" >/dev/null 2>&1) && second=0 || second=$?
    else
        (cd "$work" && timeout 20 "$install/launcher" >/dev/null 2>&1) && second=0 || second=$?
    fi
    if [ "$second" -eq 0 ] && [ -e "$install/app" ]; then
        pass "a second start ended at once and left the markers alone"
    else
        fail "a second start: status $second, markers $(markers_present)"
    fi
    if wait_for 30 test -e "$install/menu" && [ ! -e "$install/app" ]; then
        pass "the stand-in gave app back as menu"
    else
        fail "the stand-in did not rename app back to menu"
    fi
    wait_gone 15 "^korvan21.exe\$" || note "the stand-in's window is still shown"
    # The next movement restores the menu; then a second launch must work.
    wiggle
    printf 'sleep 300\nclose\n' >"$install/korvan21.exe.script"
    click_at "$menu_win" 150 118
    if wait_for 20 sh -c "[ \$(grep -c '^started' '$install/korvan21.exe.log') -ge 2 ]"; then
        pass "the next movement restored the menu (a second launch started)"
    else
        fail "the menu was not restored after the stand-in ended"
    fi
    record_standins
    wait_for 30 test -e "$install/menu" || fail "the second run did not give the marker back"
    wait_gone 15 "^korvan21.exe\$" || true
    wiggle
    grep -q '^error' "$install/korvan21.exe.log" && fail "the stand-in logged: $(grep '^error' "$install/korvan21.exe.log")"
else
    fail "a click on panel 0 did not start korvan21.exe: $(tail -3 "$work/launcher.out")"
    wiggle
fi
rm -f "$install/korvan21.exe.script"

# ---- 3. Environment settings: registry, typed path, WOMSET round trip -----------

# A project in folders with Japanese names; its overview names it (record 5).
project_parent=$work/工事データ
project=$project_parent/髙橋邸～新築－１期
project_name="髙橋邸～新築工事－第１期（㎡）"
mkdir -p "$project"
{ blank_records 4 128; field "$project_name" 128; blank_records 17 128; } >"$project/kojigai"
import_dir=$work/import
# As a program of the suite may leave it: the data path is the project.
{ field "$(native_path "$install")" 128; field "$(native_path "$project")" 128
  field "$(native_path "$install")" 128; } >"$install/WOMSET"

kankyo_title='環境設定 \]$'
click_at "$menu_win" 150 394
if kankyo=$(wait_window 30 "$kankyo_title"); then
    pass "panel 6 opened the environment settings window"
    sleep 3 # the cover shrinks, the tree and the registry load
    read -r kx ky <<<"$(origin_of "$kankyo")"
    note "environment settings window at $kx,$ky, $(size_of "$kankyo" | tr ' ' x)"
    # A typed path: the import box, a directory that does not exist yet.
    click_at "$kankyo" 462 174
    key ctrl+a
    xdotool type --delay 40 "$(native_path "$import_dir")"
    sleep 0.3
    key Return
    # "新しいディレクトリを作成しますか？": OK is the default. Without a window
    # manager wine leaves the keyboard with the window below the box, so there
    # the box, once it has come up, is given the focus first; wine may still take
    # it back while the box settles, so that is tried again while the box is open.
    if windows; then
        box_title='^環境設定$'
        if box=$(wait_window 10 "$box_title"); then
            for _ in 1 2 3 4; do
                sleep 1
                xdotool windowfocus "$box" 2>/dev/null || break
                sleep 0.5
                key Return
                sleep 1
                [ -n "$(find_window "$box_title")" ] || break
            done
        fi
    else
        sleep 1
        key Return
    fi
    sleep 1.5
    if [ -d "$import_dir" ]; then
        pass "a typed import path that did not exist was created after the question"
    else
        fail "the typed import path $(native_path "$import_dir") was not created"
    fi
    shot "$work/kankyo.png"
    click_at "$kankyo" 604 273 # ｏｋ
    if wait_gone 15 "$kankyo_title"; then
        pass "ｏｋ closed the environment settings window"
    else
        fail "ｏｋ did not close the environment settings window"
        key Escape
    fi
    sleep 0.5
    { field "$project_name" 128; field "$(native_path "$project")" 128
      blank_records 99 256; } >"$work/omkojinm.expected"
    if [ -e "$install/omkojinm" ] && same_bytes "$install/omkojinm" "$work/omkojinm.expected"; then
        pass "omkojinm: the project registered as entry 1 (name and Japanese path in CP932), 25600 bytes"
    else
        fail "omkojinm after registering $(native_path "$project")"
    fi
    { field "$(native_path "$install")" 128; field "$(native_path "$project")" 128
      field "$(native_path "$import_dir")" 128; } >"$work/womset.expected"
    copies_ok=1
    for f in WKVSET WKPSET WMLSET WPVSET WZDSET; do cmp -s "$install/$f" "$install/WOMSET" || copies_ok=0; done
    if same_bytes "$install/WOMSET" "$work/womset.expected" && [ $copies_ok -eq 1 ]; then
        pass "WOMSET round trip: the Japanese data path came back byte for byte, the typed import path stored, five copies equal"
    else
        fail "WOMSET after ｏｋ (copies equal: $copies_ok)"
    fi
    if [ ! -e "$install/menu" ] || [ -e "$install/app" ]; then
        fail "ｏｋ did not rename app back to menu: $(markers_present)"
    fi
else
    fail "panel 6 did not open the environment settings window"
fi
wiggle

# ---- 4. Deleting the project folder to the recycle bin ---------------------------

if [ -d "$project" ]; then
    click_at "$menu_win" 150 394
    if kankyo=$(wait_window 30 "$kankyo_title"); then
        sleep 3
        click_at "$kankyo" 542 301 # 削除: the registered entry is selected
        sleep 0.7
        shot "$work/delete-question1.png"
        key Return # "...の登録を削除します。" OK
        sleep 0.7
        shot "$work/delete-question2.png"
        key y # "...のデ－タファイル及びディレクトリも削除しますか？" Yes (No is the default)
        if wait_for 15 sh -c "! test -e '$project'"; then
            pass "the project folder was deleted from its place through the recycle bin call"
        else
            fail "the project folder is still there after 削除 and Yes"
        fi
        sleep 1
        shot "$work/delete-after.png"
        # Where did it go?
        base=$(basename "$project")
        found=$(find "$work" -path "$work/prefix/dosdevices" -prune -o -name "$base*" -print 2>/dev/null | grep -v "^$install/" || true)
        if [ -n "$found" ]; then
            note "the deleted folder is now at: $(echo "$found" | sed "s|$work|<tmp>|g" | tr '\n' ' ')"
            info=$(find "$XDG_DATA_HOME/Trash/info" -name "$base*.trashinfo" 2>/dev/null | head -1)
            if [ -n "$info" ] && [ -d "$XDG_DATA_HOME/Trash/files/$base" ]; then
                pass "moved to the freedesktop trash with its .trashinfo (can be restored): $(grep '^Path=' "$info" | head -c 200)"
            else
                fail "the folder went to $found, not to a trash with a .trashinfo"
            fi
        elif windows; then
            note "wine deleted the folder for good: it is in no trash under the test's HOME nor in the prefix"
        else
            fail "the deleted folder is nowhere (not in \$XDG_DATA_HOME/Trash)"
        fi
        click_at "$kankyo" 604 273 # ｏｋ
        wait_gone 15 "$kankyo_title" || { fail "ｏｋ did not close the window after the deletion"; key Escape; }
        sleep 0.5
        blank_records 100 256 >"$work/omkojinm.expected"
        if same_bytes "$install/omkojinm" "$work/omkojinm.expected"; then
            pass "omkojinm after the deletion: 100 free records"
        else
            fail "omkojinm after the deletion"
        fi
        # The data path is now the parent folder, as the tree names it.
        got=$(head -c 256 "$install/WOMSET" | tail -c 128 | iconv -f CP932 -t UTF-8 | sed 's/ *$//')
        want=$(tree_path "$project_parent")
        if [ "${got^^}" = "${want^^}" ]; then
            pass "WOMSET data path after the deletion: the parent folder ($got)"
        else
            fail "WOMSET data path after the deletion: '$got', expected '$want'"
        fi
    else
        fail "panel 6 did not open the environment settings window a second time"
    fi
    wiggle
fi

# ---- 5. Clock preferences -----------------------------------------------------

at "$menu_win" 758 36
xdotool click 1
if prefs=$(wait_window 20 '^パラメータ設定$'); then
    sleep 1
    click_at "$prefs" 60 254 # 設定登録
    if wait_for 10 test -e "$install/clock.pra" && [ "$(stat -c %s "$install/clock.pra")" -eq 169 ]; then
        pass "設定登録 saved clock.pra, 169 bytes"
        # Left 10950 and top 120, little-endian; the sound file at offset 67.
        if [ "$(hexdump_of -N 4 "$install/clock.pra")" = "c6 2a 78 00" ]; then
            pass "clock.pra: left 10950, top 120"
        else
            fail "clock.pra starts $(hexdump_of -N 16 "$install/clock.pra")"
        fi
        field "$(native_path "$install")$(sep)default.wav" 100 >"$work/jihou.expected"
        tail -c +68 "$install/clock.pra" | head -c 100 >"$work/jihou.got"
        if same_bytes "$work/jihou.got" "$work/jihou.expected"; then
            pass "clock.pra: the time-signal file is $(native_path "$install")$(sep)default.wav"
        else
            fail "clock.pra time-signal file: '$(iconv -f CP932 -t UTF-8 "$work/jihou.got" | sed 's/ *$//')'"
        fi
    else
        fail "clock.pra after 設定登録: $(stat -c %s "$install/clock.pra" 2>&1)"
    fi
    wait_gone 5 '^パラメータ設定$' || { fail "the preferences window stayed after 設定登録"; click_at "$prefs" 165 254; }
else
    fail "a click on the clock did not open the preferences window"
fi
wiggle

# ---- 6. Background picture picker -------------------------------------------------

right_click_at "$menu_win" 722 511 # Image2: the picker panel
sleep 0.5
click_at "$menu_win" 597 422 # 参照
if picker=$(wait_window 20 '^Form1$'); then
    sleep 1.5
    shot "$work/picker.png"
    click_at "$picker" 348 192 # 開く: the current picture is preselected
    wait_gone 10 '^Form1$' || fail "開く did not close the picture picker"
    sleep 1
    click_at "$menu_win" 346 421 # 閉じる stores the choice
    sleep 1
    picture=image12.jpg
    for f in "$install"/bmp/[iI][mM][aA][gG][eE]12.[jJ][pP][gG]; do [ -e "$f" ] && picture=${f##*/}; done
    printf '99,"%s"\r\n' "$(native_path "$install/bmp/$picture")" | iconv -f UTF-8 -t CP932 >"$work/backimg.expected"
    if [ -e "$install/BackImg" ] && same_bytes "$install/BackImg" "$work/backimg.expected"; then
        pass "the picture picker's choice stored in BackImg: $(tr -d '\r\n' <"$install/BackImg")"
    else
        fail "BackImg after 参照, 開く, 閉じる: $(tr -d '\r' <"$install/BackImg" 2>&1)"
    fi
else
    fail "参照 on the picker panel did not open the picture picker"
fi
wiggle

# ---- 7. The screenshot compared with the Linux one ------------------------------

if [ -s "$linux_shot" ]; then
    # The window's area, less the clock (its hands move) and the date.
    for s in "$linux_shot" "$this_shot"; do
        ox=0 oy=0
        [ "$s" = "$this_shot" ] && ox=$wx oy=$wy
        convert "$s" -crop "792x538+$ox+$oy" +repage -fill black -draw "rectangle 720,0 791,70" "$s.cmp.png"
    done
    differing=$(compare -metric AE -fuzz 12% "$linux_shot.cmp.png" "$this_shot.cmp.png" null: 2>&1 || true)
    rm -f "$linux_shot.cmp.png" "$this_shot.cmp.png"
    share=$(awk -v n="${differing%% *}" 'BEGIN { printf "%.2f", 100 * n / (792 * 538) }')
    if [ "${differing%% *}" -le $((792 * 538 * 3 / 100)) ] 2>/dev/null; then
        pass "the screenshot looks like the Linux one: $share % of the pixels differ"
    else
        fail "the screenshot differs from $linux_shot in $differing pixels ($share %)"
    fi
else
    fail "no Linux screenshot to compare with: run scripts/run.sh"
fi
windows && note "screenshot saved to $windows_shot"

# ---- 8. Exit --------------------------------------------------------------------

click_at "$menu_win" 150 464
if wait_for 20 sh -c "! kill -0 $launcher_pid 2>/dev/null"; then
    launcher_pid=
    if [ ! -e "$install/app_hnd.dat" ]; then
        pass "the exit button ended the program and removed app_hnd.dat"
    else
        fail "app_hnd.dat left after the exit"
    fi
else
    fail "the exit button did not end the program"
fi
