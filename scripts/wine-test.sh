#!/usr/bin/env bash
# CTest's emulator in the Windows build: runs one cross-built test program under
# wine, in the wine prefix given first (made once by scripts/test-windows-units.sh),
# with Qt's and the compiler's DLLs on wine's PATH.
#
#   scripts/wine-test.sh <prefix> <qt-dir> <program.exe> [arguments...]
#
# A Qt Test program writes its results into a file (a console program under wine may have
# no console to write to), which is printed afterwards; the exit code is the
# program's.
set -uo pipefail
prefix=$1 qt=$2 program=$3
shift 3

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
WINEPATH="$(winepath -w "$qt/bin");$(winepath -w "$runtime");$(winepath -w /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
# Wine keeps the QT_ variables to the Unix side; a Windows program gets them from
# WINEQT_ ones (CTest's QT_QPA_PLATFORM=offscreen among them).
while IFS= read -r name; do
    case $name in QT_*) export "WINE$name=${!name}" ;; esac
done < <(compgen -e)
export WINEQT_PLUGIN_PATH="$(winepath -w "$qt/plugins")"

case $(basename "$program") in
tst_*) ;;
*) exec wine "$program" "$@" </dev/null ;;
esac
results=$(mktemp --suffix=.txt)
trap 'rm -f "$results"' EXIT
wine "$program" "$@" -o "$(winepath -w "$results"),txt" </dev/null >/dev/null 2>&1
rc=$?
cat "$results"
exit "$rc"
