#!/usr/bin/env python3
# A drive that answers every lookup late: a FUSE file system that mirrors a folder (a drive of
# velmaron-sim's) and waits before it answers each lookup of a name, as a failing stick or a
# card reader that stalls does. Runs in the foreground until it is unmounted.
#
#   slow_drive.py FOLDER MOUNT_POINT DELAY_FILE
#
# DELAY_FILE holds the seconds each lookup waits, read at every lookup, so that a test can make
# the drive hang for good.
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

    # Waits as long as the delay file says, read again and again, so that a test can end a wait
    # that was meant to last for good.
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

    def rename(self, old, new):
        self._call(os.rename, self._path(old), self._path(new))

    def unlink(self, path):
        self._call(os.unlink, self._path(path))

    def mkdir(self, path, mode):
        self._call(os.mkdir, self._path(path), mode)

    def rmdir(self, path):
        self._call(os.rmdir, self._path(path))

    def chmod(self, path, mode):
        self._call(os.chmod, self._path(path), mode)

    def utimens(self, path, times=None):
        self._call(os.utime, self._path(path), times)


if __name__ == "__main__":
    FUSE(SlowDrive(sys.argv[1], sys.argv[3]), sys.argv[2], foreground=True, attr_timeout=0,
         entry_timeout=0, negative_timeout=0)
