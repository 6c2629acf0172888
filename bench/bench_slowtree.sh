#!/usr/bin/env bash
# The folder tree on a file system that answers every call 1 ms late, as a
# folder on a network share does (bench/slowfs.py, a FUSE pass-through), beside
# the plain listing with one probe per folder on the same mount.
#
#   bench/bench_slowtree.sh [build-dir [count]]     (default: build, 5000)
#
# Needs /dev/fuse; fuse3 and python3-fusepy are installed when missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=$(realpath -m "${1:-$root/build}")
count=${2:-5000}

if [ ! -c /dev/fuse ]; then
    echo "skipped: /dev/fuse is not available here (no FUSE in this system or container)"
    exit 0
fi
if ! command -v fusermount3 >/dev/null || ! /usr/bin/python3 -c 'import fusepy' 2>/dev/null; then
    echo "installing fuse3 and python3-fusepy for the slow file system"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    if ! DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
        --no-install-recommends fuse3 python3-fusepy >/dev/null; then
        echo "skipped: fuse3 and python3-fusepy could not be installed"
        exit 0
    fi
fi

work=$(mktemp -d)
source_dir=$work/source
mount_dir=$work/mount
fs_pid=
cleanup() {
    if mountpoint -q "$mount_dir" 2>/dev/null; then
        fusermount3 -u "$mount_dir" || true
    fi
    if [ -n "$fs_pid" ]; then
        wait "$fs_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$source_dir/big" "$mount_dir"
# The folders are made beside the mount, at the speed of the local disk.
(cd "$source_dir/big" && seq -f 'folder%05g/inner' 0 $((count - 1)) | xargs mkdir -p)

/usr/bin/python3 "$root/bench/slowfs.py" "$source_dir" "$mount_dir" 2>"$work/slowfs.log" &
fs_pid=$!
for _ in $(seq 50); do
    mountpoint -q "$mount_dir" && break
    sleep 0.1
done
if ! mountpoint -q "$mount_dir"; then
    echo "skipped: the slow file system could not be mounted: $(head -c 300 "$work/slowfs.log")"
    exit 0
fi
echo "every call of the file system waits 1 ms; $count folders with one sub-folder each"
QT_QPA_PLATFORM=offscreen "$build_dir/bench/bench_foldertree" "$count" "$mount_dir"
