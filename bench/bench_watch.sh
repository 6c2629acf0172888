#!/usr/bin/env bash
# Wake-ups and CPU of the staged launcher idle and while a started program runs,
# beside a minimal Qt Widgets window idle, and the delay from a sibling's rename of
# app_hnd into place to the launcher reading it; on a private Xvfb, one run.
#
#   bench/bench_watch.sh [build-dir] [seconds]        (defaults: build, 10)
#
# Wake-ups are the voluntary and involuntary context switches of all the
# process's threads (/proc/PID/task/*/status), CPU the time on a processor
# (/proc/PID/task/*/schedstat), both over the measured seconds.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$root/build}")
seconds=${2:-10}
settle_seconds=3
dist=$build_dir/dist
[ -x "$dist/launcher" ] || { echo "No staged launcher in $dist: build it first." >&2; exit 1; }
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is needed" >&2; exit 1; }
done
minimal=$build_dir/bench/bench_minimal
renamewatch=$build_dir/bench/bench_renamewatch
[ -x "$renamewatch" ] || { echo "bench_renamewatch was not built" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    [ -z "$xvfb_pid" ] || stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

install=$work/install
cp -a "$dist" "$install"
rm -f "$install"/{menu,app,sub,app_hnd,app_hnd.dat} "$install"/*.script "$install"/*.log
# The started program only idles; the bench plays its app_hnd itself.
printf 'sleep 3600000\n' > "$install/korvan21.exe.script"

. "$root/scripts/xvfb.sh"
start_xvfb "$work"

# switches <pid>, cputime_ns <pid>: summed over the threads.
switches() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^(non)?voluntary_ctxt_switches:/ { s += $2 } END { print s + 0 }'
}
cputime_ns() {
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f\n", s }'
}
# sample <pid>: "wake-ups-per-second cpu-percent" over the measured seconds.
sample() {
    local s0 c0 s1 c1
    s0=$(switches "$1"); c0=$(cputime_ns "$1")
    sleep "$seconds"
    s1=$(switches "$1"); c1=$(cputime_ns "$1")
    awk -v s=$((s1 - s0)) -v c=$((c1 - c0)) -v t="$seconds" \
        'BEGIN { printf "%.1f %.3f\n", s / t, 100 * c / 1e9 / t }'
}
wait_window() {
    for _ in $(seq 200); do
        xdotool search --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "no window \"$1\"" >&2
    return 1
}

# The pointer out of the way of both windows.
xdotool mousemove 1270 790

"$minimal" >/dev/null 2>&1 &
pids+=($!)
minimal_pid=$!
wait_window minimal
sleep "$settle_seconds"
read -r minimal_wakeups minimal_cpu < <(sample "$minimal_pid")
kill "$minimal_pid"

(cd "$install" && exec ./launcher) >"$work/launcher.log" 2>&1 &
pids+=($!)
launcher_pid=$!
wait_window "Mabora for Windows MAIN MENU" || { cat "$work/launcher.log" >&2; exit 1; }
sleep "$settle_seconds"
read -r idle_wakeups idle_cpu < <(sample "$launcher_pid")

# Slot 0 starts the stand-in; the pointer leaves the window again.
xdotool mousemove 150 118 sleep 0.3 click 1 sleep 0.3 mousemove 1270 790
for _ in $(seq 100); do
    [ -e "$install/app" ] && break
    sleep 0.1
done
[ -e "$install/app" ] || { echo "slot 0 did not launch" >&2; exit 1; }
for p in $(pgrep -f "$install/korvan21.exe" || true); do pids+=("$p"); done
sleep 1
read -r busy_wakeups busy_cpu < <(sample "$launcher_pid")

line=$("$renamewatch" "$install" 20)
median=$(sed -n 's/.*median_ms=\([0-9.-]*\).*/\1/p' <<<"$line")
max=$(sed -n 's/.*max_ms=\([0-9.-]*\).*/\1/p' <<<"$line")
missed=$(sed -n 's/.*missed=\([0-9]*\).*/\1/p' <<<"$line")

echo "Over $seconds s on $DISPLAY ($(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)):"
printf "%-44s %14s %18s %14s\n" "" "launcher" "minimal Qt window" "goal"
printf "%-44s %14s %18s %14s\n" "wake-ups per second, idle" "$idle_wakeups" "$minimal_wakeups" "<= 2"
printf "%-44s %14s %18s %14s\n" "CPU of one core, idle" "$idle_cpu %" "$minimal_cpu %" "<= 0.1 %"
printf "%-44s %14s %18s %14s\n" "wake-ups per second, started program runs" "$busy_wakeups" "" ""
printf "%-44s %14s %18s %14s\n" "CPU of one core, started program runs" "$busy_cpu %" "" ""
printf "%-44s %14s %18s %14s\n" "app_hnd renamed in to read (median of 20)" "$median ms" "" "<= 20 ms"
printf "%-44s %14s %18s %14s\n" "app_hnd renamed in to read (slowest, missed)" "$max ms, $missed" "" ""
