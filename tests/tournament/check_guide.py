#!/usr/bin/env python3
"""The organiser's guide (packaging/NAVOD.txt, as CMake fills it in for Windows and for Linux)
against the programs: every console text it quotes must be what a program prints.

The programs play the sample tournament as the demo does (rounds 1 to 4), and run in prepared
folders for the guide's messages. Then, in the guide:
  - a line indented by exactly two blanks is console text, and so is a line indented by three
    to five that follows one directly (a program's own leading blanks); a command line
    C:\\...>prog args (Windows) or ~/...$ prog args (Linux) must be a run made here, and every other such line must be in what a run
    printed, or be a prompt of that run followed by a line typed at it; a program list in
    parentheses at the end of the line is the guide's note;
  - every text in double quotes must be in what a run printed, apart from answers (one letter)
    and the texts of Windows itself listed below.
Standard library only; runs the native programs (the console texts are the same on Windows).
"""

import argparse
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(ROOT, "tools"))
from tournament import PROGRAMS, Organiser, Tournament, ratings_of  # noqa: E402

# Texts of Windows itself (buttons, dialogs), quoted so that the organiser finds them.
WINDOWS_TEXTS = {"Extrahovat vse...", "System Windows ochranil vas pocitac", "Dalsi informace", "Presto spustit",
                 "Odblokovat", "Upravit promenne prostredi pro vas ucet", "Upravit", "Novy"}
# Console texts no run here can give cheaply, and where they are checked instead.
NOT_PRODUCED = {
    "Konec programu, stisknete enter": "only in a console window of its own (tests/windows)",
    "Soubor partie4.txt nelze zapsat. Zkusit znovu? a/n": "a round file that reads but cannot be replaced "
                                                          "(tests/zadej/results_store_test.cpp)",
    "Procesor nepocita s plnou presnosti, ratingy by nebyly spravne": "the x87 unit set to less precision "
                                                                      "(tests/los1/rating_model_test.cpp)",
    "Slozka nepodporuje zamykani, zadavejte vysledky jen na jednom pocitaci": "a file system without locks",
    "Soubor partie4.txt byl zapsan, ale nemusi prezit vypadek proudu": "a disk whose flush fails "
                                                                       "(tests/zadej/results_store_test.cpp)",
    "Soubor partie4.txt nelze precist": "a file held against readers (tests/common/text_reader_test.cpp)",
    "Slozku prave zapisuje jiny program, cekam": "a lock held elsewhere (tests/common/text_writer_test.cpp)",
    "Zkusit znovu? a/n": "30 s without the lock",
    "Zamykani slozky mezi pocitaci nefunguje, zadavejte vysledky jen na jednom pocitaci":
        "a store undone elsewhere (tests/zadej/results_store_test.cpp)",
    "Novy obsah souboru partie4.txt je v souboru partie4.txt.tmp.pc1.1234": "a share that removes before it renames",
    "Soubor zamek.lck patri jinemu uctu: smazte ho, az nebezi zadny program turnaje":
        "a lock file of another account",
    "Soubor zamek.lck je odkaz, program ho nepouzije: smazte ho": "links (tests/zadej/kill_test.py)",
    "Slozka zaloha je odkaz nebo soubor: prejmenujte ho, nic nebylo zapsano": "links (tests/zadej/kill_test.py)",
}
# The guide shows one run's number where every run prints another.
VARYING = {"Nova hodnota generatora nah.cisel : 2699139": r"Nova hodnota generatora nah\.cisel : \d+\n"}


class Run:
    def __init__(self, program, args, keyboard, out, err):
        self.command = " ".join([program, *map(str, args)])
        self.typed = keyboard.split("\n")
        self.out, self.err = out, err


class Folders:
    """Tournament folders in one temporary folder, and every run made in them."""

    def __init__(self, bin_dir, work):
        self.bin_dir, self.work, self.runs = bin_dir, work, []

    def organiser(self, folder):
        return Organiser(self.bin_dir, folder, log=lambda *run: self.runs.append(Run(*run)))

    def copy(self, source, name):
        folder = os.path.join(self.work, name)
        shutil.copytree(source, folder)
        return folder

    def run(self, folder, program, args=(), keyboard=""):
        self.organiser(folder).run(program, args, keyboard, expect_exit=None)


def write(folder, name, lines):
    with open(os.path.join(folder, name), "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


def read_lines(folder, name):
    with open(os.path.join(folder, name), newline="") as f:
        return f.read().split("\r\n")[:-1]


def zero_two_results(folder, name):
    lines = read_lines(folder, name)
    lines[:2] = [re.sub(r"^(\s*\d+\s+\d+\s+)\d+(\s+)\d+", r"\g<1>0\g<2>0", line) for line in lines[:2]]
    write(folder, name, lines)


def first_player(folder, name, number):
    lines = read_lines(folder, name)
    lines[0] = re.sub(r"^\s*\d+", f"{number:3}", lines[0])
    write(folder, name, lines)


def play_sample(folders):
    """The sample tournament as the demo plays it, with its web site once round 4 is paired;
    the folder after the import, after round 3 and after round 4."""
    folder = folders.copy(os.path.join(ROOT, "examples"), "sample")
    organiser = folders.organiser(folder)
    tournament = Tournament(organiser, 4, seed=7, ratings=ratings_of(folder))
    organiser.run("prevod")
    stages = {"imported": folders.copy(folder, "imported")}
    for k in range(1, 5):
        tournament.pair(k)
        if k == 4:
            organiser.run("stranky")
        tournament.enter_results(k)
        tournament.standings(k)
        if k == 3:
            stages["round3"] = folders.copy(folder, "round3")
    stages["round4"] = folder
    return stages


def read_until(stream, marker, deadline=30):
    seen = b""
    while marker not in seen:
        ready, _, _ = select.select([stream], [], [], deadline)
        chunk = os.read(stream.fileno(), 4096) if ready else b""
        if not chunk:
            raise RuntimeError(f"no {marker!r} in {seen!r}")
        seen += chunk
    return seen


def repaired_while_typing(folders, folder):
    """zadej 4 with the round file paired anew between the table and the scores."""
    process = subprocess.Popen([os.path.join(folders.bin_dir, "zadej"), "4"], cwd=folder, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    out = read_until(process.stdout, b"Zadejte cislo stolu : ")
    process.stdin.write(b"1\n")
    process.stdin.flush()
    out += read_until(process.stdout, b"mezerou) : ")
    lines = read_lines(folder, "partie4.txt")
    write(folder, "partie4.txt", [lines[1], lines[0], *lines[2:]])
    rest, err = process.communicate(b"400 300\n0\n", timeout=30)
    folders.runs.append(Run("zadej", [4], "1\n400 300\n0\n", (out + rest).decode("latin-1"), err.decode("latin-1")))


def paired_again_while_entering(folders, folder):
    """zadej 4 while los 4 pairs the round again (the same pairs) and keeps its results."""
    process = subprocess.Popen([os.path.join(folders.bin_dir, "zadej"), "4"], cwd=folder, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    out = read_until(process.stdout, b"Zadejte cislo stolu : ")
    folders.run(folder, "los", [4], "a\n")
    rest, err = process.communicate(b"99\n0\n", timeout=30)
    folders.runs.append(Run("zadej", [4], "99\n0\n", (out + rest).decode("latin-1"), err.decode("latin-1")))


def round_files(folder, rounds, games, bye=lambda r: None):
    """Made-up round files: `games(r)` pairs of player numbers, and a bye player."""
    for r in range(1, rounds + 1):
        lines = [f"{a:3} {b:3}   400  300     {t:2}" for t, (a, b) in enumerate(games(r), start=1)]
        if bye(r):
            lines.append(f"{bye(r):3}   0   300  300      0")
        write(folder, f"partie{r}.txt", lines)


def rating_list(folder, numbers):
    write(folder, "kanvo.dat", [f"{n:3} 1500.00 10" for n in numbers])


def messages(folders, stages):
    """Every message of the guide's chapter 5, and the round asked for."""
    run = folders.run
    f = folders.copy(stages["round4"], "zeros")
    zero_two_results(f, "partie3.txt")
    zero_two_results(f, "partie4.txt")
    run(f, "poradi", [4])
    run(f, "los", [5], "n\n\n")
    f = folders.copy(stages["round4"], "missing")
    os.remove(os.path.join(f, "partie3.txt"))
    run(f, "los", [5], "\n")
    f = folders.copy(stages["round4"], "copies")
    shutil.copy(os.path.join(f, "partie1.txt"), os.path.join(f, "partie2.txt"))
    run(f, "los", [5], "\n")
    f = folders.copy(stages["round4"], "again")
    run(f, "los", [], "4\nn\n")
    run(f, "los", [25])
    run(f, "zadej", [], "4\n0\n")
    run(f, "poradi", [], "4\n")
    os.remove(os.path.join(f, "kanvo.new"))
    run(f, "rekordy")
    repaired_while_typing(folders, f)
    os.remove(os.path.join(f, "zamek.lck"))
    os.mkdir(os.path.join(f, "zamek.lck"))
    run(f, "zadej", [4], "1\n400 300\na\n0\n")
    paired_again_while_entering(folders, folders.copy(stages["round4"], "paired-again"))
    f = folders.copy(stages["round4"], "strangers")
    first_player(f, "partie1.txt", 77)
    run(f, "los", [5])
    first_player(f, "partie1.txt", 20000000)
    run(f, "los", [5])
    f = folders.copy(stages["round3"], "unwritable")
    os.mkdir(os.path.join(f, "partie4.txt"))
    run(f, "los", [4])

    f = folders.copy(stages["imported"], "first")
    run(f, "los", [1], "n\n")
    os.remove(os.path.join(f, "zmeny.dat"))
    run(f, "los", [1], "n\n")
    f = folders.copy(stages["imported"], "no-names")
    os.remove(os.path.join(f, "osoby.dat"))
    os.remove(os.path.join(f, "koef.txt"))
    run(f, "los", [1], "a\n")
    run(f, "poradi", [1])
    write(f, "partie4.txt", [f"{2 * t - 1:3} {2 * t:3}   0 0   {t:2}" for t in range(1, 102)])
    run(f, "zadej", [4])
    f = folders.copy(stages["imported"], "lists")
    rating_list(f, range(1, 202))
    run(f, "los", [1], "a\n")
    rating_list(f, range(1, 152))
    run(f, "los", [1], "a\n")
    rating_list(f, [40000, 1, 2])
    run(f, "los", [1], "a\n")
    write(f, "kanvo.dat", ["  1 15OO.00 310"])
    run(f, "los", [1], "a\n")
    round_files(f, 24, lambda r: [(2 * t - 1, 2 * t) for t in range(1, 85)])
    run(f, "poradi", [24])
    for name in os.listdir(f):
        if name.startswith("partie"):
            os.remove(os.path.join(f, name))
    rating_list(f, range(1, 201))
    round_files(f, 4, lambda r: [(2 * t - 1, 2 * t) for t in range(1, 101)], bye=lambda r: 200 + r)
    run(f, "poradi", [4])

    f = folders.copy(os.path.join(ROOT, "examples"), "import")
    with open(os.path.join(f, "hraci.txt"), "a") as hraci:
        hraci.write("56\r\n")
    run(f, "prevod")
    with open(os.path.join(f, "hraci.txt"), "a") as hraci:
        hraci.write("2500\r\n")
    run(f, "prevod")
    os.remove(os.path.join(f, "kanvo.txt"))
    run(f, "prevod")

    f = folders.copy(os.path.join(ROOT, "tests", "los", "mend_round"), "mend")
    run(f, "los", [9])


def printed(text, runs):
    for run in runs:
        if text in run.out or text in run.err:
            return True
        for typed in run.typed:
            if typed and text.endswith(typed) and text[: -len(typed)] in run.out:
                return True
    return False


NAMES = "|".join((*PROGRAMS, "stranky"))
NOTE = re.compile(r"\s{2,}\((?:%s)(?:, (?:%s))*\)$" % (NAMES, NAMES))


def console_lines(guide):
    """The guide's console lines, without its two blanks and its notes."""
    lines, inside = [], False
    for line in guide.split("\n"):
        indent = len(line) - len(line.lstrip(" "))
        inside = line.strip() != "" and (indent == 2 or (inside and 2 < indent < 6))
        if inside:
            lines.append(NOTE.sub("", line[2:].rstrip()))
    return lines


def problems(guide, runs):
    commands = {run.command for run in runs}
    for text in console_lines(guide):
        prompt = re.match(r"(?:C:\\[^>]*>|~\S*\$ )(.*)$", text)
        if prompt:
            if prompt.group(1) not in commands:
                yield f"no run of the command: {text}"
        elif text in VARYING:
            if not any(re.search(VARYING[text], run.out) for run in runs):
                yield f"not printed: {text}"
        elif text not in NOT_PRODUCED and not printed(text, runs):
            yield f"not printed: {text}"
    for quote in re.findall(r'"([^"]*)"', " ".join(guide.split())):
        if len(quote) > 1 and quote not in WINDOWS_TEXTS and quote not in NOT_PRODUCED and not printed(quote, runs):
            yield f'not printed: "{quote}"'


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", required=True, help="folder with the built programs")
    parser.add_argument("--guide", action="append", required=True, help="a guide as a package carries it")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        folders = Folders(os.path.abspath(args.bin), work)
        messages(folders, play_sample(folders))
    found = []
    for path in args.guide:
        with open(path, encoding="ascii") as f:
            guide = f.read()
        problems_here = list(problems(guide, folders.runs))
        found += [f"{os.path.basename(path)}: {problem}" for problem in problems_here]
        if not problems_here:
            print(f"{os.path.basename(path)}: {len(console_lines(guide))} console lines checked")
    print("\n".join(found))
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
