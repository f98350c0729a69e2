#!/usr/bin/python3
"""Mounts a folder read-only as a slow medium with one read head: a CD, a USB stick, or one that
is scratched or pulled out, for benchmarks and the tests that need such a medium.

    bench/medium/slow-medium.py SOURCE MOUNT [--model cd|usb2|local] [--mbps N] [--seek-ms N]
        [--exec keep|showexec|none] [--control FILE] [--stats FILE] [--drop-cache-on-open]
        [--track]

Runs in the foreground until MOUNT is unmounted (`umount MOUNT`, or `fusermount -u MOUNT`) or
the process gets SIGTERM/SIGINT; start it in the background and wait for MOUNT to show SOURCE's
files (see mount-medium.sh beside this file, which does both).

The medium serves one read at a time (of the reads waiting, the one that continues the last read
first, else the oldest, as a drive's queue does). Each read costs size / bandwidth, and a read
that does not continue where the previous one ended (another file, or another place in the same
file) costs a seek first. The kernel's own read-ahead (128 KB) and page cache stay in front of
it, as for a real drive: what was read once stays cached until MOUNT is unmounted, so a cold
start needs a fresh mount (--drop-cache-on-open instead drops a file's cached pages whenever it is opened).

--track: the files lie one after another on one track, as a mastering program writes a disc:
folders depth first, names in sorted order, each file starting on a 2048-byte sector; folders
list their entries in that order. A read that starts a little way (under 64 KB) after the
previous read's end on the track costs the time to pass over the gap instead of a seek, so
reading files in their order on the medium is as quick as reading one large file.

Models: cd = a 24x CD (3.6 MB/s, 100 ms a seek), usb2 = a USB 2 stick (30 MB/s, 1 ms), local =
no delay; --mbps and --seek-ms override the model's figures.

--exec: which files show an execute bit: keep (as in SOURCE), showexec (only .exe, .com and .bat,
as a FAT stick mounted by a Linux desktop), none (no file, as an ISO 9660 disc without Rock
Ridge mounted with mode=0400).

--stats FILE: after every read, the counters as one JSON object: bytes, requests (reads that
reached the medium), seeks, files (distinct files read), busy_s (time the head was busy),
failed (reads answered with an error).

--control FILE: a JSON object, read again whenever the file changes, that changes the medium
while it is mounted:
    {"stall_s": 3.0}              the next read waits that long first (a drive spinning up); the
                                  stall is used once per new value of "stall_id" (any value)
    {"eio": ["*.rtf", "a/b.jpg"]} reads of files matching any pattern (fnmatch, relative to the
                                  root) fail with EIO after the normal delay (a scratched disc)
    {"pulled": true}              every operation fails with EIO (the stick was pulled)
    {"reset": N}                  the counters start again from zero when N changes
"""

import argparse
import errno
import fnmatch
import json
import os
import stat
import sys
import threading
import time

from fusepy import FUSE, FuseOSError, Operations

MODELS = {"cd": (3.6, 100.0), "usb2": (30.0, 1.0), "local": (0.0, 0.0)}
SECTOR = 2048
NEAR_ON_TRACK = 64 * 1024  # a gap the head passes over rather than seeks across
SHOWEXEC_SUFFIXES = (".exe", ".com", ".bat")
EXEC_BITS = stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH


class Control:
    """The control file's settings, read again when its modification time changes."""

    def __init__(self, path):
        self.path = path
        self.stamp = None
        self.values = {}
        self.used_stall = None
        self.reset = None

    def refresh(self):
        if not self.path:
            return
        try:
            stamp = os.stat(self.path).st_mtime_ns
        except OSError:
            self.values, self.stamp = {}, None
            return
        if stamp == self.stamp:
            return
        try:
            with open(self.path, encoding="utf-8") as file:
                values = json.load(file)
            self.values = values if isinstance(values, dict) else {}
            self.stamp = stamp
        except (OSError, ValueError):
            pass  # half-written: read it again on the next operation

    def pulled(self):
        return bool(self.values.get("pulled"))

    def failing(self, relative):
        return any(fnmatch.fnmatch(relative, pattern) for pattern in self.values.get("eio", []))

    def take_stall(self):
        stall = float(self.values.get("stall_s", 0) or 0)
        key = (self.values.get("stall_id"), stall)
        if stall <= 0 or key == self.used_stall:
            return 0.0
        self.used_stall = key
        return stall


class SlowMedium(Operations):
    use_ns = True  # times in getattr are nanoseconds

    def __init__(self, source, bytes_per_s, seek_s, exec_mode, control, stats_path,
                 drop_cache_on_open):
        self.source = os.path.realpath(source)
        self.drop_cache_on_open = drop_cache_on_open
        self.bytes_per_s = bytes_per_s
        self.seek_s = seek_s
        self.exec_mode = exec_mode
        self.control = control
        self.stats_path = stats_path
        # The head serves one read at a time. Of the reads waiting for it, the one that continues
        # where the last read ended goes first, else the oldest: the kernel's read-ahead sends
        # several reads of one file at once, and the drive's queue serves them in order, as the
        # block layer does for a real drive, instead of seeking back and forth.
        self.head = threading.Condition()
        self.head_busy = False
        self.waiting = []  # (file, offset) of the reads waiting, oldest first
        self.position = None  # (file, offset) where the last read ended
        self.track = None  # file -> where it starts on the track, with --track
        self.track_end = None  # where the last read ended on the track
        self.zero_counters()

    def lay_out_track(self):
        self.track = {}
        place = 0
        for folder, folders, files in os.walk(self.source):
            folders.sort()
            for name in sorted(files):
                real = os.path.join(folder, name)
                self.track["/" + os.path.relpath(real, self.source)] = place
                size = os.lstat(real).st_size
                place += (size + SECTOR - 1) // SECTOR * SECTOR

    def zero_counters(self):
        self.counters = {"bytes": 0, "requests": 0, "seeks": 0, "files": 0, "busy_s": 0.0,
                         "failed": 0}
        self.files_read = set()

    def real(self, path):
        return os.path.join(self.source, path.lstrip("/"))

    def check_pulled(self):
        self.control.refresh()
        if self.control.pulled():
            raise FuseOSError(errno.EIO)

    # --- metadata: served at once, as the drive's directory is cached by the kernel
    def getattr(self, path, fh=None):
        self.check_pulled()
        try:
            info = os.lstat(self.real(path))
        except OSError as error:
            raise FuseOSError(error.errno)
        attributes = {key: getattr(info, key) for key in
                      ("st_mode", "st_size", "st_nlink", "st_uid", "st_gid")}
        for key in ("st_atime", "st_mtime", "st_ctime"):
            attributes[key] = getattr(info, key + "_ns")
        mode = info.st_mode & ~(stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH)
        if stat.S_ISREG(mode):
            if self.exec_mode == "none" or (
                    self.exec_mode == "showexec" and not path.lower().endswith(SHOWEXEC_SUFFIXES)):
                mode &= ~EXEC_BITS
            elif self.exec_mode == "showexec":
                mode |= EXEC_BITS
        attributes["st_mode"] = mode
        return attributes

    def readdir(self, path, fh):
        self.check_pulled()
        try:
            names = os.listdir(self.real(path))
            return [".", ".."] + (sorted(names) if self.track is not None else names)
        except OSError as error:
            raise FuseOSError(error.errno)

    def readlink(self, path):
        self.check_pulled()
        return os.readlink(self.real(path))

    def statfs(self, path):
        info = os.statvfs(self.source)
        return {key: getattr(info, key) for key in
                ("f_bsize", "f_frsize", "f_blocks", "f_bfree", "f_bavail", "f_files", "f_ffree",
                 "f_favail", "f_flag", "f_namemax")}

    def access(self, path, amode):
        self.check_pulled()
        if amode & os.W_OK:
            raise FuseOSError(errno.EROFS)
        if amode & os.X_OK and not self.getattr(path)["st_mode"] & EXEC_BITS:
            raise FuseOSError(errno.EACCES)

    # --- files
    def open(self, path, info):
        self.check_pulled()
        if info.flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        try:
            info.fh = os.open(self.real(path), os.O_RDONLY)
        except OSError as error:
            raise FuseOSError(error.errno)
        info.keep_cache = 0 if self.drop_cache_on_open else 1
        return 0

    def release(self, path, info):
        os.close(info.fh)

    def take_head(self, request):
        with self.head:
            self.waiting.append(request)
            while self.head_busy or self.next_request() is not request:
                self.head.wait()
            self.waiting.remove(request)
            self.head_busy = True

    def next_request(self):
        for request in self.waiting:
            if request[:2] == self.position:
                return request
        return self.waiting[0]

    def release_head(self):
        with self.head:
            self.head_busy = False
            self.head.notify_all()

    def read(self, path, size, offset, info):
        fh = info.fh
        self.take_head((path, offset, object()))
        try:
            self.control.refresh()
            if self.control.values.get("reset") != self.control.reset:
                self.control.reset = self.control.values.get("reset")
                self.zero_counters()
            started = time.monotonic()
            delay = self.control.take_stall()
            start = self.track.get(path) if self.track is not None else None
            if start is not None and self.track_end is not None and \
                    0 <= start + offset - self.track_end < NEAR_ON_TRACK:
                if self.bytes_per_s > 0:
                    delay += (start + offset - self.track_end) / self.bytes_per_s
            elif self.position != (path, offset):
                delay += self.seek_s
                self.counters["seeks"] += 1
            if self.bytes_per_s > 0:
                delay += size / self.bytes_per_s
            if delay > 0:
                time.sleep(delay)
            failed = self.control.pulled() or self.control.failing(path.lstrip("/"))
            data = b"" if failed else os.pread(fh, size, offset)
            self.position = (path, offset + len(data))
            self.track_end = None if start is None else start + offset + len(data)
            self.count(path, len(data), time.monotonic() - started, failed)
        finally:
            self.release_head()
        if failed:
            raise FuseOSError(errno.EIO)
        return data

    def count(self, path, size, busy, failed):
        self.counters["requests"] += 1
        self.counters["bytes"] += size
        self.counters["busy_s"] = round(self.counters["busy_s"] + busy, 6)
        self.counters["failed"] += int(failed)
        self.files_read.add(path)
        self.counters["files"] = len(self.files_read)
        if self.stats_path:
            temporary = self.stats_path + ".part"
            with open(temporary, "w", encoding="utf-8") as file:
                json.dump(self.counters, file)
            os.replace(temporary, self.stats_path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("source")
    parser.add_argument("mount")
    parser.add_argument("--model", choices=sorted(MODELS), default="cd")
    parser.add_argument("--mbps", type=float, help="megabytes (10^6) a second")
    parser.add_argument("--seek-ms", type=float, help="milliseconds for a read that jumps")
    parser.add_argument("--exec", dest="exec_mode", choices=("keep", "showexec", "none"),
                        default="keep")
    parser.add_argument("--control")
    parser.add_argument("--stats")
    parser.add_argument("--drop-cache-on-open", action="store_true")
    parser.add_argument("--track", action="store_true")
    arguments = parser.parse_args()
    mbps, seek_ms = MODELS[arguments.model]
    if arguments.mbps is not None:
        mbps = arguments.mbps
    if arguments.seek_ms is not None:
        seek_ms = arguments.seek_ms
    if not os.path.isdir(arguments.source):
        sys.exit(f"slow-medium.py: {arguments.source} is not a folder")
    medium = SlowMedium(arguments.source, mbps * 1e6, seek_ms / 1000.0, arguments.exec_mode,
                        Control(arguments.control and os.path.abspath(arguments.control)),
                        arguments.stats and os.path.abspath(arguments.stats),
                        arguments.drop_cache_on_open)
    if arguments.track:
        medium.lay_out_track()
    FUSE(medium, arguments.mount, raw_fi=True, foreground=True, ro=True, allow_other=True,
         default_permissions=False, fsname="slow-medium")


if __name__ == "__main__":
    main()
