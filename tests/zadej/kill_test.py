#!/usr/bin/env python3
"""zadej and los killed (SIGKILL) at random moments of a store and of a re-pair. After every
kill the round file is there under its name, complete, with every result zadej acknowledged
(the next table prompt came after it) and no other change; a re-pair either left it as it was
or replaced it with a copy of it in zaloha/. The next run leaves no temporary file behind.
Then a FIFO in place of each input file: every program ends at once, as for a missing file; the
system calls of a store in their order (strace); Ctrl+C at the re-pair question; links planted in
place of web, zaloha and zamek.lck."""

import argparse
import os
import random
import re
import select
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import time

PLAYERS = 31  # 15 tables and the bye
ROUND_FILE = "partie1.txt"
LINE = re.compile(r"^\s*(-?\d+)\s+(-?\d+)\s+(-?\d+)\s+(-?\d+)\s+(-?\d+)(.*)$")


class Folder:
    def __init__(self, options, path):
        self.options = options
        self.path = path

    def command(self, program, args):
        binary = os.path.join(self.options.bin, program + self.options.suffix)
        return [*shlex.split(self.options.launcher), binary, *args]

    def run(self, program, args, keyboard, kill_after=None):
        """Exit code (None when killed) and console text."""
        process = subprocess.Popen(self.command(program, args), cwd=self.path, stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        try:
            out, err = process.communicate(keyboard.encode("latin-1"), timeout=10 if kill_after is None else kill_after)
            code = process.returncode
        except subprocess.TimeoutExpired:
            if kill_after is None:
                process.kill()
                raise
            process.kill()
            out, err = process.communicate()
            code = None
        return code, out.decode("latin-1") + err.decode("latin-1")

    def read(self, name):
        if not os.path.isfile(os.path.join(self.path, name)):
            raise AssertionError(f"{name} is missing")
        with open(os.path.join(self.path, name), "rb") as f:
            return f.read()

    def write(self, name, text):
        with open(os.path.join(self.path, name), "wb") as f:
            f.write(text.encode("latin-1"))

    def all_files(self):
        found = []
        for root, _, files in os.walk(self.path):
            found += [os.path.relpath(os.path.join(root, f), self.path) for f in files]
        return found


def tables(data):
    """(first player, second player, v1, v2) of every line; every line must read."""
    rows = []
    for line in data.decode("latin-1").split("\r\n")[:-1]:
        match = LINE.match(line)
        if not match:
            raise AssertionError(f"unreadable line {line!r}")
        rows.append(tuple(int(match.group(i)) for i in range(1, 5)))
    return rows


def scores(data):
    return [(v1, v2) for _, _, v1, v2 in tables(data)]


def entered(data):
    return sum(1 for _, k2, v1, v2 in tables(data) if k2 > 0 and (v1, v2) != (0, 0))


class KillTest:
    def __init__(self, options, folder):
        self.options = options
        self.folder = folder
        self.rng = random.Random(options.seed)
        folder.write("kanvo.dat", "".join(f"{n:3d} {1400 + 7 * n:.2f} {n}\r\n" for n in range(1, PLAYERS + 1)))
        folder.write("osoby.dat", "".join(f"{n} Hrac {n}\r\n" for n in range(1, PLAYERS + 1)))
        folder.write("zmeny.dat", "")
        folder.write("randseed.txt", "12345\r\n")
        code, out = folder.run("los", ["1"], "a\n")
        assert code == 0, out
        self.paired = folder.read(ROUND_FILE)
        self.pairing = [row[:2] for row in tables(self.paired)]
        self.killed = self.leftovers = 0
        self.timing = {"zadej": self.duration("zadej", self.store_script(8)[0]), "los": self.duration("los", "a\na\n")}
        folder.write(ROUND_FILE, self.paired.decode("latin-1"))

    def duration(self, program, keyboard):
        started = time.monotonic()
        code, out = self.folder.run(program, ["1"], keyboard)
        assert code == 0, out
        return time.monotonic() - started

    def store_script(self, count):
        """Keyboard of a zadej run storing count new results, and the scores it stores in order."""
        now = scores(self.folder.read(ROUND_FILE))
        keyboard, stores = "", []
        for _ in range(count):
            table = self.rng.randrange(len(now) - 1)  # the bye is no game
            new = (self.rng.randint(100, 600), self.rng.randint(100, 600))
            while new[0] == now[table][0] or new[1] == now[table][1]:
                new = (self.rng.randint(100, 600), self.rng.randint(100, 600))
            keyboard += f"{table + 1}\n{new[0]} {new[1]}\n" + ("a\n" if now[table] != (0, 0) else "")
            now[table] = new
            stores.append((table, new))
        return keyboard + "0\n", stores

    def check_complete(self, data, when):
        assert [row[:2] for row in tables(data)] == self.pairing, f"{when}: the round file lost lines"

    def count(self, code):
        self.killed += code is None
        self.leftovers += any(".tmp." in name for name in self.folder.all_files())

    def kill_a_store(self, number):
        before = scores(self.folder.read(ROUND_FILE))
        keyboard, stores = self.store_script(self.rng.randint(1, 8))
        code, out = self.folder.run("zadej", ["1"], keyboard, self.rng.uniform(0, self.timing["zadej"]))
        self.count(code)
        acknowledged = len(stores) if code == 0 else max(0, out.count("Zadejte cislo stolu") - 1)
        data = self.folder.read(ROUND_FILE)
        self.check_complete(data, f"store {number}")
        expected = list(before)
        for table, new in stores[:acknowledged]:
            expected[table] = new
        maybe = list(expected)
        if acknowledged < len(stores):  # the one store in progress may have landed
            maybe[stores[acknowledged][0]] = stores[acknowledged][1]
        assert scores(data) in (expected, maybe), f"store {number}: acknowledged results lost\n{out}"

    def kill_a_re_pair(self, number):
        before = self.folder.read(ROUND_FILE)
        copies = set(self.copies())
        code, _ = self.folder.run("los", ["1"], "a\na\n", self.rng.uniform(0, self.timing["los"]))
        self.count(code)
        data = self.folder.read(ROUND_FILE)
        self.check_complete(data, f"re-pair {number}")
        assert data in (before, self.paired), f"re-pair {number}: the round file is neither the old nor the new"
        if data != before and entered(before) > 0:
            kept = [self.folder.read(c) for c in set(self.copies()) - copies]
            assert kept == [before], f"re-pair {number}: the replaced results are not in zaloha"

    def copies(self):
        return [name for name in self.folder.all_files() if name.startswith("zaloha" + os.sep) and ".tmp." not in name]

    def next_runs_leave_no_temporary(self, number):
        # A zadej that stores nothing removes what killed writers left in the tournament folder;
        # a re-pair and a store then leave nothing anywhere, in zaloha/ neither.
        self.run_cleanly(number, ("zadej", "0\n"))
        self.expect_no_leftovers(number, "zadej storing nothing", lambda name: os.sep not in name)
        self.run_cleanly(number, ("los", "a\na\n"), ("zadej", self.store_script(1)[0]))
        self.expect_no_leftovers(number, "a re-pair and a store", lambda name: True)

    def run_cleanly(self, number, *runs):
        for program, keyboard in runs:
            code, out = self.folder.run(program, ["1"], keyboard)
            assert code == 0, f"after kill {number}: {program} ended with {code}\n{out}"

    def expect_no_leftovers(self, number, runs, where):
        left = [name for name in self.folder.all_files() if (".tmp." in name or ".old." in name) and where(name)]
        assert not left, f"after kill {number} and {runs}: left in the folder: {left}"

    def run(self):
        for number in range(1, self.options.kills + 1):
            if self.rng.random() < 0.3:
                self.kill_a_re_pair(number)
            else:
                self.kill_a_store(number)
            if number % 5 == 0 or number == self.options.kills:
                self.next_runs_leave_no_temporary(number)
        print(f"{self.options.kills} runs, {self.killed} killed before their end, {self.leftovers} of them left a "
              "temporary file: the round file always complete with every acknowledged result")


def two_desks(options, rounds=4):
    """Two zadej at once on one round, each storing and correcting its own tables: neither undoes
    the other's results."""
    with tempfile.TemporaryDirectory(prefix="turnaj-desks-") as path:
        folder = Folder(options, path)
        test = KillTest(options, folder)
        desks = [list(range(1, 8)), list(range(8, 16))]
        wanted = {}
        for turn in range(rounds):
            scripts = []
            for tables in desks:
                keyboard = ""
                for table in tables:
                    wanted[table] = (100 + 10 * turn + table, 500 - 10 * turn - table)
                    keyboard += f"{table}\n{wanted[table][0]} {wanted[table][1]}\n" + ("a\n" if turn else "")
                scripts.append(keyboard + "0\n")
            processes = [subprocess.Popen(folder.command("zadej", ["1"]), cwd=path, stdin=subprocess.PIPE,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) for _ in scripts]
            for process, keyboard in zip(processes, scripts):
                process.stdin.write(keyboard.encode())
                process.stdin.close()
            assert all(process.wait(60) == 0 for process in processes), "a desk failed"
            stored = scores(folder.read(ROUND_FILE))
            for table, pair in wanted.items():
                assert stored[table - 1] == pair, f"turn {turn}: table {table} holds {stored[table - 1]}, not {pair}"
            test.check_complete(folder.read(ROUND_FILE), f"two desks, turn {turn}")
    print(f"two desks at once, {rounds} turns of 15 stores: every result kept")


def fifo_inputs(options):
    """A FIFO in place of an input: the program must not wait for a writer."""
    cases = [
        ("zadej", ["1"], "partie1.txt", "\n"),
        ("los", ["2"], "partie1.txt", "\n"),
        ("poradi", ["1"], "koef.txt", ""),
        ("rekordy", [], "osoby.dat", ""),
        ("prevod", [], "hraci.txt", ""),
    ]
    for program, args, name, keyboard in cases:
        with tempfile.TemporaryDirectory(prefix="turnaj-fifo-") as path:
            folder = Folder(options, path)
            os.mkfifo(os.path.join(path, name))
            try:
                code, out = folder.run(program, args, keyboard, None)
            except subprocess.TimeoutExpired:
                raise AssertionError(f"{program} waits on the FIFO {name}")
            assert code is not None and name in out, f"{program} with a FIFO {name}: {code}\n{out}"
    print(f"{len(cases)} programs with a FIFO in place of an input: none waited")


def system_calls_of_a_store(options):
    """A store under strace: the new round file's data flushed before the rename, then after it the
    file again under its own name (on FAT that writes its directory entry) and its folder."""
    if options.launcher or not shutil.which("strace"):
        print("system calls of a store: skipped, strace not found or not a native build")
        return
    with tempfile.TemporaryDirectory(prefix="turnaj-strace-") as path:
        folder = Folder(options, path)
        folder.write(ROUND_FILE, "  5  12   0 0    1  Hrac A - Hrac B\r\n  7   1   0 0    2  Hrac C - Hrac D\r\n")
        log = os.path.join(path, "strace.log")
        # LeakSanitizer cannot run under ptrace: a sanitizer build's leak check is left out here.
        env = dict(os.environ, ASAN_OPTIONS=os.environ.get("ASAN_OPTIONS", "") + ":detect_leaks=0")
        subprocess.run(["strace", "-f", "-o", log, "-e", "trace=openat,fsync,rename,renameat,renameat2",
                        *folder.command("zadej", ["1"])], cwd=path, input=b"1\n412 380\n0\n", check=True,
                       stdout=subprocess.DEVNULL, env=env)
        with open(log) as f:
            calls = re.findall(r'(openat|fsync|rename\w*)\((.*)\) += (-?\d+)', f.read())
    names, seen = {}, []
    for call, args, result in calls:
        quoted = re.findall(r'"([^"]*)"', args)
        if call == "openat":
            names[result] = quoted[0]
        elif call == "fsync":
            seen.append("fsync " + names.get(args, "?"))
        else:
            seen.append("rename " + " ".join(quoted))
    renames = [i for i, call in enumerate(seen) if call.startswith("rename ") and call.endswith(" " + ROUND_FILE)]
    assert len(renames) == 1, seen
    temporary = seen[renames[0]].split()[1]
    at = renames[0]
    assert f"fsync {temporary}" in seen[:at] and seen[at + 1:at + 3] == [f"fsync {ROUND_FILE}", "fsync ."], seen
    print("system calls of a store: data flushed, renamed, the file and its folder flushed after the rename")


def interrupted_re_pair(options, folder):
    """Ctrl+C at los's re-pair question: the task file and the pairing list go as at any stop."""
    process = subprocess.Popen(folder.command("los", ["1"]), cwd=folder.path, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    process.stdin.write(b"a\n")  # the seed question of round 1
    process.stdin.flush()
    seen = b""
    while b"provest znovu" not in seen:
        ready, _, _ = select.select([process.stdout], [], [], 10)
        assert ready, f"los never asked: {seen!r}"
        seen += os.read(process.stdout.fileno(), 4096)
    process.send_signal(signal.SIGINT)
    process.wait(10)
    left = [name for name in ("zadani.txt", "los1.txt") if os.path.exists(os.path.join(folder.path, name))]
    assert not left, f"Ctrl+C at the re-pair question left {left}"


def planted_links(options, folder):
    """web, zaloha and zamek.lck planted as links to another folder: each refused with a line naming
    it, nothing written there and nothing removed (not even an old temporary-looking file)."""
    with tempfile.TemporaryDirectory(prefix="turnaj-elsewhere-") as elsewhere:
        decoy = os.path.join(elsewhere, "partie1.txt.tmp.999999")
        open(decoy, "w").close()
        os.utime(decoy, (0, 0))
        folder.run("zadej", ["1"], "1\n412 380\n0\n")  # a result, so that a re-pair keeps a copy
        for name, program, args, keyboard in (("web", "stranky", [], ""), ("zaloha", "los", ["1"], "a\na\n"),
                                              ("zamek.lck", "zadej", ["1"], "0\n")):
            link = os.path.join(folder.path, name)
            if os.path.isdir(link):
                shutil.rmtree(link)
            elif os.path.lexists(link):
                os.remove(link)
            os.symlink(os.path.join(elsewhere, name if name == "zamek.lck" else ""), link)  # zamek.lck dangling
            code, out = folder.run(program, args, keyboard)
            os.remove(link)
            assert code == 1 and f"{name} je odkaz" in out, f"{program} with {name} a link: {code}\n{out}"
        assert os.listdir(elsewhere) == [os.path.basename(decoy)], os.listdir(elsewhere)


def lock_file_for_every_account(folder):
    """A folder shared by two accounts: the lock file, made under a strict umask, is writable by all."""
    before = os.umask(0o077)
    try:
        folder.run("zadej", ["1"], "0\n")
    finally:
        os.umask(before)
    mode = os.stat(os.path.join(folder.path, "zamek.lck")).st_mode & 0o777
    assert mode == 0o666, f"zamek.lck made with mode {mode:o}"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--launcher", default="")
    parser.add_argument("--suffix", default="")
    parser.add_argument("--kills", type=int, default=60)
    parser.add_argument("--seed", type=int, default=18)
    options = parser.parse_args()
    options.bin = os.path.abspath(options.bin)
    with tempfile.TemporaryDirectory(prefix="turnaj-kill-") as path:
        KillTest(options, Folder(options, path)).run()
    two_desks(options)
    system_calls_of_a_store(options)
    with tempfile.TemporaryDirectory(prefix="turnaj-links-") as path:
        folder = Folder(options, path)
        KillTest(options, folder)
        if not options.launcher:  # Windows: the console window test interrupts
            interrupted_re_pair(options, folder)
        planted_links(options, folder)
        if not options.launcher:  # Windows: the folder's inherited rights
            lock_file_for_every_account(folder)
    print("Ctrl+C at the re-pair question, planted links and a strict umask: nothing left, nothing written "
          "elsewhere, a lock file for every account")
    if hasattr(os, "mkfifo"):
        fifo_inputs(options)


if __name__ == "__main__":
    sys.exit(main())
