#!/usr/bin/env bash
# Installs the Debian 12 packages the launcher needs to build, run and test.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev libxcb1-dev
    fonts-ipafont-gothic fonts-ipafont-mincho qt6-translations-l10n
    xvfb xauth xdotool x11-utils imagemagick librsvg2-bin libx11-dev
    clang libclang-rt-14-dev llvm
    g++-mingw-w64-x86-64-posix wine wine64 wixl msitools icoutils zip unzip python3
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
