#!/usr/bin/env bash
# All benchmarks in one run, each figure beside its baseline measured in the same
# run: start-up, idle CPU and memory against a minimal Qt window; wake-ups and
# CPU idle and while a started program runs, and how soon a sibling's app_hnd is
# seen; expanding a folder of 5,000 sub-folders against a plain listing with one
# probe per folder, on the local disk and on a file system that answers each call
# 1 ms late; loading a full registry of 100 entries against a plain read; and,
# where the Windows program is built, launcher.exe under wine against a minimal
# Qt window cross-built the same way.
#
#   bench/bench_all.sh [build-dir]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$root/build}")
cmake --build "$build_dir" --target launcher bench_tools bench_foldertree bench_registry stage_standins stage_sound pictures >/dev/null

echo "== Start-up, memory and idle CPU (staged launcher on Xvfb)"
"$root/bench/bench_startup.sh" "$build_dir" 5
echo
echo "== Wake-ups and marker watching (staged launcher on Xvfb)"
"$root/bench/bench_watch.sh" "$build_dir"
echo
echo "== Folder tree"
QT_QPA_PLATFORM=offscreen "$build_dir/bench/bench_foldertree"
echo
echo "== Folder tree on a slow file system (FUSE, 1 ms a call)"
"$root/bench/bench_slowtree.sh" "$build_dir"
echo
echo "== Project registry"
"$build_dir/bench/bench_registry" 50
if [ -e "$root/build-win/package/launcher.exe" ]; then
    echo
    echo "== launcher.exe under wine (scripts/build-windows.sh)"
    "$root/bench/bench_windows.sh" "$root/build-win/package" 5
fi
