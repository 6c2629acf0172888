#!/usr/bin/env bash
# launcher.exe under wine: start to window shown and idle resident memory, beside
# a minimal Qt window cross-built the same way (bench_minimal.exe, drawing the
# same two lines of Japanese in the menu's two Gothic faces), measured in the
# same run on a private Xvfb without a window manager, in a fresh wine prefix.
#
#   bench/bench_windows.sh [package-dir] [runs]     (defaults: build-win/package, 5)
#
# The delivery (scripts/build-windows.sh) is copied with bench_minimal.exe beside
# launcher.exe, so both load the same Qt DLLs and plugins. Reported: the median
# over the runs of
#   - start to window shown: from the start of wine to the window's first pixels
#     on the screen (bench_slidewatch of the host build), seen at a point that
#     both windows paint at once and not black: the launcher's title panel
#     (wine without a window manager puts a window's client area 23 pixels down);
#   - idle resident memory: VmRSS of the program's process three seconds later
#     (wineserver and wine's own services, shared by both, not counted).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
package=$(cd "${1:-$root/build-win/package}" && pwd)
runs=${2:-5}
settle_seconds=3
minimal_exe=$root/build-win/bench/bench_minimal.exe
[ -e "$package/launcher.exe" ] || { echo "no launcher.exe in $package: run scripts/build-windows.sh" >&2; exit 1; }
[ -e "$minimal_exe" ] || { echo "no $minimal_exe: run scripts/build-windows.sh" >&2; exit 1; }
cmake --build "$root/build" --target bench_slidewatch >/dev/null
watch=$root/build/bench/bench_slidewatch
wine_loader=$(command -v wine64 || echo /usr/lib/wine/wine64)

work=$(realpath "$(mktemp -d)")
xvfb_pid=
measured_pid=
cleanup() {
    [ -n "$measured_pid" ] && kill "$measured_pid" 2>/dev/null || true
    if [ -d "$work/prefix" ]; then
        WINEPREFIX=$work/prefix timeout 20 wineserver -k 2>/dev/null || true
        WINEPREFIX=$work/prefix timeout 20 wineserver -w 2>/dev/null || true
    fi
    [ -z "$xvfb_pid" ] || stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

export HOME=$work/home XDG_CACHE_HOME=$work/home/.cache
mkdir -p "$HOME"
cp -a "$package" "$work/install"
cp "$minimal_exe" "$work/install/"
x86_64-w64-mingw32-strip --strip-unneeded "$work/install/bench_minimal.exe"

. "$root/scripts/xvfb.sh"
start_xvfb "$work"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
timeout 180 wineboot -i >/dev/null 2>&1
timeout 60 wineserver -w || true

# The Windows process of a wine start: the loader's pid, or the process it
# became (its command line names the program).
windows_pid() { # windows_pid <loader-pid> <exe-name>
    local p
    for p in "$1" $(pgrep -f "$2" 2>/dev/null); do
        [ -r "/proc/$p/status" ] && grep -q "$2" "/proc/$p/cmdline" 2>/dev/null && { echo "$p"; return; }
    done
    echo "$1"
}

# measure <exe> [arguments...]: prints "shown_ms rss_kib".
measure() {
    local exe=$1 line pid shown rss
    shift
    line=$(cd "$work/install" && "$watch" 100 70 100 60000 "$wine_loader" "$exe" "$@" 2>>"$work/programs.log") || {
        echo "no window within 60 s: $line" >&2
        return 1
    }
    pid=$(windows_pid "$(sed -n 's/.*pid=\([0-9]*\).*/\1/p' <<<"$line")" "$exe")
    shown=$(sed -n 's/.*shown_ms=\([0-9-]*\).*/\1/p' <<<"$line")
    measured_pid=$pid
    sleep "$settle_seconds"
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    if [ "$exe" = launcher.exe ]; then
        # Ended as a user ends it, with its exit button: a launcher killed
        # leaves its lock behind, and the next start would wait for it to age.
        local window
        window=$(xdotool search --onlyvisible --name '^Mabora for Windows MAIN MENU$' | head -1)
        xdotool mousemove --window "$window" 150 464 click 1
    else
        kill "$pid"
    fi
    for _ in $(seq 200); do
        [ -e "/proc/$pid" ] || break
        sleep 0.05
    done
    [ -e "/proc/$pid" ] && kill "$pid"
    measured_pid=
    echo "$shown $rss"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "Warming up (one unmeasured start of each)..."
measure launcher.exe >/dev/null
measure bench_minimal.exe text >/dev/null
: >"$work/launcher.txt"
: >"$work/minimal.txt"
for run in $(seq "$runs"); do
    l=$(measure launcher.exe)
    m=$(measure bench_minimal.exe text)
    echo "$l" >>"$work/launcher.txt"
    echo "$m" >>"$work/minimal.txt"
    printf 'run %d: launcher.exe %s | minimal window with Japanese %s   (shown_ms rss_kib)\n' "$run" "$l" "$m"
done

column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }
ms() { printf '%.0f ms' "$1"; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }
echo
echo "Median of $runs runs under $(wine --version 2>/dev/null) on $DISPLAY ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)):"
printf "%-34s %14s %26s\n" "" "launcher.exe" "minimal Qt window, Japanese"
printf "%-34s %14s %26s\n" "start to window shown" "$(ms "$(column_median "$work/launcher.txt" 1)")" "$(ms "$(column_median "$work/minimal.txt" 1)")"
printf "%-34s %14s %26s\n" "idle resident memory (VmRSS)" "$(mib "$(column_median "$work/launcher.txt" 2)")" "$(mib "$(column_median "$work/minimal.txt" 2)")"
