"""The power-cut replay: a dm-log-writes log of a FAT disk replayed onto the disk's start image,
in order (every prefix) and with random subsets of the writes between two flushes in random
order (a disk cache that reorders). Every crash state after an acknowledged store is repaired
as the organiser would (fsck.vfat) and its round file read back (mtools): it must hold every
acknowledged result, and at most the one store in progress besides."""

import collections
import os
import shutil
import struct
import subprocess

from desks import read_scores

SECTOR = 512
FLUSH, FUA, DISCARD, MARK = 1, 2, 4, 8  # the log entries' flags
MAGIC = 0x6A736677736872
MTOOLS = dict(os.environ, MTOOLS_SKIP_CHECK="1")


def read_log(path):
    """The log's entries in order: (sector, flags, data); a mark's data is its name."""
    entries = []
    with open(path, "rb") as log:
        magic, _, count, sector_size = struct.unpack("<QQQI", log.read(28))
        assert magic == MAGIC and sector_size == SECTOR, "not a log of dm-log-writes on 512-byte sectors"
        position = 1
        for _ in range(count):
            log.seek(position * SECTOR)
            sector, sectors, flags, length = struct.unpack("<QQQQ", log.read(32))
            assert not flags & FUA, "a write that forces itself to the disk: the replay takes none"
            if flags & MARK:
                data = log.read(length).decode()
            else:
                log.seek((position + 1) * SECTOR)
                data = b"" if flags & DISCARD else log.read(sectors * SECTOR)
            entries.append((sector, flags, data))
            position += 1 + (0 if flags & DISCARD else sectors)
    return entries


class Disk:
    """The image being replayed; every write returns what it overwrote, to undo it."""

    def __init__(self, start, path):
        shutil.copyfile(start, path)
        self.path = path
        self.file = open(path, "r+b")

    def write(self, sector, data):
        old = os.pread(self.file.fileno(), len(data), sector * SECTOR)
        os.pwrite(self.file.fileno(), data, sector * SECTOR)
        return old


def round_file_after_crash(image, scratch):
    """The round file as the organiser finds it after the power cut and a repair; None if there is none."""
    if subprocess.run(["fsck.vfat", "-n", image], capture_output=True).returncode != 0:
        shutil.copyfile(image, scratch)
        subprocess.run(["fsck.vfat", "-a", scratch], capture_output=True)
        image = scratch
    read = subprocess.run(["mtype", "-i", image, "::partie1.txt"], capture_output=True, env=MTOOLS)
    return read.stdout if read.returncode == 0 else None


class Replay:
    def __init__(self, start, log, acknowledged, tables, rng, trials, work):
        self.entries = read_log(log)
        self.disk = Disk(start, os.path.join(work, "crash.img"))
        self.scratch = os.path.join(work, "repaired.img")
        self.tables, self.rng, self.trials = tables, rng, trials
        self.expected = [[(0, 0)] * tables]  # the round after each acknowledged store
        for _, table, v1, v2 in acknowledged:
            self.expected.append(list(self.expected[-1]))
            self.expected[-1][table - 1] = (v1, v2)
        self.counts = {"in order": collections.Counter(), "reordered": collections.Counter()}

    def check(self, kind, acknowledged):
        """One crash state after acknowledged stores: the last of them, or the next one, must be there."""
        if acknowledged == 0:
            return
        data = round_file_after_crash(self.disk.path, self.scratch)
        scores = None if data is None else read_scores(data, self.tables)
        verdict = "missing" if data is None else "emptied" if not data else "torn" if scores is None else \
            "kept" if scores in self.expected[acknowledged:acknowledged + 2] else "older"
        self.counts[kind][verdict] += 1

    def reordered(self, epoch):
        """Crash states between two flushes: the disk as at the first, then some of the writes
        issued before the cut, in random order."""
        for _, sector, data, old in reversed(epoch):
            self.disk.write(sector, old)
        for _ in range(self.trials if epoch else 0):
            cut = self.rng.randint(1, len(epoch))
            chosen = self.rng.sample(epoch[:cut], self.rng.randint(0, cut))
            undo = [(sector, self.disk.write(sector, data)) for _, sector, data, _ in chosen]
            self.check("reordered", epoch[cut - 1][0])
            for sector, old in reversed(undo):
                self.disk.write(sector, old)
        for _, sector, data, _ in epoch:
            self.disk.write(sector, data)

    def run(self):
        acknowledged, epoch = 0, []
        for sector, flags, data in self.entries:
            if flags & FLUSH:
                self.reordered(epoch)
                epoch = []
            if flags & MARK:
                acknowledged += data.startswith("ack")
            elif data:
                epoch.append((acknowledged, sector, data, self.disk.write(sector, data)))
                self.check("in order", acknowledged)
        self.reordered(epoch)
        return self.counts
