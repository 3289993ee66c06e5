#!/usr/bin/env python3
# slow_drive.py's pass-through without the wait, logging each operation that changes the drive
# or makes a change durable, one JSON object a line, for cut_points.py.
#
#   recording_drive.py FOLDER MOUNT_POINT LOG
#
# One thread answers, so the log's order is the kernel's; libfuse 2 asks for no writeback
# caching, so each write(2) arrives as made, and a directory's fsync as fsyncdir.
import json
import os
import sys

from fusepy import FUSE

from slow_drive import SlowDrive


class RecordingDrive(SlowDrive):
    def __init__(self, folder, log):
        super().__init__(folder, None)
        self.log = open(log, "a", buffering=1)

    def _wait(self):
        pass

    def _note(self, op, **fields):
        self.log.write(json.dumps(dict(op=op, **fields)) + "\n")

    def create(self, path, mode, flags):
        fh = self._call(os.open, self._path(path), flags, mode)
        self._note("create", path=path, flags=flags, fh=fh)
        return fh

    def open(self, path, flags):
        fh = super().open(path, flags)
        self._note("open", path=path, flags=flags, fh=fh)
        return fh

    def write(self, path, data, offset, fh):
        written = super().write(path, data, offset, fh)
        self._note("write", fh=fh, offset=offset, data=data[:written].hex())
        return written

    def truncate(self, path, length, fh=None):
        super().truncate(path, length, fh)
        self._note("truncate", path=path, fh=fh, length=length)

    def fsync(self, path, datasync, fh):
        super().fsync(path, datasync, fh)
        self._note("fsync", fh=fh, datasync=datasync)

    def fsyncdir(self, path, datasync, fh):
        self._note("fsyncdir", path=path)

    def flush(self, path, fh):
        self._note("flush", fh=fh)
        return 0

    def release(self, path, fh):
        super().release(path, fh)
        self._note("release", fh=fh)

    def rename(self, old, new):
        super().rename(old, new)
        self._note("rename", path=old, to=new)

    def unlink(self, path):
        super().unlink(path)
        self._note("unlink", path=path)

    def mkdir(self, path, mode):
        super().mkdir(path, mode)
        self._note("mkdir", path=path)

    def rmdir(self, path):
        super().rmdir(path)
        self._note("rmdir", path=path)


class FlagsOfCreate(FUSE):
    # fusepy hands create no open flags; the log is to show them.
    def create(self, path, mode, fip):
        fip.contents.fh = self.operations("create", path.decode(self.encoding), mode,
                                          fip.contents.flags)
        return 0


if __name__ == "__main__":
    # hard_remove: an open file that is deleted goes, rather than becoming a hidden file.
    FlagsOfCreate(RecordingDrive(sys.argv[1], sys.argv[3]), sys.argv[2], foreground=True,
                  nothreads=True, hard_remove=True, attr_timeout=0, entry_timeout=0,
                  negative_timeout=0)
