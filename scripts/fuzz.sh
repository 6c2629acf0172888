#!/usr/bin/env bash
# Builds the fuzz targets of the file readers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for a while.
#
#   scripts/fuzz.sh [seconds-per-target] [target...]     (default 60 s, every target)
#
# FUZZ_JOBS targets run side by side (default 1). Inputs the fuzzer finds go to
# build-fuzz/corpus/<target> (the committed seeds in fuzz/corpus/<target> are
# only read); a crashing input is saved as build-fuzz/artifacts/<target>-crash-*.
# Exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${FUZZ_JOBS:-1}
all_targets=(fuzz_clockpra fuzz_backimg fuzz_eventtbl fuzz_omkojinm fuzz_womset fuzz_kojigai fuzz_apphnd)
targets=("${@:-${all_targets[@]}}")

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLAUNCHER_FUZZ=ON -DLAUNCHER_SANITIZE=address,undefined \
    -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target "${targets[@]}"

root=$(pwd)
artifacts="$root/$build_dir/artifacts"
mkdir -p "$artifacts"
# The targets' installation directories, on a memory file system where there is
# one: the saves' sync to the disk would slow the readers down a hundredfold.
shm=/dev/shm
[ -d "$shm" ] && [ -w "$shm" ] || shm=${TMPDIR:-/tmp}
TMPDIR=$(mktemp -d "$shm/launcher-fuzz.XXXXXX")
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# One target: its log, and "ok" or "FAILED" in <target>.status.
run_target() {
    local t=$1 corpus="$root/$build_dir/corpus/$1"
    mkdir -p "$corpus"
    # The readers change the current directory: every path given is absolute.
    if "$root/$build_dir/fuzz/$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$t-" "$corpus" "$root/fuzz/corpus/$t" >"$artifacts/$t.log" 2>&1; then
        echo ok >"$artifacts/$t.status"
    else
        echo FAILED >"$artifacts/$t.status"
    fi
}

echo "== ${#targets[@]} targets, ${seconds}s each, $jobs at a time"
for t in "${targets[@]}"; do
    rm -f "$artifacts/$t.status"
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n || true
    done
    run_target "$t" &
done
wait

failed=()
for t in "${targets[@]}"; do
    log="$artifacts/$t.log"
    status=$(cat "$artifacts/$t.status" 2>/dev/null || echo FAILED)
    if [ "$status" != ok ]; then
        failed+=("$t")
        echo "== $t failed:"
        tail -n 60 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 || true)
    printf '%-15s %-7s %10s runs  %s\n' "$t" "$status" "${runs:-?}" "$cov"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing failed: ${failed[*]} (logs and inputs in $build_dir/artifacts)" >&2
    exit 1
fi
