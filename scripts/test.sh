#!/usr/bin/env bash
# Installs what is needed, builds and runs every test through CTest, then the
# checks that need a build of their own: every test again with the sanitizers
# and a minute of fuzzing per file reader, the Windows side (the Win32 layer
# cross-compiled and run under wine; the whole Windows program, its MSI and its
# portable zip when Qt for Windows is built), and, as root, the Debian package
# as a user meets it.
# CI runs exactly this.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DLAUNCHER_WERROR=ON
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2

# Sanitized tests and bounded fuzzing of the file readers.
scripts/check-hardening.sh 60
# The Win32 layer compiled with the MinGW-w64 cross compiler.
scripts/check-windows.sh
# The whole Windows program, built against the cached Qt for Windows and run under wine.
if [ -f "${XDG_CACHE_HOME:-$HOME/.cache}/launcher/qt-6.4.2-mingw/.complete" ]; then
    scripts/build-windows.sh
    scripts/test-windows.sh build-win/dist
    # Its unit tests, under wine.
    scripts/test-windows-units.sh
    # The delivery: the MSI and the portable zip, installed, upgraded and
    # uninstalled under wine.
    scripts/build-msi.sh
    scripts/test-msi.sh build-win/package
else
    echo "Windows program not built: run scripts/build-qt-windows.sh (17 to 36 min on 2 cores)"
fi
# The Debian package: upgrade as a user meets it, lintian, a Wayland session.
if [ "$(id -u)" -eq 0 ]; then
    packaging/tests/upgrade-test.sh
    packaging/tests/wayland-check.sh "${BUILD_DIR:-build}/dist"
else
    echo "Package checks not run: they install the package and add a user, as root only"
fi
