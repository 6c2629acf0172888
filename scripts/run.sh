#!/usr/bin/env bash
# Installs what is needed, builds, stages build/dist and starts the launcher there.
# Without a display it runs under Xvfb, saves build/screenshot.png and ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec build/dist/launcher
fi

work=$(mktemp -d)
xvfb_pid=
trap '[ -z "$xvfb_pid" ] || stop_xvfb; rm -rf "$work"' EXIT
. scripts/xvfb.sh
start_xvfb "$work"
build/dist/launcher &
launcher_pid=$!
sleep 4
import -window root build/screenshot.png
kill "$launcher_pid" 2>/dev/null || true
wait "$launcher_pid" 2>/dev/null || true
echo "No display: the launcher ran under Xvfb; screenshot saved to build/screenshot.png"
