#!/usr/bin/env bash
# The delivery of the Windows program: the MSI and the portable zip, built with
# Debian's wixl (msitools) from the staged delivery of scripts/build-windows.sh,
# which holds no stand-in:
#
#   scripts/build-msi.sh [package-dir] [version] [output-dir]
#       (defaults: build-win/package, the project version, build-win)
#
# writes <output-dir>/launcher-<version>.msi and launcher-<version>-portable.zip.
# The version is the project's; another one is for the upgrade test only.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"

package=$(realpath "${1:-build-win/package}")
version=${2:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt 2>/dev/null)}
out=$(realpath -m "${3:-build-win}")
[ -e "$package/launcher.exe" ] || { echo "no launcher.exe in $package: run scripts/build-windows.sh" >&2; exit 1; }
[ -n "$version" ] || { echo "no project version: configure build-win first (scripts/build-windows.sh)" >&2; exit 1; }
[ -f "$package/korvan21.exe" ] && { echo "$package holds stand-ins: it is a test installation, not the delivery" >&2; exit 1; }

work=$out/msi
rm -rf "$work"
mkdir -p "$work"

# One product code per version: the same version built twice is the same product.
product_code=$(python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.NAMESPACE_URL, "launcher.invalid/msi/" + sys.argv[1])).upper())' "$version")

# The installer's check for a running launcher, and the icon of Add or remove programs.
x86_64-w64-mingw32-gcc-posix -O2 -s -Wall -Wextra -Werror -municode -mwindows -static \
    -o "$work/waitclosed.exe" packaging/windows/waitclosed.c
wrestool -x -t 14 -o "$work/launcher.ico" "$package/launcher.exe"
[ -s "$work/launcher.ico" ] || { echo "launcher.exe has no icon" >&2; exit 1; }

# wixl reads its files relative to where it runs: the delivery is linked into
# its working directory, beside the icon and the check.
ln -s "$package" "$work/files"

# Every file of the delivery but launcher.exe and event_tbl (launcher.wxs has
# them), each a component of its own whose id follows from its path: the same
# file keeps its component from version to version.
(cd "$package" && find . -type f ! -path ./launcher.exe ! -path ./event_tbl | sed 's|^\./|files/|' | LC_ALL=C sort) \
    | wixl-heat --prefix files/ --directory-ref INSTALLDIR --component-group ProgramFiles \
        --var var.SourceDir >"$work/files.wxs"

# wixl 0.101 converts the texts with the code page of the language of
# WINDOWS_LANGUAGE, and not with the product's: without it, a text that mixes
# Latin letters and Japanese makes it crash, and Japanese alone is left out.
export WINDOWS_LANGUAGE=ja
msi=$out/launcher-$version.msi
(cd "$work" && wixl -a x64 -o "$msi" \
    -D Version="$version" -D ProductCode="$product_code" -D SourceDir=files \
    -D Icon=launcher.ico -D WaitClosed=waitclosed.exe \
    "$repo/packaging/windows/launcher.wxs" files.wxs)
# What wixl 0.101 leaves out, set with msibuild of the same msitools: the
# database's code page (932, as the texts are written), the package's language
# (Japanese) and a package code of its own; the components as 64-bit ones (the
# registry values and their search in the 64-bit view), event_tbl's as one that
# is permanent and never overwritten (wixl reads neither); and the check as the
# executable stored in the Binary table (type 2; wixl writes one named by a
# property).
printf '\r\n\r\n932\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$msi" -i "$work/_ForceCodepage.idt"
msibuild "$msi" -s "Mabora メインメニュー $version" "launcher developers" "x64;1041" \
    "{$(python3 -c 'import uuid; print(str(uuid.uuid4()).upper())')}"
query() { msibuild "$msi" -q "$1"; }
query "UPDATE \`Component\` SET \`Attributes\` = 256 WHERE \`Attributes\` = 0"
query "UPDATE \`Component\` SET \`Attributes\` = 260 WHERE \`Attributes\` = 4"
query "UPDATE \`Component\` SET \`Attributes\` = 400 WHERE \`Component\` = 'event_tbl'"
query "UPDATE \`RegLocator\` SET \`Type\` = 18 WHERE \`Type\` = 2"
query "UPDATE \`CustomAction\` SET \`Type\` = 2 WHERE \`Action\` = 'WaitForLauncherEnd'"
# (and the properties set as immediate actions, without the bit for deferred ones)
query "UPDATE \`CustomAction\` SET \`Type\` = 51 WHERE \`Type\` = 2099"
# The folder dialog of the interactive installation: wixl 0.101 writes no UI
# tables. It comes after DefaultFolder (launcher.wxs) and before CostFinalize.
for table in Dialog Control ControlEvent TextStyle; do
    msibuild "$msi" -i "packaging/windows/ui/$table.idt"
done
query "INSERT INTO \`Property\` (\`Property\`, \`Value\`) VALUES ('DefaultUIFont', 'DefaultFont')"
query "INSERT INTO \`InstallUISequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('FolderDlg', 'NOT Installed AND NOT OLDERVERSIONBEINGUPGRADED', 920)"

zip=$out/launcher-$version-portable.zip
rm -f "$zip"
(cd "$package" && zip -qrX "$zip" .)
echo "$msi ($(du -k "$msi" | cut -f1) KiB), $zip ($(du -k "$zip" | cut -f1) KiB)"
