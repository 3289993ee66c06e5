#!/usr/bin/env python3
# A drive that answers every lookup late, as a failing stick or a stalling card reader does: a
# FUSE file system mirroring a folder (a drive of velmaron-sim's). Runs until it is unmounted.
#
#   slow_drive.py FOLDER MOUNT_POINT DELAY_FILE

import errno
import os
import sys
import time

from fusepy import FUSE, FuseOSError, Operations


class SlowDrive(Operations):
    def __init__(self, folder, delay_file):
        self.folder = folder
        self.delay_file = delay_file

    def _delay(self):
        try:
            with open(self.delay_file) as seconds:
                return float(seconds.read())
        except (OSError, ValueError):
            return 2.0

    def _path(self, path):
        return os.path.join(self.folder, path.lstrip("/"))

    def _call(self, function, *args):
        try:
            return function(*args)
        except OSError as error:
            raise FuseOSError(error.errno or errno.EIO)

    # The delay file's seconds, read again and again: a test can make the drive hang for good
    # and end that wait.
    def _wait(self):
        started = time.monotonic()
        while time.monotonic() - started < self._delay():
            time.sleep(0.05)

    # The kernel looks each name up here; the drive's root and open handles answer at once.
    def getattr(self, path, fh=None):
        if fh is None and path != "/":
            self._wait()
        st = self._call(os.fstat, fh) if fh is not None else self._call(os.lstat, self._path(path))
        return {key: getattr(st, key) for key in (
            "st_atime", "st_ctime", "st_mtime", "st_gid", "st_uid", "st_mode", "st_nlink",
            "st_size")}

    def readdir(self, path, fh):
        return [".", ".."] + self._call(os.listdir, self._path(path))

    def access(self, path, mode):
        if not os.access(self._path(path), mode):
            raise FuseOSError(errno.EACCES)

    def statfs(self, path):
        st = self._call(os.statvfs, self._path(path))
        return {key: getattr(st, key) for key in (
            "f_bavail", "f_bfree", "f_blocks", "f_bsize", "f_favail", "f_ffree", "f_files",
            "f_flag", "f_frsize", "f_namemax")}

    def open(self, path, flags):
        return self._call(os.open, self._path(path), flags)

    def create(self, path, mode, fi=None):
        return self._call(os.open, self._path(path), os.O_WRONLY | os.O_CREAT | os.O_EXCL, mode)

    def read(self, path, size, offset, fh):
        return self._call(os.pread, fh, size, offset)

    def write(self, path, data, offset, fh):
        return self._call(os.pwrite, fh, data, offset)

    def truncate(self, path, length, fh=None):
        self._call(os.truncate, fh if fh is not None else self._path(path), length)

    def flush(self, path, fh):
        return 0

    def fsync(self, path, datasync, fh):
        self._call(os.fsync, fh)

    def release(self, path, fh):
        self._call(os.close, fh)

    # The rest passes each name on as a path in the folder.
    def _on(call, names=1):
        return lambda self, *args: self._call(call, *map(self._path, args[:names]), *args[names:])

    rename, unlink, mkdir = _on(os.rename, 2), _on(os.unlink), _on(os.mkdir)
    rmdir, chmod, utimens = _on(os.rmdir), _on(os.chmod), _on(os.utime)


if __name__ == "__main__":
    FUSE(SlowDrive(sys.argv[1], sys.argv[3]), sys.argv[2], foreground=True, attr_timeout=0,
         entry_timeout=0, negative_timeout=0)
