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

# Wine says nothing of its own but a program or DLL that cannot be loaded.
export WINEPREFIX=$prefix WINEDEBUG=-all,err+module WINEDLLOVERRIDES="mscoree,mshtml="
# A Unix path as the Windows program sees it: wine's drive Z: is the root.
# (winepath would say the same, at the cost of a wine start of its own.)
windows_path() {
    local path
    path=$(realpath -m "$1")
    printf 'Z:%s' "${path//\//\\}"
}
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
# Wine keeps the QT_ variables to the Unix side; a Windows program gets them from
# WINEQT_ ones (CTest's QT_QPA_PLATFORM=offscreen among them).
while IFS= read -r name; do
    case $name in QT_*) export "WINE$name=${!name}" ;; esac
done < <(compgen -e)
export WINEQT_PLUGIN_PATH="$(windows_path "$qt/plugins")"

case $(basename "$program") in
tst_*) ;;
*) exec wine "$program" "$@" </dev/null ;;
esac
results=$(mktemp --suffix=.txt)
messages=$(mktemp)
trap 'rm -f "$results" "$messages"' EXIT
wine "$program" "$@" -o "$(windows_path "$results"),txt" </dev/null >/dev/null 2>"$messages"
rc=$?
cat "$results"
cat "$messages" >&2
exit "$rc"
