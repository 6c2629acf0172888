#!/usr/bin/python3
# A pass-through file system that answers every call 1 ms late, as a folder on a
# network share does: the folder tree's benchmark runs on it beside the same
# plain listing.
#
#   bench/slowfs.py SOURCE MOUNTPOINT     (stays in the foreground; fusermount -u
#                                           MOUNTPOINT ends it)
import errno
import os
import stat
import sys
import time

try:
    from fusepy import FUSE, FuseOSError, Operations  # as Debian installs it
except ImportError:
    from fuse import FUSE, FuseOSError, Operations

DELAY = 0.001


class SlowPassThrough(Operations):
    def __init__(self, root):
        self.root = os.path.realpath(root)

    def __call__(self, op, path, *args):
        time.sleep(DELAY)
        try:
            return super().__call__(op, None if path is None else self.root + path, *args)
        except OSError as e:
            raise FuseOSError(e.errno or errno.EIO)

    def access(self, path, mode):
        if not os.access(path, mode):
            raise FuseOSError(errno.EACCES)

    def getattr(self, path, fh=None):
        st = os.lstat(path)
        return {key: getattr(st, key) for key in (
            'st_mode', 'st_nlink', 'st_uid', 'st_gid', 'st_size',
            'st_atime', 'st_mtime', 'st_ctime')}

    def readdir(self, path, fh):
        # Names with their types, as the protocols of shares give them.
        yield '.', None, 0
        yield '..', None, 0
        with os.scandir(path) as entries:
            for entry in entries:
                if entry.is_symlink():
                    kind = stat.S_IFLNK
                elif entry.is_dir(follow_symlinks=False):
                    kind = stat.S_IFDIR
                else:
                    kind = stat.S_IFREG
                yield entry.name, {'st_mode': kind}, 0

    def readlink(self, path):
        return os.readlink(path)

    def statfs(self, path):
        st = os.statvfs(path)
        return {key: getattr(st, key) for key in (
            'f_bavail', 'f_bfree', 'f_blocks', 'f_bsize', 'f_favail',
            'f_ffree', 'f_files', 'f_flag', 'f_frsize', 'f_namemax')}

    # Opening and closing a directory reach the file system too (and wait).
    def opendir(self, path):
        return 0

    def releasedir(self, path, fh):
        return 0


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit('usage: slowfs.py SOURCE MOUNTPOINT')
    FUSE(SlowPassThrough(sys.argv[1]), sys.argv[2], foreground=True, nothreads=False)
