#!/usr/bin/env bash
# Start-up time, idle memory and idle CPU of the staged launcher, each next to the
# same figure for a minimal Qt Widgets window and for that window with two lines
# of Japanese in the menu's two Gothic faces, measured in the same run on a
# private Xvfb without a window manager.
#
#   bench/bench_startup.sh [build-dir] [runs]        (defaults: build, 5)
#
# The build directory must hold the staged installation (scripts/build.sh makes
# it); the bench runs a copy of it, so build/dist itself is left as it was.
# Reported: the median over the runs of
#   - start to window shown: from the start of the process to its window's first
#     pixels on the screen;
#   - start to slide-in halfway: to the moment slot panel 0 is seen halfway in
#     (equal to the next figure when the frames before the last never reach the
#     screen);
#   - start to end of slide-in: to the moment slot panel 0 reaches its final
#     place (only the last slide frame covers the pixel watched); for the minimal
#     window, the last two are its first paint;
#   - idle resident memory: VmRSS three seconds after that;
#   - idle CPU: user + system time used over the following idle seconds.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$root/build}")
runs=${2:-5}
idle_seconds=10
settle_seconds=3
# Slot panel 0 ends at left 330, width 4185, top 1500, height 555 twips, that is
# x 22..301 and y 100..137 px; the frame before the last ends at x 276. The
# middle pixel is covered from the sixth of the eleven frames on.
watch_x=292
watch_y=118
watch_mid_x=150

dist=$build_dir/dist
if [ ! -x "$dist/launcher" ]; then
    echo "No staged launcher in $dist: build it first (scripts/build.sh)." >&2
    exit 1
fi
for tool in Xvfb getconf; do
    command -v "$tool" >/dev/null || { echo "$tool is needed" >&2; exit 1; }
done
cmake --build "$build_dir" --target bench_tools >/dev/null
watch=$build_dir/bench/bench_slidewatch
minimal=$build_dir/bench/bench_minimal
[ -x "$watch" ] || { echo "bench_slidewatch was not built (libxcb missing?)" >&2; exit 1; }

ticks_per_second=$(getconf CLK_TCK)
work=$(mktemp -d)
xvfb_pid=
measured_pid=
cleanup() {
    [ -n "$measured_pid" ] && kill "$measured_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

cp -a "$dist" "$work/install"

. "$root/scripts/xvfb.sh"
start_xvfb "$work"

# utime + stime of a process, in clock ticks (fields 14 and 15 of stat; the
# command name in parentheses is skipped first).
cpu_ticks() {
    sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
}

# measure <program> [arguments...]: prints "shown_ms mid_ms done_ms rss_kib cpu_ticks".
measure() {
    local line pid shown mid done rss before after
    line=$(cd "$work/install" && "$watch" "$watch_x" "$watch_y" "$watch_mid_x" 60000 "$@" 2>>"$work/programs.log") || {
        echo "no finished window within 60 s: $line" >&2
        return 1
    }
    pid=$(sed -n 's/.*pid=\([0-9]*\).*/\1/p' <<<"$line")
    shown=$(sed -n 's/.*shown_ms=\([0-9-]*\).*/\1/p' <<<"$line")
    mid=$(sed -n 's/.*mid_ms=\([0-9-]*\).*/\1/p' <<<"$line")
    done=$(sed -n 's/.*done_ms=\([0-9-]*\).*/\1/p' <<<"$line")
    measured_pid=$pid
    sleep "$settle_seconds"
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    before=$(cpu_ticks "$pid")
    sleep "$idle_seconds"
    after=$(cpu_ticks "$pid")
    kill "$pid"
    # Not our child (the watcher started it): wait for it to vanish.
    for _ in $(seq 100); do
        [ -e "/proc/$pid" ] || break
        sleep 0.05
    done
    measured_pid=
    echo "$shown $mid $done $rss $((after - before))"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "Warming up (one unmeasured start of each)..."
measure "$work/install/launcher" >/dev/null
measure "$minimal" >/dev/null
measure "$minimal" text >/dev/null

: > "$work/launcher.txt"
: > "$work/minimal.txt"
: > "$work/text.txt"
for run in $(seq "$runs"); do
    l=$(measure "$work/install/launcher")
    m=$(measure "$minimal")
    x=$(measure "$minimal" text)
    echo "$l" >> "$work/launcher.txt"
    echo "$m" >> "$work/minimal.txt"
    echo "$x" >> "$work/text.txt"
    printf 'run %d: launcher %s | minimal %s | with text %s   (shown_ms mid_ms done_ms rss_kib cpu_ticks)\n' "$run" "$l" "$m" "$x"
done

column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }
report() {
    local label=$1 column=$2 format=$3
    local l m x
    l=$(column_median "$work/launcher.txt" "$column")
    m=$(column_median "$work/minimal.txt" "$column")
    x=$(column_median "$work/text.txt" "$column")
    printf "%-34s %14s %18s %18s\n" "$label" "$($format "$l")" "$($format "$m")" "$($format "$x")"
}
ms() { printf '%.0f ms' "$1"; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f MiB", k / 1024 }'; }
cpu() {
    awk -v t="$1" -v hz="$ticks_per_second" -v s="$idle_seconds" \
        'BEGIN { printf "%.2f s (%.1f%%)", t / hz, 100 * t / hz / s }'
}

echo
echo "Median of $runs runs on $DISPLAY ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)):"
printf "%-34s %14s %18s %18s\n" "" "launcher" "minimal Qt window" "... with Japanese"
report "start to window shown" 1 ms
report "start to slide-in halfway" 2 ms
report "start to end of slide-in" 3 ms
report "idle resident memory (VmRSS)" 4 mib
report "CPU over ${idle_seconds} idle seconds" 5 cpu
