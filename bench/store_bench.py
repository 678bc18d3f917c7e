#!/usr/bin/env python3
"""Times a store of zadej and los 24 at 150 players, whole processes, for two or more builds.

What the durable store costs: each build pairs round 24 of the 150-player fixture of
los_run_bench.py, and each build's run stores one result in its own paired copy (zadej 24, table
1, 412 380, then table 0), and pairs round 24 from the fixture (los 24). Every run starts from a
fresh copy in a folder on disk (beside the fixture); the builds are taken in turn, one run each,
and only the process is timed. strace -c -f then counts the system calls of one run of each.

  python3 bench/store_bench.py --fixture build/bench-150x23 BIN_BEFORE BIN_AFTER [--runs 40]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

import los_run_bench

STORE_ANSWERS = b"1\n412 380\n0\n\n"


def los_run(bin_dir):
    return [os.path.join(bin_dir, "los"), str(los_run_bench.ROUND)], los_run_bench.ANSWERS.encode()


def store_run(bin_dir):
    return [os.path.join(bin_dir, "zadej"), str(los_run_bench.ROUND)], STORE_ANSWERS


def paired_copy(bin_dir, fixture, folder):
    """The fixture with round 24 paired by this build: what its store starts from."""
    los_run_bench.fresh_copy(fixture, folder)
    command, answers = los_run(bin_dir)
    subprocess.run(command, cwd=folder, input=answers, stdout=subprocess.DEVNULL, check=True)


def copy_of(start_from, folder):
    """A fresh copy, on the disk before the run: the run's flushes should not pay for the copy."""
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(start_from, folder)
    os.sync()


def timed(command, answers, start_from, folder):
    copy_of(start_from, folder)
    begin = time.perf_counter()
    done = subprocess.run(command, cwd=folder, input=answers, stdout=subprocess.DEVNULL)
    elapsed = (time.perf_counter() - begin) * 1000
    if done.returncode != 0:
        sys.exit(f"{' '.join(command)} ended with {done.returncode}")
    return elapsed


def system_calls(command, answers, start_from, folder):
    copy_of(start_from, folder)
    report = folder + ".strace"
    subprocess.run(["strace", "-f", "-c", "-o", report, *command], cwd=folder, input=answers, stdout=subprocess.DEVNULL)
    with open(report) as f:
        total = [line for line in f if line.rstrip().endswith("total")]
    return int(total[-1].split()[3]) if total else None


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("bins", nargs="+", help="folders with each build's programs")
    parser.add_argument("--fixture", required=True, help="the fixture of los_run_bench.py (made when missing)")
    parser.add_argument("--runs", type=int, default=40)
    args = parser.parse_args()
    fixture = os.path.abspath(args.fixture)
    if not os.path.isdir(fixture):
        los_run_bench.build_fixture(args.bins[-1], fixture)
    scratch = fixture + "-store"
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    folder = os.path.join(scratch, "run")
    paired = []
    for n, bin_dir in enumerate(args.bins):
        paired.append(os.path.join(scratch, f"paired{n}"))
        paired_copy(bin_dir, fixture, paired[-1])
    # The fixture has no round 24 yet; each build's paired copy has it with no result in it.
    kinds = {"store": (store_run, paired), "los 24": (los_run, [fixture] * len(args.bins))}
    times = {(kind, n): [] for kind in kinds for n in range(len(args.bins))}
    for run in range(args.runs + 3):
        for kind, (command_of, start) in kinds.items():
            for n, bin_dir in enumerate(args.bins):
                elapsed = timed(*command_of(bin_dir), start[n], folder)
                if run >= 3:  # the first runs warm the caches
                    times[(kind, n)].append(elapsed)
    print(f"{args.runs} runs each, median ms (system calls of one run), on {los_run_bench.filesystem_of(scratch)}:")
    for kind, (command_of, start) in kinds.items():
        cells = [f"{statistics.median(times[(kind, n)]):.2f} ({system_calls(*command_of(b), start[n], folder)})"
                 for n, b in enumerate(args.bins)]
        print(f"  {kind}: " + "  ".join(cells))
    shutil.rmtree(scratch)


if __name__ == "__main__":
    main()
