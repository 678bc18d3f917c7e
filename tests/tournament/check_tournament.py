#!/usr/bin/env python3
"""Plays a generated tournament with the real programs and checks, after every round, the
rules an organiser relies on. The expectations come from the rules, not from the code.
The organiser's files start with a UTF-8 byte-order mark, as Notepad saves them, and every
pairing is repeated in a copy of the folder whose files all start with one."""

import argparse
import collections
import os
import random
import re
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import tournament  # noqa: E402


BOM = b"\xef\xbb\xbf"


def crlf(lines):
    return "".join(line + "\r\n" for line in lines)


def write(folder, name, text, bom=False):
    with open(os.path.join(folder, name), "wb") as f:
        f.write((BOM if bom else b"") + text.encode("latin-1"))


def without_bom(files):
    return {name: data.removeprefix(BOM) for name, data in files.items()}


def generate(folder, players, rounds, seed, bom=False):
    """A rating list with gaps and unrated players, the entered players, names, absences."""
    rng = random.Random(seed)
    numbers = sorted(rng.sample(range(1, 3 * players + 20), players + players // 3 + 2))
    ratings = {}
    kanvo = []
    for n in numbers:
        games = 0 if rng.random() < 0.1 else rng.randint(1, 300)
        ratings[n] = 1400.0 if games == 0 else round(rng.gauss(1550, 200), 2)
        kanvo.append(f"{n} {ratings[n]} {games}")
    entered = rng.sample(numbers, players)
    absences = []
    for player in rng.sample(entered, max(1, players // 12)):
        first = rng.randint(2, rounds)
        absences.append((player, first, min(rounds, first + rng.randint(0, 1))))
    write(folder, "kanvo.txt", crlf(kanvo), bom)
    write(folder, "hraci.txt", crlf(str(n) for n in entered), bom)
    write(folder, "osoby.dat", crlf(f"{n} Hrac {n:04d} {'X' * (n % 9)}" for n in entered), bom)
    write(folder, "koef.txt", crlf(["1.0", "0.001", "0.002", "0.5"]), bom)
    write(folder, "zmeny.dat", crlf(f"{p} {a} {b}" for p, a, b in absences), bom)
    write(folder, "randseed.txt", crlf([str(seed)]), bom)
    return set(entered), absences, ratings


class Checker:
    def __init__(self, organiser, entered, absences):
        self.org = organiser
        self.entered = entered
        self.absences = absences
        self.met = set()
        self.games_played = collections.Counter()

    def fail(self, message):
        raise AssertionError(message)

    def after_import(self):
        listed = {row[0] for row in tournament.read_numbers(self.org.read("kanvo.dat"), 1)}
        if listed != self.entered:
            self.fail(f"kanvo.dat holds {sorted(listed)}, entered {sorted(self.entered)}")

    def absent(self, k):
        return {p for p, first, last in self.absences if first <= k <= last}

    def after_pairing(self, k, out, before):
        lines = tournament.round_lines(self.org, k)
        present = self.entered - self.absent(k)
        seen = collections.Counter()
        for k1, k2, *_ in lines:
            seen[k1] += 1
            if k2:
                seen[k2] += 1
        if set(seen) != present or any(count != 1 for count in seen.values()):
            self.fail(f"round {k}: paired {dict(seen)}, present {sorted(present)}")

        cost = float(re.search(r"Chybova funkce : *(\S+)", out).group(1))
        pairs = {frozenset((k1, k2)) for k1, k2, *_ in lines if k2}
        if cost < 1_000_000 and pairs & self.met:
            self.fail(f"round {k}: repeated pairing {pairs & self.met} with cost {cost}")

        byes = [k1 for k1, k2, *_ in lines if k2 == 0]
        if len(byes) > 1 or (len(byes) == 1) != (len(present) % 2 == 1):
            self.fail(f"round {k}: byes {byes} for {len(present)} players")
        full = {p for p in present if self.games_played[p] == k - 1}
        if byes and full and byes[0] not in full:
            self.fail(f"round {k}: bye to {byes[0]}, who missed a game, while {sorted(full)} did not")

        self.met |= pairs
        for k1, k2, *_ in lines:
            if k2:
                self.games_played[k1] += 1
                self.games_played[k2] += 1
        self.pairing_is_repeatable(k, before)

    def pairing_is_repeatable(self, k, before):
        """The same files and the same seed give the same pairing, with a byte-order mark or without.
        The lock file's record is the folder's own history, not the tournament's: left out."""
        with tempfile.TemporaryDirectory() as again:
            for name, data in before.items():
                if name == "zamek.lck":
                    continue
                with open(os.path.join(again, name), "wb") as f:
                    f.write(BOM + data.removeprefix(BOM))
            self.org.run("los", [k], "a\n", folder=again)
            after = without_bom(tournament.snapshot(again))
        now = without_bom(tournament.snapshot(self.org.folder))
        after.pop("zamek.lck", None)
        now.pop("zamek.lck", None)
        if after != now:
            differing = sorted(n for n in set(after) | set(now) if after.get(n) != now.get(n))
            self.fail(f"round {k}: a second pairing run differs in {differing}")

    def after_standings(self, k):
        games, byes = [], 0
        for r in range(1, k + 1):
            for k1, k2, v1, v2, _ in tournament.round_lines(self.org, r):
                if k2:
                    games.append([k1, k2, v1, v2])
                else:
                    byes += 1
        if tournament.read_numbers(self.org.read("partie.dat"), 4) != games:
            self.fail(f"round {k}: partie.dat is not the games of the round files")

        rows = self.org.read(f"poradi{k}.txt").splitlines()
        points = [float(row[31:35]) for row in rows]
        turcas = [float(row[36:44]) for row in rows]
        if abs(sum(points) - (len(games) + 0.5 * byes)) > 1e-9:
            self.fail(f"round {k}: points add up to {sum(points)}, games {len(games)}, byes {byes}")
        for i in range(1, len(rows)):
            if (points[i], turcas[i]) > (points[i - 1], turcas[i - 1]):
                self.fail(f"round {k}: standings out of order at line {i + 1}")

        before = tournament.snapshot(self.org.folder)
        self.org.run("poradi", [k])
        if tournament.snapshot(self.org.folder) != before:
            self.fail(f"round {k}: a second standings run changed the files")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--players", type=int, required=True)
    parser.add_argument("--rounds", type=int, required=True)
    parser.add_argument("--seed", type=int, default=1)
    tournament.add_program_options(parser)
    args = parser.parse_args()
    folder = tempfile.mkdtemp(prefix=f"turnaj-{args.players}x{args.rounds}-")
    try:
        entered, absences, ratings = generate(folder, args.players, args.rounds, args.seed, bom=True)
        organiser = tournament.Organiser(args.bin, folder, launcher=args.launcher, suffix=args.suffix)
        checker = Checker(organiser, entered, absences)
        tournament.Tournament(organiser, args.rounds, args.seed, ratings, checker).play()
    except (AssertionError, tournament.ProgramFailed) as failure:
        print(f"FAILED in {folder}: {failure}", file=sys.stderr)
        sys.exit(1)
    shutil.rmtree(folder)
    print(f"{args.players} players, {args.rounds} rounds: every rule held")


if __name__ == "__main__":
    main()
