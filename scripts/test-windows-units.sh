#!/usr/bin/env bash
# Runs the unit tests of the Windows build (scripts/build-windows.sh) under wine
# through CTest, scripts/wine-test.sh being the build's emulator; in a wine
# prefix of the build's own and on a private Xvfb.
#
#   scripts/test-windows-units.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-win
[ -f "$out/CTestTestfile.cmake" ] || { echo "No Windows build in $out: run scripts/build-windows.sh first" >&2; exit 1; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    WINEPREFIX=$(pwd)/$out/wineprefix timeout 20 wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
. scripts/xvfb.sh
start_xvfb "$work"

export WINEPREFIX=$(pwd)/$out/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    timeout 180 wineboot -i >/dev/null 2>&1
    timeout 60 wineserver -w || true
fi
# One wineserver for all the tests, kept running between them.
wineserver -p
# Wine's own services start with the first program; started here, they keep no
# test's output open.
timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
started=$(date +%s)
status=0
ctest --test-dir "$out" -j2 --output-on-failure "$@" || status=$?
echo "Windows unit tests under wine: $(( $(date +%s) - started )) s"
exit "$status"
