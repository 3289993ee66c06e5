#!/usr/bin/env python3
# What a Velmaron would hold had its cable been pulled after any operation of a save, rebuilt
# from recording_drive.py's LOG over the drive BEFORE: each configuration file holds the old or
# the complete new one, no .HEX is torn, and once the save was reported only the new one is
# there. States with a file left behind go to STATES/N for the next save; AFTER, the drive as
# the log left it, shows that the log missed nothing.
#
#   cut_points.py BEFORE AFTER LOG STATES
#
# A pulled cable keeps of each file what its last fsync made durable and any first of the writes
# since, and the names as changed in order up to the last operation or, since their directory's
# last fsync, up to any earlier one (a journal loses the newest first).
import json
import os
import sys

CONFIG_NAMES = ("qx999000.hex", "cr999000.hex")  # what the device takes over


def read_tree(folder):
    files, dirs = {}, set()
    for top, subdirs, names in os.walk(folder):
        for name in subdirs:
            dirs.add("/" + os.path.relpath(os.path.join(top, name), folder))
        for name in names:
            with open(os.path.join(top, name), "rb") as file:
                files["/" + os.path.relpath(os.path.join(top, name), folder)] = file.read()
    return files, dirs


def folders_of(op):
    return {os.path.dirname(path) for path in (op.get("path"), op.get("to")) if path}


class Replay:
    """The log with each file handle resolved to the file it reaches."""

    def __init__(self, log, before):
        self.ops = []
        names = {path: path for path in before}  # a file is known by its first name
        handles = {}
        for line in open(log):
            op = json.loads(line)
            kind = op["op"]
            if kind == "create":
                op["file"] = names[op["path"]] = "new:%d:%s" % (len(self.ops), op["path"])
            elif kind == "open":
                op["file"] = names[op["path"]]
                if op["flags"] & os.O_TRUNC:
                    op["length"] = 0
            elif kind == "truncate":
                op["file"] = names[op["path"]]
            elif kind == "rename":
                names[op["to"]] = names.pop(op["path"])
            elif kind == "unlink":
                del names[op["path"]]
            if kind in ("create", "open"):
                handles[op["fh"]] = op["file"]
            elif "fh" in op and op["fh"] is not None:
                op["file"] = handles[op["fh"]]
            self.ops.append(op)

    def held(self, k, files, dirs):
        """Every state the drive may be in with its cable pulled after the first k operations:
        (names, contents), the contents as lists of what each file may hold."""
        durable, unflushed = dict((path, files[path]) for path in files), {}
        for op in self.ops[:k]:
            if op["op"] == "write" or "length" in op:
                unflushed.setdefault(op["file"], []).append(op)
            elif op["op"] == "create":
                durable[op["file"]] = b""
            elif op["op"] == "fsync":
                durable[op["file"]] = written(durable[op["file"]], unflushed.pop(op["file"], []))
        contents = {f: [written(durable[f], unflushed.get(f, [])[:j])
                        for j in range(len(unflushed.get(f, [])) + 1)] for f in durable}
        naming = [i for i, op in enumerate(self.ops[:k])
                  if op["op"] in ("create", "rename", "unlink", "mkdir", "rmdir")]
        flushed = [i for i in naming if all(
            any(later["op"] == "fsyncdir" and later["path"] == folder
                for later in self.ops[i + 1:k]) for folder in folders_of(self.ops[i]))]
        unsure = [i for i in naming if i not in flushed]
        for kept in range(len(unsure) + 1):
            yield self.named(set(flushed) | set(unsure[:kept]), files, dirs), contents

    def named(self, applied, files, dirs):
        names, folders = {path: path for path in files}, set(dirs)
        for i in sorted(applied):
            op = self.ops[i]
            if op["op"] == "create":
                names[op["path"]] = op["file"]
            elif op["op"] == "rename":
                names[op["to"]] = names.pop(op["path"])
            elif op["op"] == "unlink":
                del names[op["path"]]
            elif op["op"] == "mkdir":
                folders.add(op["path"])
            else:
                folders.discard(op["path"])
        return names, folders


def written(content, ops):
    content = bytearray(content)
    for op in ops:
        if "length" in op:
            del content[op["length"]:]
            content.extend(bytes(op["length"] - len(content)))
        else:
            data = bytes.fromhex(op["data"])
            content.extend(bytes(max(0, op["offset"] - len(content))))
            content[op["offset"]:op["offset"] + len(data)] = data
    return bytes(content)


def faults(names, contents, old, new, said_written):
    found = []
    if said_written and not any(os.path.basename(path).lower() in CONFIG_NAMES and
                                contents[file] == [new] for path, file in names.items()):
        found.append("the save was reported, yet the new configuration file may be lost")
    for config in CONFIG_NAMES:
        copies = [path for path in names if os.path.basename(path).lower() == config]
        if len(copies) > 1:
            found.append("two configuration files: %s" % " ".join(copies))
    for path, file in names.items():
        if path.lower().endswith(".hex"):
            for content in contents[file]:
                if content not in (old, new):
                    found.append("%s torn: %d bytes, neither the old %d nor the new %d" % (
                        path, len(content), len(old or b""), len(new)))
    return found


def main(before_folder, after_folder, log, states):
    files, dirs = read_tree(before_folder)
    replay = Replay(log, files)
    config = lambda tree: next((content for path, content in tree.items()
                                if os.path.basename(path).lower() in CONFIG_NAMES), None)
    (names, folders), contents = list(replay.held(len(replay.ops), files, dirs))[-1]
    final = {path: contents[file][-1] for path, file in names.items()}
    after, after_dirs = read_tree(after_folder)
    if (final, folders) != (after, after_dirs):
        sys.exit("the log misses operations: it ends in %s, the drive holds %s" % (
            sorted(final), sorted(after)))
    old, new = config(files), config(final)
    if not new or new == old:
        sys.exit("the save wrote no new configuration file")
    held, tried, seen = 0, 0, set()
    for k in range(1, len(replay.ops) + 1):
        cut = []
        for (names, folders), contents in replay.held(k, files, dirs):
            cut += faults(names, contents, old, new, k == len(replay.ops))
            tried += 1
            state = {path: contents[file][0] for path, file in names.items()}
            left = sorted(set(state) - set(files) - set(final))
            key = repr(sorted(state.items()))
            if left and key not in seen:
                seen.add(key)
                folder = os.path.join(states, str(len(seen)), "drive")
                for path in sorted(folders):
                    os.makedirs(folder + path, exist_ok=True)
                for path, content in state.items():
                    with open(folder + path, "wb") as file:
                        file.write(content)
                with open(os.path.join(states, str(len(seen)), "left"), "w") as file:
                    file.write("cut %d: %s\n" % (k, " ".join(left)))
        for fault in sorted(set(cut)):
            op = replay.ops[k - 1]
            print("cut %d, after %s %s: %s" % (k, op["op"], op.get("path", op.get("file")), fault))
        held += not cut
    print("%d cut points tried, %d held (%d states of the device, %d of them with a file left"
          " behind)" % (len(replay.ops), held, tried, len(seen)))
    sys.exit(0 if held == len(replay.ops) else 1)


if __name__ == "__main__":
    main(*sys.argv[1:])
