#!/usr/bin/env bash
# The delivery of the Windows program under wine, as an office meets it:
#
#   scripts/test-msi.sh [package-dir]      (default: build-win/package)
#
# Builds the MSI and the portable zip of the delivery (scripts/build-msi.sh),
# looks into them (no stand-in; launcher.exe's icon, version and manifest),
# installs the MSI silently into a fresh wine prefix, into a folder of the
# administrator's choosing (INSTALLDIR), starts the installed launcher, puts the
# user's files into the folder (a sibling program, a changed event_tbl, WOMSET and
# the other files the launcher writes, a picture of the user's own), upgrades to a
# higher version while the launcher runs (the installer waits until it has
# ended) and after it has ended, refuses an older version, uninstalls, and
# installs once more through the installer's folder dialog; after each step every
# user file is compared byte for byte. Each check prints one
# line; the last line is the count, and the exit status is 0 only when every
# check passed. What wine does differently from Windows is printed as "note:".
set -euo pipefail
export LC_ALL=C.UTF-8

repo=$(cd "$(dirname "$0")/.." && pwd)
package=$(cd "${1:-$repo/build-win/package}" && pwd)

. "$repo/scripts/checks.sh"

work=$(realpath "$(mktemp -d)")
xvfb_pid=
launcher_pid=
msiexec_pid=
cleanup() {
    local rc=$?
    set +e
    [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null
    [ -n "$msiexec_pid" ] && kill "$msiexec_pid" 2>/dev/null
    end_wine "$work/prefix"
    [ -z "$xvfb_pid" ] || stop_xvfb
    wait 2>/dev/null
    [ -n "${TEST_MSI_KEEP:-}" ] && mkdir -p "$TEST_MSI_KEEP" && cp "$work"/*.log "$work"/*.msi "$TEST_MSI_KEEP"/ 2>/dev/null
    rm -rf "$work"
    finish msi "$rc"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

private_home "$work"

# ---- The versions: this one and two higher ones --------------------------------

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$repo/build-win/CMakeCache.txt" 2>/dev/null || true)
version=${TEST_MSI_VERSION:-$version}
[ -n "$version" ] || abort "no project version in build-win/CMakeCache.txt"
IFS=. read -r major minor patch _ <<<"$version"
v1=$version
v2=$major.${minor:-0}.$((${patch:-0} + 1))
v3=$major.${minor:-0}.$((${patch:-0} + 2))

# The second version changes an installed file (default.wav) and no longer has
# another (one picture-format plugin); the third is the second again.
stage2=$work/stage2
cp -a "$package" "$stage2"
printf 'LIST' >>"$stage2/default.wav"
dropped=imageformats/qgif.dll
[ -e "$stage2/$dropped" ] || dropped=$(cd "$stage2" && find . -path ./launcher.exe -prune -o -name '*.dll' -print | sed 's|^\./||' | tail -1)
rm -f "$stage2/$dropped"

build() { # build <stage> <version>
    "$repo/scripts/build-msi.sh" "$1" "$2" "$work/out-$2" >"$work/build-$2.log" 2>&1 \
        || abort "scripts/build-msi.sh $2: $(tail -3 "$work/build-$2.log")"
    cp "$work/out-$2/launcher-$2.msi" "$work/"
}
build "$package" "$v1"
build "$stage2" "$v2"
build "$stage2" "$v3"
msi1=$work/launcher-$v1.msi msi2=$work/launcher-$v2.msi msi3=$work/launcher-$v3.msi
zip=$work/out-$v1/launcher-$v1-portable.zip
note "launcher-$v1.msi: $(du -k "$msi1" | cut -f1) KiB, the portable zip $(du -k "$zip" | cut -f1) KiB, the delivery $(du -sk "$package" | cut -f1) KiB"

# ---- What the MSI and the zip hold -----------------------------------------------

standins=$(sed -n '/^set(LAUNCHER_STANDIN_NAMES/,/)/p' "$repo/tools/standin/CMakeLists.txt" \
    | tr -s ' ()\n' '\n' | grep -i '\.exe$')
file_table=$(msiinfo export "$msi1" File | tr -d '\r' | tail -n +4 | cut -f3)
found_standins=$(grep -ixF "$standins" <<<"$file_table" || true)
package_files=$(cd "$package" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ -z "$found_standins" ] && [ "$(wc -l <<<"$file_table")" -eq "$(wc -l <<<"$package_files")" ]; then
    pass "the MSI's File table holds the $(wc -l <<<"$file_table") files of the delivery and no stand-in ($(msiinfo tables "$msi1" | wc -l) tables)"
else
    fail "the MSI's File table: $(wc -l <<<"$file_table") files for $(wc -l <<<"$package_files"), stand-ins: ${found_standins:-none}"
fi
zip_files=$(unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort)
if [ "$zip_files" = "$package_files" ] && [ -z "$(grep -ixF "$standins" <<<"$(basename -a $zip_files)" || true)" ]; then
    pass "the portable zip holds the delivery, file for file, without stand-ins"
else
    fail "the portable zip differs from the delivery: $(diff <(echo "$zip_files") <(echo "$package_files") | head -5 | tr '\n' ' ')"
fi
table() { msiinfo export "$1" "$2" | tr -d '\r' | tail -n +4; }
condition=$(table "$msi1" LaunchCondition)
upgrade=$(table "$msi1" Upgrade)
sequence=$(table "$msi1" InstallExecuteSequence)
sequence_of() { awk -F'\t' -v a="$1" '$1 == a { print $3 }' <<<"$sequence"; }
if grep -q 'より新しいバージョン' <<<"$condition" && grep -q NEWERVERSIONDETECTED <<<"$upgrade" \
    && [ "$(sequence_of RemoveExistingProducts)" -gt "$(sequence_of InstallExecute)" ] \
    && [ "$(sequence_of RemoveExistingProducts)" -gt "$(sequence_of InstallFiles)" ] \
    && [ "$(sequence_of RemoveExistingProducts)" -lt "$(sequence_of RegisterProduct)" ] \
    && [ "$(sequence_of WaitForLauncherEnd)" -lt "$(sequence_of InstallValidate)" ]; then
    pass "major upgrade: the older version removed after the new one is in place (RemoveExistingProducts $(sequence_of RemoveExistingProducts)), a newer one refused in Japanese, the running-launcher check before InstallValidate"
else
    fail "upgrade tables: condition '$condition', sequence REP=$(sequence_of RemoveExistingProducts) check=$(sequence_of WaitForLauncherEnd)"
fi
default_dir=$(table "$msi1" Directory | awk -F'\t' '$1 == "INSTALLDIR" { print $2 "\\" $3 }')
if [ "$default_dir" = 'WindowsVolume\Mabora' ]; then
    pass "the default folder is Mabora directly under the system drive (C:\\Mabora), where signed-in users may write"
else
    fail "the default folder is $default_dir"
fi

# launcher.exe as Windows shows it.
exe=$package/launcher.exe
resources=$(wrestool -l "$exe" 2>&1)
# The version resource's strings: key, value, as StringFileInfo holds them.
version_text=$(wrestool -x --raw -t 16 "$exe" 2>/dev/null | python3 -c '
import re, sys
text = sys.stdin.buffer.read().decode("utf-16-le", "replace")
for key in ("FileDescription", "FileVersion", "ProductName", "ProductVersion"):
    m = re.search(key + "\0+([^\0]*)", text)
    print(key + "\t" + (m.group(1) if m else ""))' || true)
value_of() { awk -F'\t' -v k="$1" '$1 == k { print $2 }' <<<"$version_text"; }
if grep -q 'type=group_icon' <<<"$resources" && [ "$(grep -c 'type=icon ' <<<"$resources")" -ge 8 ]; then
    pass "launcher.exe has its icon ($(grep -c 'type=icon ' <<<"$resources") sizes, 16 to 256 px)"
else
    fail "launcher.exe's icon: $(tr '\n' ' ' <<<"$resources")"
fi
if [ "$(value_of ProductName)" = "Mabora for Windows" ] && [ "$(value_of FileDescription)" = "Mabora メインメニュー" ] \
    && [ "$(value_of FileVersion)" = "$v1" ] && [ "$(value_of ProductVersion)" = "$v1" ]; then
    pass "launcher.exe's version: $(value_of FileDescription), $(value_of ProductName) $(value_of ProductVersion)"
else
    fail "launcher.exe's version information: $(tr '\n' ' ' <<<"$version_text" | head -c 300)"
fi
manifest=$(wrestool -x --raw -t 24 "$exe" 2>/dev/null || true)
if grep -q 'level="asInvoker"' <<<"$manifest" && grep -q '>PerMonitorV2<' <<<"$manifest" \
    && grep -q 'Microsoft.Windows.Common-Controls" version="6' <<<"$manifest" \
    && grep -q '8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a' <<<"$manifest" && ! grep -q activeCodePage <<<"$manifest"; then
    pass "launcher.exe's manifest: asInvoker, PerMonitorV2, common controls 6, Windows 10/11, the system's code page"
else
    fail "launcher.exe's manifest: $(head -c 300 <<<"$manifest")"
fi

# ---- A fresh prefix, a display, the administrator's folder -----------------------

. "$repo/scripts/xvfb.sh"
start_xvfb "$work"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
timeout 180 wineboot -i >"$work/wineboot.log" 2>&1 || abort "wineboot -i failed"
timeout 60 wineserver -w || true
# The installer's dialogs ask for "MS UI Gothic", which Japanese Windows has and
# wine does not: the distribution's Gothic face stands in, so that the dialog's
# Japanese text shows in the screenshot.
timeout 60 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d 'IPAGothic' /f \
    >/dev/null 2>&1 || true
# The suite's folder on drive D:, with a Japanese name.
mkdir -p "$work/d"
ln -s "$work/d" "$WINEPREFIX/dosdevices/d:"
installdir='D:\積算\Mabora'
install=$work/d/積算/Mabora

msiexec() { # msiexec <log> <arguments...>: status of wine's msiexec
    local log=$1; shift
    timeout 300 wine msiexec "$@" /l*v "$(printf 'Z:%s' "${log//\//\\}")" >>"$work/msiexec.out" 2>&1
}
product_code() { table "$1" Property | awk -F'\t' '$1 == "ProductCode" { print $2 }'; }
uninstall_key() { printf 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s' "$(product_code "$1")"; }
arp() { # arp <msi> <value>: the value in the program's entry of Add or remove programs
    local key=$1 file=$work/arp.reg
    case $key in *.msi) key=$(uninstall_key "$key") ;; esac
    rm -f "$file"
    wine reg export "$key" "Z:${file//\//\\}" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' | sed -n "s/^\"$2\"=\"\(.*\)\"\$/\1/p" | sed 's/\\\\/\\/g'
}
# The product's icon as the installer registered it (ProductIcon of its entry
# under Installer\Products, a file the installer keeps).
product_icon() {
    local code squashed
    code=$(product_code "$1" | tr -d '{}-')
    squashed=$(python3 -c '
import sys
c = sys.argv[1]
parts = [c[0:8], c[8:12], c[12:16]]
out = "".join(p[::-1] for p in parts)
rest = c[16:]
out += "".join(rest[i:i + 2][::-1] for i in range(0, len(rest), 2))
print(out)' "$code")
    arp "HKLM\\Software\\Classes\\Installer\\Products\\$squashed" ProductIcon
}
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
user_start_menu=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs

# installed_as <stage> [except...]: every file of the stage is in the folder, byte for byte.
installed_as() {
    local stage=$1 f bad=
    shift
    while read -r f; do
        case " $* " in *" $f "*) continue ;; esac
        cmp -s "$stage/$f" "$install/$f" || bad+="$f "
    done < <(cd "$stage" && find . -type f | sed 's|^\./||')
    [ -z "$bad" ] || { echo "    differ or missing: $bad" | head -c 400; echo; return 1; }
}

# ---- 1. Silent installation into the administrator's folder ------------------------

if msiexec "$work/install.log" /i "Z:${msi1//\//\\}" INSTALLDIR="$installdir" /qn; then
    if installed_as "$package"; then
        pass "msiexec /i launcher-$v1.msi INSTALLDIR=$installdir /qn installed every file of the delivery, byte for byte"
    else
        fail "the silent installation into $installdir"
    fi
else
    abort "msiexec /i launcher-$v1.msi /qn failed: $(tail -3 "$work/msiexec.out")"
fi
shortcuts() { find "$start_menu" "$user_start_menu" -name '*.lnk' 2>/dev/null; }
shortcut=$(shortcuts | head -1)
if [ "$(basename "$shortcut")" = "Mabora メインメニュー.lnk" ]; then
    pass "Start menu entry「Mabora メインメニュー」"
    case $shortcut in "$user_start_menu"/*)
        note "wine puts a per-machine installation's Start menu entry into the user's Start menu, Windows into the one of all users" ;;
    esac
else
    fail "Start menu: $(shortcuts | tr '\n' ' ')"
fi
name=$(arp "$msi1" DisplayName) shown_version=$(arp "$msi1" DisplayVersion)
publisher=$(arp "$msi1" Publisher) icon=$(product_icon "$msi1") location=$(arp "$msi1" InstallLocation)
icon_file=$WINEPREFIX/drive_c/${icon#C:\\}
icon_file=${icon_file//\\//}
if [ "$name" = "Mabora メインメニュー" ] && [ "$shown_version" = "$v1" ] && [ "$publisher" = "launcher developers" ] \
    && [ -n "$icon" ] && cmp -s "$icon_file" <(wrestool -x -t 14 "$package/launcher.exe") && [ "$location" = "$installdir\\" ]; then
    pass "Add or remove programs: $name, $shown_version, $publisher, in $location, the menu's icon ($icon)"
else
    fail "Add or remove programs: name '$name', version '$shown_version', publisher '$publisher', location '$location', icon '$icon'"
fi

# ---- 2. The installed launcher --------------------------------------------------------

run_launcher() {
    (cd "$work" && exec wine "$installdir\\launcher.exe") >>"$work/launcher.log" 2>&1 &
    launcher_pid=$!
}
end_launcher() {
    kill "$launcher_pid" 2>/dev/null || true
    wait "$launcher_pid" 2>/dev/null || true
    launcher_pid=
}
main_window() { xdotool search --onlyvisible --name '^Mabora for Windows MAIN MENU$' 2>/dev/null | head -1; }
window_shown() { [ -n "$(main_window)" ]; }
run_launcher
if wait_for 60 window_shown && wait_for 10 test -e "$install/menu"; then
    pass "the installed launcher.exe started from the Start menu's folder: window shown, menu written"
else
    fail "the installed launcher: window $(main_window), markers $(ls "$install" | grep -x -e menu -e app | tr '\n' ' ')"
fi

# ---- 3. The user's files ------------------------------------------------------------------

field() { { printf '%s' "$1" | iconv -f UTF-8 -t CP932; printf '%*s' "$2" ''; } | head -c "$2"; }
{ field "$installdir" 128; field 'D:\工事データ\髙橋邸' 128; field "$installdir" 128; } >"$install/WOMSET"
for copy in WKVSET WKPSET WMLSET WPVSET WZDSET; do cp "$install/WOMSET" "$install/$copy"; done
head -c 169 /dev/urandom >"$install/clock.pra"
printf '99,"%s"\r\n' "$installdir\\bmp\\mine.jpg" | iconv -f UTF-8 -t CP932 >"$install/BackImg"
head -c 25600 /dev/urandom >"$install/omkojinm"
printf '4242\r\n' >"$install/app_hnd.dat"
head -c 4000 /dev/urandom >"$install/bmp/mine.jpg"
head -c 3000 /dev/urandom >"$install/chime-mine.wav"
head -c 9000 /dev/urandom >"$install/korvan21.exe"
printf '\r\n0101,mine.bmp\r\n' >>"$install/event_tbl"
user_files=(WOMSET WKVSET WKPSET WMLSET WPVSET WZDSET clock.pra BackImg omkojinm app_hnd.dat menu
    bmp/mine.jpg chime-mine.wav korvan21.exe event_tbl)
# What the user's files are before each step of the installer (the launcher
# itself may change its markers when it starts).
snapshot() {
    local f
    rm -rf "$work/user"
    snapped=()
    for f in "${user_files[@]}"; do
        [ -e "$install/$f" ] || { note "$f is not there before this step (the launcher's own doing)"; continue; }
        mkdir -p "$work/user/$(dirname "$f")"
        cp "$install/$f" "$work/user/$f"
        snapped+=("$f")
    done
}
user_files_kept() {
    local f bad=
    for f in "${snapped[@]}"; do cmp -s "$install/$f" "$work/user/$f" || bad+="$f "; done
    [ -z "$bad" ] || { echo "    changed or missing: $bad"; return 1; }
}

# ---- 4. Upgrade while the launcher runs: the installer waits -------------------------------

snapshot
msiexec "$work/upgrade2.log" /i "Z:${msi2//\//\\}" /qn &
msiexec_pid=$!
sleep 12
if kill -0 "$msiexec_pid" 2>/dev/null && installed_as "$package" event_tbl && user_files_kept; then
    pass "msiexec /i launcher-$v2.msi /qn waits while the launcher runs, and has changed nothing yet"
else
    fail "the upgrade under the running launcher did not wait (msiexec $(kill -0 "$msiexec_pid" 2>/dev/null && echo running || echo ended))"
fi
end_launcher
if wait "$msiexec_pid"; then
    msiexec_pid=
    pass "the upgrade went on once the launcher had ended"
else
    fail "the upgrade after the launcher ended: status $?"
    msiexec_pid=
fi
if installed_as "$stage2" event_tbl && [ ! -e "$install/$dropped" ]; then
    pass "upgraded to $v2: the changed installed file replaced, $dropped (no longer delivered) removed"
else
    fail "the folder after the upgrade to $v2 (dropped file $dropped $( [ -e "$install/$dropped" ] && echo present || echo gone))"
fi
if user_files_kept; then
    pass "every user file kept byte for byte: ${snapped[*]}"
else
    fail "user files after the upgrade to $v2"
fi
if [ "$(arp "$msi2" DisplayVersion)" = "$v2" ] && [ -z "$(arp "$msi1" DisplayName)" ]; then
    pass "Add or remove programs lists $v2 alone"
else
    fail "Add or remove programs after the upgrade: $v2 '$(arp "$msi2" DisplayVersion)', $v1 '$(arp "$msi1" DisplayName)'"
fi

# ---- 5. Upgrade after the launcher has ended -----------------------------------------------

run_launcher
wait_for 60 window_shown || fail "the launcher did not start again"
snapshot
# With the installer's own window: the launcher must be closed, in Japanese.
(cd "$work" && exec timeout 120 wine msiexec /i "Z:${msi3//\//\\}") >>"$work/msiexec.out" 2>&1 &
msiexec_pid=$!
box_title='^Mabora メインメニュー セットアップ$'
if box=$(wait_for 60 sh -c "xdotool search --onlyvisible --name '$box_title' | head -1 | grep ." && xdotool search --onlyvisible --name "$box_title" | head -1); then
    xdotool windowfocus "$box" 2>/dev/null; sleep 0.5; xdotool key Escape
    if wait "$msiexec_pid"; then status=0; else status=$?; fi
    msiexec_pid=
    if [ "$status" -ne 0 ] && installed_as "$stage2" event_tbl && user_files_kept; then
        pass "with its window, the installer said in Japanese that the launcher must be closed; Cancel left the folder as it was (status $status)"
    else
        fail "after Cancel on the box: status $status, the folder changed"
    fi
else
    fail "no box saying that the launcher must be closed"
    kill "$msiexec_pid" 2>/dev/null; wait "$msiexec_pid" 2>/dev/null; msiexec_pid=
fi
end_launcher
if msiexec "$work/upgrade3.log" /i "Z:${msi3//\//\\}" /qn && [ "$(arp "$msi3" DisplayVersion)" = "$v3" ] \
    && installed_as "$stage2" event_tbl && user_files_kept; then
    pass "upgraded to $v3 after the launcher had ended; every user file kept byte for byte"
else
    fail "the upgrade to $v3 after the launcher ended"
fi

# ---- 6. An older version is refused --------------------------------------------------------

snapshot
if msiexec "$work/downgrade.log" /i "Z:${msi1//\//\\}" /qn; then
    fail "launcher-$v1.msi installed over $v3"
elif grep -aq "NEWERVERSIONDETECTED = " "$work/downgrade.log" && grep -aq "LaunchConditions. Return value 0" "$work/downgrade.log" \
    && [ "$(arp "$msi3" DisplayVersion)" = "$v3" ] && installed_as "$stage2" event_tbl && user_files_kept; then
    # wine writes the log in the code page of the Unix locale: the message
    # itself is the LaunchCondition row checked above.
    pass "launcher-$v1.msi over $v3 refused by the launch condition (the Japanese message of the MSI), nothing changed"
else
    fail "the refused downgrade: $(grep -a 'LaunchConditions. Return' "$work/downgrade.log"), installed $(arp "$msi3" DisplayVersion)"
fi

# ---- 7. Uninstall, with the launcher running at first ----------------------------------------

run_launcher
wait_for 60 window_shown || fail "the launcher did not start before the uninstall"
snapshot
msiexec "$work/uninstall.log" /x "Z:${msi3//\//\\}" /qn &
msiexec_pid=$!
sleep 10
if kill -0 "$msiexec_pid" 2>/dev/null && [ -e "$install/launcher.exe" ]; then
    pass "msiexec /x /qn waits while the launcher runs"
else
    fail "the uninstall did not wait for the running launcher"
fi
end_launcher
if wait "$msiexec_pid"; then status=0; else status=$?; fi
msiexec_pid=
left=$(cd "$install" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
expected_left=$(printf '%s\n' "${user_files[@]}" | LC_ALL=C sort | tr '\n' ' ')
others=$(cd "$install" && find . -type f | sed 's|^\./||' | grep -vxF "$(printf '%s\n' "${user_files[@]}")" | grep -vx 'launcher\.lock' | tr '\n' ' ' || true)
# (launcher.lock: the lock file of the launcher ended by a signal, its own)
if [ "$status" -eq 0 ] && user_files_kept && [ -z "$others" ]; then
    pass "uninstalled: left are the user's files alone, byte for byte (${left% })"
else
    fail "after the uninstall (status $status): left '${left% }', expected '${expected_left% }'"
fi
if [ -z "$(shortcuts)" ] && [ -z "$(arp "$msi3" DisplayName)" ]; then
    pass "the Start menu entry and the Add or remove programs entry are gone"
else
    fail "after the uninstall: Start menu $(shortcuts | wc -l) entries, Add or remove programs '$(arp "$msi3" DisplayName)'"
fi

# ---- 8. The interactive installation, into a folder typed into its dialog -----------------

(cd "$work" && exec timeout 120 wine msiexec /i "Z:${msi1//\//\\}") >>"$work/msiexec.out" 2>&1 &
msiexec_pid=$!
dialog_title='^Mabora メインメニュー のインストール$'
if dialog=$(wait_for 60 sh -c "xdotool search --onlyvisible --name '$dialog_title' | grep -q ." && xdotool search --onlyvisible --name "$dialog_title" | head -1); then
    sleep 1
    xdotool windowfocus "$dialog" 2>/dev/null; sleep 0.5
    xdotool key ctrl+a; xdotool type --delay 40 'C:\Suite\Mabora\'; sleep 0.5
    import -window root "$repo/build-win/screenshot-msi-dialog.png" 2>/dev/null &&
        note "the installer's folder dialog saved to build-win/screenshot-msi-dialog.png"
    xdotool key Return # インストール, the default button
    if wait "$msiexec_pid"; then status=0; else status=$?; fi
    msiexec_pid=
    install=$WINEPREFIX/drive_c/Suite/Mabora
    if [ "$status" -eq 0 ] && installed_as "$package" && [ ! -e "$WINEPREFIX/drive_c/Mabora" ]; then
        pass "the interactive installation asked for the folder and installed every file into the typed C:\\Suite\\Mabora"
    else
        fail "the interactive installation into C:\\Suite\\Mabora: status $status"
    fi
    msiexec "$work/uninstall2.log" /x "Z:${msi1//\//\\}" /qn || fail "the uninstall after the interactive installation"
else
    fail "the interactive installation showed no folder dialog"
    kill "$msiexec_pid" 2>/dev/null; wait "$msiexec_pid" 2>/dev/null; msiexec_pid=
fi
