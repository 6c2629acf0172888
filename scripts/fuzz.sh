#!/usr/bin/env bash
# Builds the fuzz targets of the file readers with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for a while.
#
#   scripts/fuzz.sh [seconds-per-target] [target...]     (default 60 s, every target)
#
# Inputs the fuzzer finds go to build-fuzz/corpus/<target> (the committed seeds in
# fuzz/corpus/<target> are only read); a crashing input is saved as
# build-fuzz/artifacts/<target>-crash-*. Exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
all_targets=(fuzz_clockpra fuzz_backimg fuzz_eventtbl fuzz_omkojinm fuzz_womset fuzz_kojigai fuzz_apphnd)
targets=("${@:-${all_targets[@]}}")

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DLAUNCHER_FUZZ=ON -DLAUNCHER_SANITIZE=address,undefined \
    -DLAUNCHER_BUILD_TESTS=OFF >/dev/null
cmake --build "$build_dir" --target "${targets[@]}"

root=$(pwd)
mkdir -p "$build_dir/artifacts"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8

failed=()
summary=()
for t in "${targets[@]}"; do
    corpus="$build_dir/corpus/$t"
    mkdir -p "$corpus"
    log="$build_dir/artifacts/$t.log"
    echo "== $t: ${seconds}s"
    # The readers change the current directory; every path given is absolute.
    if "$root/$build_dir/fuzz/$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$root/$build_dir/artifacts/$t-" "$root/$corpus" "$root/fuzz/corpus/$t" \
        >"$log" 2>&1; then
        status=ok
    else
        status=FAILED
        failed+=("$t")
        tail -n 60 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 || true)
    summary+=("$(printf '%-15s %-7s %10s runs  %s' "$t" "$status" "${runs:-?}" "$cov")")
done

printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing failed: ${failed[*]} (logs and inputs in $build_dir/artifacts)" >&2
    exit 1
fi
