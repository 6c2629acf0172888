#!/usr/bin/env bash
# Cross-builds Qt for Windows (qtbase: Core, Gui, Widgets, Test) from Debian's
# own qt6-base source, with the MinGW-w64 posix-threads compiler and the host's
# Qt tools of the same version, into a cache outside the repository:
#   ~/.cache/launcher/qt-<version>-mingw
# Idempotent: exits at once when the cache is complete. The sound of the
# Windows launcher goes through the Win32 layer, so Qt Multimedia is not built.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)

version=6.4.2
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/launcher
prefix=$cache_root/qt-$version-mingw
stamp=$prefix/.complete

if [ -f "$stamp" ]; then
    echo "Qt $version for Windows is ready in $prefix"
    exit 0
fi

scripts/install-deps.sh

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
for p in dpkg-dev; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p"
    fi
done

host_qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
case "$host_qt_version" in
    "$version"*) ;;
    *) echo "the host's Qt is $host_qt_version, not $version: its tools cannot build this Qt" >&2; exit 1 ;;
esac

# The source, through apt from the machine's own Debian archive: a deb-src entry
# of its own, made from the existing entries with only their type changed.
src_base=/etc/apt/sources.list.d/launcher-deb-src
if ! ls "$src_base".* >/dev/null 2>&1; then
    entries=$(mktemp)
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        # Stanzas of type deb, comments dropped, Types set to deb-src.
        awk 'BEGIN { RS = ""; ORS = "" }
             /(^|\n)Types:([^\n]*[ \t])?deb([ \t]|\n|$)/ {
                 n = split($0, lines, "\n")
                 for (i = 1; i <= n; i++) {
                     if (lines[i] ~ /^#/) continue
                     if (lines[i] ~ /^Types:/) lines[i] = "Types: deb-src"
                     print lines[i] "\n"
                 }
                 print "\n"
             }' "$f" >>"$entries"
    done
    [ -s "$entries" ] && "${sudo_cmd[@]}" install -m 0644 "$entries" "$src_base.sources"
    # One-line entries: "deb [options] uri suite components".
    if [ -f /etc/apt/sources.list ] &&
        sed -n 's/^[[:space:]]*deb[[:space:]]\+/deb-src /p' /etc/apt/sources.list >"$entries" && [ -s "$entries" ]; then
        "${sudo_cmd[@]}" install -m 0644 "$entries" "$src_base.list"
    fi
    rm -f "$entries"
    ls "$src_base".* >/dev/null 2>&1 || { echo "no apt source entry to take the source from" >&2; exit 1; }
fi
src_lists=("$src_base".*)

src_dir=$cache_root/src
mkdir -p "$src_dir"
qt_src=$(find "$src_dir" -maxdepth 1 -type d -name "qt6-base-$version*" | head -n 1)
if [ -z "$qt_src" ] || [ ! -f "$qt_src/CMakeLists.txt" ]; then
    echo "== fetching the qt6-base source"
    for list in "${src_lists[@]}"; do
        # Only the deb-src index is refreshed; the machine's other lists stay as they are.
        "${sudo_cmd[@]}" apt-get update -qq -o Dir::Etc::sourcelist="$list" \
            -o Dir::Etc::sourceparts=- -o APT::Get::List-Cleanup=0
    done
    (cd "$src_dir" && apt-get source -q "qt6-base=$host_qt_version")
    qt_src=$(find "$src_dir" -maxdepth 1 -type d -name "qt6-base-$version*" | head -n 1)
fi
echo "== source: $qt_src"

build_dir=$cache_root/build-qt-$version-mingw
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

start=$(date +%s)
# Debian's repacked source has no Wintab headers, so Qt's tablet support is left
# out (the launcher reads no pen tablet).
options=(
    -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-w64-x86_64.cmake"
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX="$prefix"
    "${launcher[@]}"
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
    -DFEATURE_pkg_config=OFF
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_androiddeployqt=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_gui=ON -DFEATURE_widgets=ON -DFEATURE_testlib=ON
)
# A build configured with other options starts afresh.
if [ ! -f "$build_dir/build.ninja" ] || [ "$(cat "$build_dir/.launcher-options" 2>/dev/null)" != "${options[*]}" ]; then
    echo "== configuring Qt $version for x86_64-w64-mingw32"
    rm -rf "$build_dir"
    cmake -S "$qt_src" -B "$build_dir" -G Ninja "${options[@]}"
    printf '%s' "${options[*]}" >"$build_dir/.launcher-options"
fi

echo "== building (this takes a while on a small machine)"
cmake --build "$build_dir" --parallel "$(nproc)"
rm -rf "$prefix"
cmake --install "$build_dir"

end=$(date +%s)
du_size=$(du -sh "$prefix" | cut -f1)
printf 'version %s\nbuilt in %d s\nsize %s\n' "$version" "$((end - start))" "$du_size" >"$stamp"
echo "Qt $version for Windows built in $(((end - start) / 60)) min ($du_size) into $prefix"
