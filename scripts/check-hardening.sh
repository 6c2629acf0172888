#!/usr/bin/env bash
# The checks that follow the tests in CI: every test again, built with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/), then each fuzz
# target of the file readers for a bounded time (build-fuzz/, scripts/fuzz.sh).
#
#   scripts/check-hardening.sh [fuzz-seconds-per-target]     (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${1:-60}
asan_dir=${ASAN_BUILD_DIR:-build-asan}

scripts/install-deps.sh

echo "== tests with AddressSanitizer and UndefinedBehaviorSanitizer"
# A debug build: quicker to compile, and the assertions in Qt's headers check
# every index on the way.
cmake -S . -B "$asan_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DLAUNCHER_SANITIZE=address,undefined -DLAUNCHER_WERROR=ON >/dev/null
cmake --build "$asan_dir"
# Leaks are reported at the end of every test; those of the system's own
# libraries (fonts, GLib, D-Bus) are suppressed by name.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$asan_dir" --output-on-failure -j2

echo "== fuzzing, ${fuzz_seconds}s per target"
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
# The fuzzers run one per core.
FUZZ_JOBS=${FUZZ_JOBS:-2} scripts/fuzz.sh "$fuzz_seconds"
