#!/usr/bin/env python3
"""Results desks storing at once on one round: one zadej process per folder (each folder a mount
of one share, as on two computers), each desk storing and correcting results at random tables
of its own (desk 1 the odd tables, desk 2 the even ones), so that whatever a table holds at the
end is its owner's doing. A result is acknowledged when zadej prints the state block
("Nacteno N stolu") after it. After both desks end, the round file as the server holds it must
have every table's last acknowledged result. Prints the figures as one JSON object."""

import argparse
import json
import os
import random
import re
import select
import subprocess
import threading
import time

TABLE_PROMPT = "Zadejte cislo stolu : "
SCORES_PROMPT = "Zadejte vysledek (pocty bodu obou hracu oddelene mezerou) : "
STORE_TIMEOUT = 300  # seconds for one store; longer is a hang
# What zadej may say during a store; counted per desk and reported.
MESSAGES = {
    "locks fail between computers": "Zamykani slozky mezi pocitaci nefunguje",
    "folder cannot lock": "Slozka nepodporuje zamykani",
    "not yet current": "na sdilene slozce jeste neni aktualni",
    "another program writes": "Slozku prave zapisuje jiny program",
    "cannot write": "nelze zapsat",
    "cannot lock": "nelze zamknout",
    "not durable": "nemusi prezit vypadek proudu",
    "changed meanwhile": "byl mezitim zmenen",
    "round file missing": "neexistuje, stisknete enter",
}
LINE = re.compile(r"^\s*(-?\d+)\s+(-?\d+)\s+(-?\d+)\s+(-?\d+)\s+(-?\d+)  ")


def round_file(tables):
    """A fresh round as los writes it, without a bye: table t pairs players 2t-1 and 2t."""
    return "".join(f"{2 * t - 1:3d} {2 * t:3d}   0 0   {t:2d}  " + f"Hrac {2 * t - 1}".ljust(25) + "   -   " +
                   f"Hrac {2 * t}".ljust(25) + "\r\n" for t in range(1, tables + 1)).encode("latin-1")


def read_scores(data, tables):
    """Scores of every table of a round file; None when it is not whole (a line missing or torn)."""
    lines = data.decode("latin-1").split("\r\n")
    matches = [LINE.match(line) for line in lines[:-1]]
    if lines[-1] or len(matches) != tables or not all(matches):
        return None
    if [(int(m[1]), int(m[2]), int(m[5])) for m in matches] != [(2 * t - 1, 2 * t, t) for t in range(1, tables + 1)]:
        return None
    return [(int(m[3]), int(m[4])) for m in matches]


class Zadej:
    """One zadej process, driven by what it prints: every a/n question is answered yes."""

    def __init__(self, program, folder, round_number, transcript):
        self.process = subprocess.Popen([program, str(round_number)], cwd=folder, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.text = ""
        self.ended = False
        self.transcript = transcript

    def send(self, line):
        self.transcript.write(line + "\n")
        try:
            self.process.stdin.write(line.encode() + b"\n")
            self.process.stdin.flush()
        except BrokenPipeError:
            pass

    def wait(self):
        """The console text up to zadej's next number prompt, or to its end (then ended is True)."""
        start, deadline = len(self.text), time.monotonic() + STORE_TIMEOUT
        while True:
            ready, _, _ = select.select([self.process.stdout], [], [], max(0, deadline - time.monotonic()))
            if not ready:
                self.process.kill()
                raise TimeoutError(f"zadej printed nothing for {STORE_TIMEOUT} s:\n{self.text[-2000:]}")
            chunk = os.read(self.process.stdout.fileno(), 65536).decode("latin-1")
            self.transcript.write(chunk)
            self.text += chunk
            if not chunk or self.text.endswith((TABLE_PROMPT, SCORES_PROMPT)):
                return self.text[start:], not chunk
            if self.text.endswith("a/n "):
                self.send("a")
            elif self.text.endswith("stisknete enter "):
                self.send("")

    def store(self, table, scores):
        """Whether zadej acknowledged the result (ended is set when zadej ended on the way)."""
        self.send(str(table))
        text, self.ended = self.wait()
        if self.ended or not text.endswith(SCORES_PROMPT):
            return False
        self.send(f"{scores[0]} {scores[1]}")
        text, self.ended = self.wait()
        return "Nacteno " in text and "nebyl ulozen" not in text

    def finish(self):
        if self.process.poll() is None:
            self.send("0")
            self.wait()
        self.process.wait(STORE_TIMEOUT)


class Desk:
    """One desk's plan and what zadej acknowledged: its own tables in random order, each stored
    once, and now and then a correction of one stored before."""

    def __init__(self, number, desks, folder, options):
        self.number, self.folder, self.options = number, folder, options
        self.rng = random.Random(options.seed * 10 + number)
        self.tables = list(range(number, options.tables + 1, desks))
        self.acknowledged = {}  # round -> table -> acknowledged scores in order
        self.typed = {}  # (round, table) -> every pair typed, acknowledged or not
        self.stores = 0
        self.messages = dict.fromkeys(MESSAGES, 0)
        self.failures = []

    def plan(self):
        order, stored = [], []
        for table in self.rng.sample(self.tables, len(self.tables)):
            order.append(table)
            stored.append(table)
            if self.rng.random() < self.options.corrections:
                order.append(self.rng.choice(stored))
        return order

    def fresh_scores(self, typed):
        """Scores that differ in both numbers from every pair the table may hold: zadej stores them."""
        while True:
            scores = (self.rng.randint(100, 999), self.rng.randint(100, 999))
            if all(scores[0] != old[0] and scores[1] != old[1] for old in [(0, 0), *typed]):
                typed.append(scores)
                return scores

    def play(self, round_number, marks):
        history = self.acknowledged.setdefault(round_number, {})
        path = os.path.join(self.options.log, f"desk{self.number}-round{round_number}.txt")
        with open(path, "w", encoding="latin-1") as transcript:
            zadej = Zadej(self.options.program, self.folder, round_number, transcript)
            try:
                _, zadej.ended = zadej.wait()
                for table in [] if zadej.ended else self.plan():
                    scores = self.fresh_scores(self.typed.setdefault((round_number, table), []))
                    self.stores += 1
                    if zadej.store(table, scores):
                        history.setdefault(table, []).append(scores)
                        if marks:
                            marks(round_number, table, scores)
                    if zadej.ended:
                        break
                if zadej.ended:
                    last = zadej.text.strip().splitlines()[-1:]
                    self.failures.append(f"zadej ended in round {round_number} after {last}")
                zadej.finish()
            except (TimeoutError, subprocess.TimeoutExpired) as error:
                self.failures.append(str(error).splitlines()[0])
                zadej.process.kill()
            finally:
                for name, text in MESSAGES.items():
                    self.messages[name] += zadej.text.count(text)


def count_losses(desks, server, options):
    """Per round, every table's last acknowledged result must be in the round file the server holds
    (torn: a round file missing, or with a line missing or unreadable)."""
    figures = {"results": 0, "lost": 0, "older back": 0, "torn": 0}
    for round_number in range(1, options.rounds + 1):
        path = os.path.join(server, f"partie{round_number}.txt")
        final = read_scores(open(path, "rb").read(), options.tables) if os.path.exists(path) else None
        for desk in desks:
            for table, history in desk.acknowledged.get(round_number, {}).items():
                figures["results"] += 1
                kept = final[table - 1] if final else None
                figures["lost"] += kept != history[-1]
                figures["older back"] += kept in history[:-1]
        figures["torn"] += final is None
    return figures


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--program", required=True, help="the zadej to test")
    parser.add_argument("--server", required=True, help="the share's folder as the server holds it")
    parser.add_argument("--desk", action="append", required=True, help="a desk's folder (a mount of the share)")
    parser.add_argument("--log", required=True, help="folder for the desks' console transcripts")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--tables", type=int, default=75)
    parser.add_argument("--corrections", type=float, default=0.3, help="chance of a correction after a store")
    parser.add_argument("--seed", type=int, default=23)
    parser.add_argument("--mark", help="command run with the word ack<N> after the N-th acknowledged store")
    options = parser.parse_args()
    for round_number in range(1, options.rounds + 1):
        with open(os.path.join(options.server, f"partie{round_number}.txt"), "wb") as f:
            f.write(round_file(options.tables))
    os.sync()
    acknowledged = []

    def mark(round_number, table, scores):
        acknowledged.append([round_number, table, *scores])
        subprocess.run([*options.mark.split(), f"ack{len(acknowledged)}"], check=True)

    desks = [Desk(n + 1, len(options.desk), folder, options) for n, folder in enumerate(options.desk)]
    started = time.monotonic()
    for round_number in range(1, options.rounds + 1):
        threads = [threading.Thread(target=desk.play, args=(round_number, options.mark and mark)) for desk in desks]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
    figures = count_losses(desks, options.server, options)
    figures.update(seconds=round(time.monotonic() - started), stores=sum(d.stores for d in desks),
                   desks=[{"messages": {k: v for k, v in d.messages.items() if v}, "failures": d.failures}
                          for d in desks], acknowledged=acknowledged)
    print(json.dumps(figures))


if __name__ == "__main__":
    main()
