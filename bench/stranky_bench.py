#!/usr/bin/env python3
"""Times `stranky` as a whole process on a 150-player tournament after 23 rounds (with the
absences and byes check_tournament.generate makes), played with the suite's own programs.

Two cases, each a median of repeated runs in a folder on disk (and in tmpfs, /dev/shm, when
there is one): `stranky` with web/ removed before the run (every page written: the site built
from nothing), and `stranky` again on an unchanged folder (every page read and compared, none
written: what --sledovat pays when a change touches few pages). The target: under 0.2 s.

  cmake --build build -j2 --target prevod los zadej poradi rekordy stranky
  python3 bench/stranky_bench.py --bin build/bin [--runs 21] [--disk /var/tmp]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools"))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "tournament"))
import check_tournament  # noqa: E402
import tournament  # noqa: E402

PLAYERS, ROUNDS, SEED = 150, 23, 15023


def build_fixture(bin_dir, folder):
    os.makedirs(folder)
    _, _, ratings = check_tournament.generate(folder, PLAYERS, ROUNDS, SEED)
    tournament.Tournament(tournament.Organiser(bin_dir, folder), ROUNDS, SEED, ratings).play()


def timed_run(program, folder, fresh):
    if fresh:
        shutil.rmtree(os.path.join(folder, "web"), ignore_errors=True)
    start = time.perf_counter()
    completed = subprocess.run([program], cwd=folder, stdin=subprocess.DEVNULL, capture_output=True)
    elapsed = time.perf_counter() - start
    if completed.returncode != 0:
        sys.exit(f"stranky failed: {completed.stderr.decode('latin-1')}")
    return elapsed


def measure(program, folder, runs):
    timed_run(program, folder, True)  # a warm cache, as on the organiser's computer
    fresh = [timed_run(program, folder, True) for _ in range(runs)]
    again = [timed_run(program, folder, False) for _ in range(runs)]
    pages = len(os.listdir(os.path.join(folder, "web")))
    return statistics.median(fresh), statistics.median(again), pages


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("--disk", default="/var/tmp", help="a folder on disk for the tournament")
    args = parser.parse_args()
    program = os.path.abspath(os.path.join(args.bin, "stranky"))
    places = [("disk", args.disk)] + ([("tmpfs", "/dev/shm")] if os.path.isdir("/dev/shm") else [])
    work = tempfile.mkdtemp(prefix="stranky-bench-", dir=args.disk)
    try:
        fixture = os.path.join(work, "fixture")
        build_fixture(args.bin, fixture)
        print(f"{PLAYERS} players, {ROUNDS} rounds, median of {args.runs} runs")
        print("| folder | site from nothing | again, unchanged | files |")
        print("|---|---:|---:|---:|")
        for kind, base in places:
            folder = tempfile.mkdtemp(prefix="stranky-bench-", dir=base)
            try:
                shutil.copytree(fixture, os.path.join(folder, "t"))
                fresh, again, pages = measure(program, os.path.join(folder, "t"), args.runs)
                print(f"| {kind} | {fresh * 1000:.1f} ms | {again * 1000:.1f} ms | {pages} |")
            finally:
                shutil.rmtree(folder)
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
