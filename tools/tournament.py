#!/usr/bin/env python3
"""Plays a whole tournament through the programs, as an organiser runs them by hand.

One driver, two uses:
  demo   plays the sample tournament of examples/, prints the final standings and writes
         the web site;
  check  (tests/tournament) plays generated tournaments and checks the organiser's rules
         after every round.
Standard library only.
"""

import argparse
import os
import random
import shlex
import shutil
import subprocess
import sys

PROGRAMS = ("prevod", "los", "zadej", "poradi", "rekordy")


class ProgramFailed(Exception):
    pass


class Organiser:
    """Runs the programs in one tournament folder."""

    def __init__(self, bin_dir, folder, log=None, launcher="", suffix=""):
        self.bin_dir = os.path.abspath(bin_dir)
        self.folder = folder
        self.log = log
        # How a program is started: "wine" in front of a cross-built los.exe.
        self.launcher = shlex.split(launcher)
        self.suffix = suffix

    def run(self, program, args=(), keyboard="", expect_exit=0, folder=None):
        completed = subprocess.run(
            [*self.launcher, os.path.join(self.bin_dir, program + self.suffix), *map(str, args)],
            cwd=folder or self.folder,
            input=keyboard.encode("latin-1"),
            capture_output=True,
        )
        out = completed.stdout.decode("latin-1")
        if self.log:
            self.log(program, args, keyboard, out, completed.stderr.decode("latin-1"))
        if expect_exit is not None and completed.returncode != expect_exit:
            raise ProgramFailed(
                f"{program} {' '.join(map(str, args))} ended with {completed.returncode}\n{out}\n"
                f"{completed.stderr.decode('latin-1')}"
            )
        return out

    def path(self, name):
        return os.path.join(self.folder, name)

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read().decode("latin-1")


def read_numbers(text, per_line):
    """The leading whole numbers of every non-blank line."""
    rows = []
    for line in text.splitlines():
        tokens = line.split()
        if tokens:
            rows.append([int(t) for t in tokens[:per_line]])
    return rows


def round_lines(organiser, round_number):
    return read_numbers(organiser.read(f"partie{round_number}.txt"), 5)


def realistic_score(rng, stronger_edge):
    """Scores mostly 300 to 550; the edge (-1..1) shifts the first player's expectation."""
    first = int(rng.gauss(420 + 40 * stronger_edge, 55))
    second = int(rng.gauss(420 - 40 * stronger_edge, 55))
    first, second = (max(180, min(650, s)) for s in (first, second))
    if rng.random() < 0.04:
        second = first
    return first, second


class Tournament:
    """Plays rounds: pairing, results entry (with some corrections), standings."""

    def __init__(self, organiser, rounds, seed, ratings, checker=None):
        self.org = organiser
        self.rounds = rounds
        self.rng = random.Random(seed)
        self.ratings = ratings
        self.checker = checker

    def play(self):
        self.org.run("prevod")
        if self.checker:
            self.checker.after_import()
        for k in range(1, self.rounds + 1):
            self.pair(k)
            self.enter_results(k)
            self.standings(k)
        self.org.run("rekordy")

    def pair(self, k):
        before = snapshot(self.org.folder) if self.checker else None
        out = self.org.run("los", [k], "a\n")
        if self.checker:
            self.checker.after_pairing(k, out, before)

    def enter_results(self, k):
        tables = round_lines(self.org, k)
        keyboard = []
        for position, (k1, k2, v1, v2, _table) in enumerate(tables, start=1):
            if k2 == 0:
                continue
            edge = (self.ratings.get(k1, 1500) - self.ratings.get(k2, 1500)) / 400
            keyboard.append(f"{position}\n{' '.join(map(str, realistic_score(self.rng, edge)))}\n")
        self.rng.shuffle(keyboard)
        self.org.run("zadej", [k], "".join(keyboard) + "0\n")
        # A correction or two, as when a scoresheet was misread.
        games = [p for p, t in enumerate(tables, start=1) if t[1] != 0]
        corrections = "".join(
            f"{p}\n{' '.join(map(str, realistic_score(self.rng, 0)))}\na\n"
            for p in self.rng.sample(games, min(2, len(games)))
        )
        self.org.run("zadej", [k], corrections + "0\n")

    def standings(self, k):
        self.org.run("poradi", [k])
        if self.checker:
            self.checker.after_standings(k)


def snapshot(folder):
    """The folder's files (not its subfolders, such as the site in web/), name to bytes."""
    files = {}
    for name in sorted(os.listdir(folder)):
        if os.path.isfile(os.path.join(folder, name)):
            with open(os.path.join(folder, name), "rb") as f:
                files[name] = f.read()
    return files


def ratings_of(folder):
    ratings = {}
    path = os.path.join(folder, "kanvo.txt")
    with open(path, "rb") as f:
        for row in f.read().decode("latin-1").splitlines():
            tokens = row.split()
            if len(tokens) >= 2:
                ratings[int(tokens[0])] = float(tokens[1])
    return ratings


def demo(args):
    here = os.path.dirname(os.path.abspath(__file__))
    examples = os.path.join(here, "..", "examples")
    folder = os.path.abspath(args.out)
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(examples, folder)
    rounds = 7
    organiser = Organiser(args.bin, folder, launcher=args.launcher, suffix=args.suffix)
    Tournament(organiser, rounds, seed=7, ratings=ratings_of(folder)).play()
    organiser.run("stranky")
    print(f"Poradi po {rounds}. kole:")
    print(organiser.read(f"poradi{rounds}.txt").replace("\r\n", "\n"), end="")
    print()
    print(organiser.read("rekordy.txt").replace("\r\n", "\n"))
    print(f"Slozka turnaje: {folder}")
    print(f"HTML stranky: {os.path.join(folder, f'poradi{rounds}.htm')}, "
          f"{os.path.join(folder, f'partie{rounds}.htm')}, {os.path.join(folder, f'los{rounds}.htm')}")
    print(f"Stranky turnaje: {os.path.join(folder, 'web', 'index.html')}")


def add_program_options(parser):
    parser.add_argument("--launcher", default="", help='command put in front of every program ("wine")')
    parser.add_argument("--suffix", default="", help='file name ending of the programs (".exe")')


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    d = sub.add_parser("demo", help="play the sample tournament of examples/")
    d.add_argument("--bin", required=True, help="folder with the built programs")
    d.add_argument("--out", required=True, help="tournament folder to create (replaced)")
    add_program_options(d)
    args = parser.parse_args()
    try:
        demo(args)
    except ProgramFailed as failure:
        print(failure, file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
