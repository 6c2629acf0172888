#!/usr/bin/env bash
# Builds the Windows program with the MinGW-w64 cross compiler against the Qt
# for Windows of scripts/build-qt-windows.sh, warnings as errors, and stages the
# test installation directory build-win/dist: launcher.exe, the stand-ins under
# the sibling programs' .exe names, the pictures, event_tbl, default.wav, and the
# DLLs and Qt plugins the programs load (what windeployqt would copy). The
# delivery, build-win/package, is the same without the stand-ins: what the MSI
# and the portable zip of scripts/build-msi.sh hold.
set -euo pipefail
cd "$(dirname "$0")/.."

version=6.4.2
qt=${XDG_CACHE_HOME:-$HOME/.cache}/launcher/qt-$version-mingw
if [ ! -f "$qt/.complete" ]; then
    echo "Qt $version for Windows is not built: run scripts/build-qt-windows.sh first" >&2
    exit 1
fi

scripts/install-deps.sh

# The pictures and the chime are made by the host's generators of the same source.
host=${HOST_BUILD_DIR:-build}
cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$host" --target picgen soundgen

out=build-win
cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$(pwd)/cmake/mingw-w64-x86_64.cmake" \
    -DLAUNCHER_WERROR=ON -DLAUNCHER_PACKAGE_LAYOUT=OFF -DLAUNCHER_BUILD_TESTS="${LAUNCHER_WINDOWS_TESTS:-ON}" \
    -DLAUNCHER_HOST_TOOLS_DIR="$(pwd)/$host/tools" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(pwd)/scripts/wine-test.sh;$(pwd)/$out/wineprefix;$qt" >/dev/null
cmake --build "$out"

objdump=x86_64-w64-mingw32-objdump
# Where the DLLs a program imports are found: Qt's, then the compiler's runtime.
dll_dirs=("$qt/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")"
    /usr/x86_64-w64-mingw32/lib)

# Copies the DLLs that the given files import, and theirs, into the directory
# given first; the system's own DLLs are not found in dll_dirs and stay where
# Windows has them.
deploy_imports() {
    local target=$1
    shift
    local pending=("$@") file dll dir
    declare -A seen=()
    while [ ${#pending[@]} -gt 0 ]; do
        file=${pending[0]}
        pending=("${pending[@]:1}")
        while read -r dll; do
            [ -n "$dll" ] || continue
            [ -n "${seen[${dll,,}]:-}" ] && continue
            seen[${dll,,}]=1
            for dir in "${dll_dirs[@]}"; do
                found=$(find "$dir" -maxdepth 1 -iname "$dll" -print -quit 2>/dev/null)
                if [ -n "$found" ]; then
                    cp -f "$found" "$target/"
                    pending+=("$found")
                    break
                fi
            done
        done < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
    done
}

# Qt's plugins: the Windows platform, the native style, and the picture formats
# the backgrounds and the user's own pictures come in.
plugins=(platforms/qwindows.dll styles/qwindowsvistastyle.dll
    imageformats/qjpeg.dll imageformats/qgif.dll imageformats/qico.dll)

# stage_runtime <dir> <program...>: the plugins, the DLLs the programs and the
# plugins import, and Qt's translations, into an installation directory.
stage_runtime() {
    local dir=$1 plugin file
    shift
    for plugin in "${plugins[@]}"; do
        mkdir -p "$dir/$(dirname "$plugin")"
        cp -f "$qt/plugins/$plugin" "$dir/$plugin"
    done
    deploy_imports "$dir" "${@/#/$dir/}" "${plugins[@]/#/$dir/}"
    # The DLLs as they come carry their debugging symbols (the compiler's C++
    # runtime alone 23 MB): the installation gets them stripped.
    for file in "$dir"/*.dll "$dir"/*/*.dll "$dir"/*.exe; do
        x86_64-w64-mingw32-strip --strip-unneeded "$file"
    done
    # Qt's own texts in the user's language: the translation files are the same
    # on every system, taken from the host's Qt of the same version (qt_<lang>
    # names the files of qtbase and qtmultimedia it is made of).
    mkdir -p "$dir/translations"
    cp -f /usr/share/qt6/translations/qt_*.qm /usr/share/qt6/translations/qtbase_*.qm \
        /usr/share/qt6/translations/qtmultimedia_*.qm "$dir/translations/"
}

dist=$out/dist
stage_runtime "$dist" launcher.exe korvan21.exe

# The delivery: what the build installs (no stand-ins), and the same runtime.
package=$out/package
rm -rf "$package"
cmake --install "$out" --prefix "$package" >/dev/null
stage_runtime "$package" launcher.exe

echo "Windows program staged in $dist ($(du -sh "$dist" | cut -f1)), the delivery in $package ($(du -sh "$package" | cut -f1))"
