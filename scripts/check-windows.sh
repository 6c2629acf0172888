#!/usr/bin/env bash
# Compile check of the Windows build without a Windows machine: every file of
# the Win32 layer (src/platform/win32, plain C++ without Qt) is compiled with
# the MinGW-w64 cross compiler with warnings as errors, and linked with the
# checks of tests/win32 into win32_checks.exe, which runs where wine is
# installed. The Qt side of the Windows files is checked for syntax against the
# host's Qt headers. Fails on the first error.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cxx=x86_64-w64-mingw32-g++-posix
out=build-windows-check
mkdir -p "$out"

flags=(-std=c++20 -Wall -Wextra -Werror -DWIN32_LEAN_AND_MEAN -DNOMINMAX -DUNICODE -D_UNICODE
    -D_WIN32_WINNT=0x0A00 -Isrc)

echo "== Win32 layer with $cxx"
objects=()
for source in src/platform/win32/*.cpp tests/win32/*.cpp; do
    object="$out/$(basename "${source%.cpp}").o"
    echo "   $source"
    "$cxx" "${flags[@]}" -c "$source" -o "$object"
    objects+=("$object")
done
# Static, so that the program needs no DLLs of the cross compiler.
"$cxx" -static -o "$out/win32_checks.exe" "${objects[@]}" -luser32 -lshell32 -lwinmm
echo "   linked $out/win32_checks.exe"

echo "== Qt side of the Windows files, syntax against the host's Qt"
qt_flags=$(pkg-config --cflags Qt6Core Qt6Gui)
for source in src/common/*_win.cpp src/platform/*_win.cpp; do
    echo "   $source"
    # shellcheck disable=SC2086 # pkg-config's flags are words
    g++ -std=c++20 -fPIC -fsyntax-only -Wall -Wextra -Werror -DQT_NO_CAST_FROM_ASCII \
        -DQT_NO_CONTEXTLESS_CONNECT -DQT_NO_KEYWORDS -Isrc -Isrc/common $qt_flags "$source"
done

# Debian's wine64 alone keeps its loader off the PATH.
wine=$(command -v wine || command -v wine64 || true)
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
if [ -n "$wine" ]; then
    echo "== win32_checks.exe under $wine"
    # A wine configuration of its own, not the user's.
    WINEPREFIX="$(pwd)/$out/wineprefix" WINEDEBUG=-all timeout 600 "$wine" "$out/win32_checks.exe"
else
    echo "== wine is not installed: win32_checks.exe built, not run"
fi
