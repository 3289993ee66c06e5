#!/usr/bin/env python3
# A stick that loses what it is given, as a worn or counterfeit one does: the one file "disk",
# IMAGE, whose writes are acknowledged and dropped while FLAG_FILE exists, for a loop device.
# direct_io: every read shows what the "stick" holds, never what the kernel kept.
#
#   lying_stick.py IMAGE MOUNT_POINT FLAG_FILE
import errno
import os
import stat
import sys

from fusepy import FUSE, FuseOSError, Operations


class LyingStick(Operations):
    def __init__(self, image, flag_file):
        self.image = image
        self.flag_file = flag_file

    def getattr(self, path, fh=None):
        if path == "/":
            return {"st_mode": stat.S_IFDIR | 0o755, "st_nlink": 2}
        if path != "/disk":
            raise FuseOSError(errno.ENOENT)
        return {"st_mode": stat.S_IFREG | 0o644, "st_nlink": 1,
                "st_size": os.path.getsize(self.image)}

    def readdir(self, path, fh):
        return [".", "..", "disk"]

    def open(self, path, flags):
        return os.open(self.image, os.O_RDWR)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def write(self, path, data, offset, fh):
        if not os.path.exists(self.flag_file):
            os.pwrite(fh, data, offset)
        return len(data)

    def fsync(self, path, datasync, fh):
        os.fsync(fh)

    def release(self, path, fh):
        os.close(fh)


if __name__ == "__main__":
    FUSE(LyingStick(sys.argv[1], sys.argv[3]), sys.argv[2], foreground=True, direct_io=True)
