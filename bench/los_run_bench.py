#!/usr/bin/env python3
"""Times `los 24` at 150 players as a whole process: the suite's los against its literal build.

The fixture is a 150-player tournament after 23 rounds (1,725 games), played with the suite's
own programs by the tournament driver of tools/tournament.py on files made by
tests/tournament/check_tournament.py (with nobody absent). Each measured run starts from that
folder with round 24 not yet paired, in a tmpfs folder (/dev/shm) and in a folder on disk, and
gets on standard input the answers the tournament driver gives ("a"). Before timing, both builds
pair the round once and must leave the same files and console bytes.

Timer: hyperfine when it is installed (with --input when it has it; without, its runs get an
empty standard input, which makes no difference here because the run asks nothing, as the check
run shows), else a Python timer taking the two builds in turn. Standard library only.

  cmake --build build -j2 --target los los_literal prevod zadej poradi rekordy
  python3 bench/los_run_bench.py --bin build/bin [--runs 15] [--rounds 3] [--callgrind]
"""

import argparse
import json
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
ROUND = ROUNDS + 1
ANSWERS = "a\n"  # what the tournament driver answers every los with
OUTPUTS = (f"partie{ROUND}.txt", f"los{ROUND}.htm")  # made by the run: removed before each


def build_fixture(bin_dir, folder):
    """Rounds 1..23 played through prevod, los, zadej and poradi."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    _, _, ratings = check_tournament.generate(folder, PLAYERS, ROUNDS, SEED)
    check_tournament.write(folder, "zmeny.dat", "")  # everybody plays every round
    organiser = tournament.Organiser(bin_dir, folder)
    tournament.Tournament(organiser, ROUNDS, SEED, ratings).play()


def fresh_copy(fixture, folder):
    shutil.rmtree(folder, ignore_errors=True)
    shutil.copytree(fixture, folder)
    for name in OUTPUTS:
        if os.path.exists(os.path.join(folder, name)):
            os.remove(os.path.join(folder, name))


def filesystem_of(folder):
    """Type of the file system that holds folder, from /proc/mounts (longest mount point)."""
    best, kind = "", "?"
    try:
        with open("/proc/mounts") as mounts:
            for line in mounts:
                fields = line.split()
                point = fields[1]
                inside = folder == point or folder.startswith(point.rstrip("/") + "/")
                if inside and len(point) > len(best):
                    best, kind = point, fields[2]
    except OSError:
        pass
    return kind


def run_once(program, folder):
    for name in OUTPUTS:
        path = os.path.join(folder, name)
        if os.path.exists(path):
            os.remove(path)
    completed = subprocess.run([program, str(ROUND)], cwd=folder, input=ANSWERS.encode(), capture_output=True)
    if completed.returncode != 0:
        sys.exit(f"{program} {ROUND} ended with {completed.returncode}: {completed.stderr.decode('latin-1')}")
    return completed.stdout


def same_result(programs, fixture, scratch):
    """Every build pairs the round once from the same files; all must leave the same bytes."""
    results = []
    for program in programs:
        folder = os.path.join(scratch, "check-" + os.path.basename(program))
        fresh_copy(fixture, folder)
        console = run_once(program, folder)
        results.append((console, tournament.snapshot(folder)))
        shutil.rmtree(folder)
    if any(result != results[0] for result in results):
        sys.exit("the builds do not pair the round alike")
    if b"a/n" in results[0][0]:
        sys.exit("the run asks a question: the fixture is not a fresh round")
    return results[0][0].decode("latin-1")


def hyperfine_has_input():
    help_text = subprocess.run(["hyperfine", "--help"], capture_output=True, text=True).stdout
    return "--input" in help_text


def time_hyperfine(programs, folder, runs, scratch):
    report = os.path.join(scratch, "hyperfine.json")
    answers = os.path.join(scratch, "answers.txt")
    with open(answers, "w") as f:
        f.write(ANSWERS)
    command = ["hyperfine", "-N", "--style", "basic", "--warmup", "3", "--runs", str(runs),
               "--prepare", "rm -f " + " ".join(OUTPUTS), "--export-json", report]
    if hyperfine_has_input():
        command += ["--input", answers]
    command += [f"{program} {ROUND}" for program in programs]
    subprocess.run(command, cwd=folder, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(report) as f:
        results = json.load(f)["results"]
    return [[t * 1000 for t in result["times"]] for result in results]


def time_python(programs, folder, runs):
    """The builds in turn, one run each per round; wall time of the whole process."""
    times = [[] for _ in programs]
    for round_number in range(runs + 3):
        for n, program in enumerate(programs):
            for name in OUTPUTS:
                path = os.path.join(folder, name)
                if os.path.exists(path):
                    os.remove(path)
            start = time.perf_counter()
            subprocess.run([program, str(ROUND)], cwd=folder, input=ANSWERS.encode(),
                           stdout=subprocess.DEVNULL, check=True)
            elapsed = (time.perf_counter() - start) * 1000
            if round_number >= 3:  # the first rounds warm the caches
                times[n].append(elapsed)
    return times


def floor_time(program, folder, runs, use_hyperfine, scratch):
    """Process start and a round number refused at once (los 99)."""
    if use_hyperfine:
        report = os.path.join(scratch, "floor.json")
        subprocess.run(["hyperfine", "-N", "--style", "basic", "-i", "--warmup", "3", "--runs", str(runs),
                        "--export-json", report, f"{program} 99"], cwd=folder, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        with open(report) as f:
            return statistics.median(json.load(f)["results"][0]["times"]) * 1000
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run([program, "99"], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)


def callgrind(program, fixture, scratch, top):
    """Instructions of one run (repeatable) and the functions that take most of them."""
    folder = os.path.join(scratch, "callgrind")
    fresh_copy(fixture, folder)
    out = os.path.join(scratch, "callgrind.out")
    run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", program, str(ROUND)],
                         cwd=folder, input=ANSWERS.encode(), capture_output=True)
    if run.returncode != 0 and b"Procesor nepocita" in run.stdout + run.stderr:
        # valgrind computes long double in 64-bit doubles: the program's arithmetic check stops it.
        print(f"\ncallgrind, {os.path.basename(program)} {ROUND}: stopped by its check of the x87 precision, which "
              "valgrind does not emulate; no instruction count")
        shutil.rmtree(folder)
        return
    run.check_returncode()
    annotated = subprocess.run(["callgrind_annotate", out], capture_output=True, text=True, check=True).stdout
    lines = [line for line in annotated.splitlines() if "(" in line and "%)" in line]
    print(f"\ncallgrind, {os.path.basename(program)} {ROUND}:")
    for line in lines[: top + 1]:
        print("  " + line.replace("???:", "")[:120])
    shutil.rmtree(folder)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", required=True, help="folder with los, los_literal and the other programs")
    parser.add_argument("--fixture", help="tournament folder to use or make (default: <bin>/../bench-150x23)")
    parser.add_argument("--disk", help="folder on disk for the runs (default: beside the fixture)")
    parser.add_argument("--runs", type=int, default=15, help="measured runs per build, folder and round")
    parser.add_argument("--rounds", type=int, default=3, help="rounds of runs, the builds taken in turn")
    parser.add_argument("--timer", choices=("hyperfine", "python"), help="default: hyperfine when installed")
    parser.add_argument("--callgrind", action="store_true", help="also count instructions (valgrind)")
    parser.add_argument("--top", type=int, default=12, help="functions listed by --callgrind")
    args = parser.parse_args()

    bin_dir = os.path.abspath(args.bin)
    fast, literal = os.path.join(bin_dir, "los"), os.path.join(bin_dir, "los_literal")
    for program in (fast, literal):
        if not os.path.exists(program):
            sys.exit(f"{program} is missing: build the targets los and los_literal")
    fixture = os.path.abspath(args.fixture or os.path.join(bin_dir, "..", f"bench-{PLAYERS}x{ROUNDS}"))
    if not os.path.exists(os.path.join(fixture, f"partie{ROUNDS}.txt")):
        print(f"playing the fixture into {fixture} ...", flush=True)
        build_fixture(bin_dir, fixture)
    use_hyperfine = (args.timer or ("hyperfine" if shutil.which("hyperfine") else "python")) == "hyperfine"

    scratch = tempfile.mkdtemp(prefix="los-bench-")
    disk_parent = os.path.abspath(args.disk or os.path.dirname(fixture))
    folders = {"tmpfs": tempfile.mkdtemp(prefix="los-bench-", dir="/dev/shm"),
               "disk": tempfile.mkdtemp(prefix="los-bench-run-", dir=disk_parent)}
    try:
        console = same_result((fast, literal), fixture, scratch)
        print(console.strip().splitlines()[-4])  # the counters line
        print(f"both builds pair round {ROUND} alike; timer: {'hyperfine' if use_hyperfine else 'python'}, "
              f"{args.rounds} x {args.runs} runs each, median")
        for place, folder in folders.items():
            fresh_copy(fixture, folder)
            # Several rounds, each build in turn, so that a burst of other work on the machine
            # falls on both.
            times = [[], []]
            for _ in range(args.rounds):
                if use_hyperfine:
                    taken = time_hyperfine((fast, literal), folder, args.runs, scratch)
                else:
                    taken = time_python((fast, literal), folder, args.runs)
                for n in range(2):
                    times[n] += taken[n]
            median_fast, median_literal = (statistics.median(t) for t in times)
            print(f"{place:5} ({filesystem_of(folder)}): los {median_fast:6.2f} ms   los_literal "
                  f"{median_literal:6.2f} ms   ratio {median_literal / median_fast:5.1f}")
        floor = floor_time(fast, folders["tmpfs"], args.runs, use_hyperfine, scratch)
        print(f"floor (los 99, refused at once): {floor:.2f} ms")
        if args.callgrind:
            callgrind(fast, fixture, scratch, args.top)
            callgrind(literal, fixture, scratch, 5)
    finally:
        for folder in (scratch, *folders.values()):
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
