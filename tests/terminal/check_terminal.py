#!/usr/bin/env python3
"""zadej in a real terminal (tmux): what it sends to the terminal and what the screen shows.

A terminal as organisers have them (TERM=xterm, a UTF-8 locale) gets the standard yellow for
the prompts and the terminal's own colour for the text, never bright white, which a light
background swallows. NO_COLOR (any value) and TERM=dumb get not a single escape byte. The names
of a round file in Windows-1250 and in UTF-8 show as people read them, in columns counted in
characters; a locale that is not UTF-8 shows "?" for what it cannot show. Standard library only.
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

ROUND = b"".join(line + b"\r\n" for line in (
    b"  5  12   0 0    1  Dvo\xf8\xe1k Ji\xf8\xed                 -   \xc5\xa0\xc5\xa5astn\xc3\xa1 Eva           ",
    b"  7   1   0 0    2  Hrac C                      -   Hrac D                   ",
))
# The screen row of table 1: its names in columns of 25 characters, as ASCII names are.
GAME = "  {}   -   {}  {}"
UTF8_NAMES = ("Dvořák Jiří".ljust(25), "Šťastná Eva".ljust(25))
ASCII_NAMES = ("Dvo??k Ji??".ljust(25), "??astn? Eva".ljust(25))
WIDE_YELLOW, BRIGHT = b"\x1b[33m", (b"\x1b[93m", b"\x1b[97m", b"\x1b[1;37m")


class Terminal:
    """A tmux server of our own with one pane running a program."""

    def __init__(self, tmux, work):
        self.base = [tmux, "-S", os.path.join(work, "tmux.socket"), "-f", "/dev/null"]

    def tmux(self, *args):
        return subprocess.run([*self.base, *args], capture_output=True, text=True, check=True).stdout

    def run(self, command, raw, keys):
        """The screen after the keys were typed, once the program waits at its last prompt."""
        self.tmux("new-session", "-d", "-s", "t", "-x", "120", "-y", "40", f"sleep 1; {command}")
        try:
            self.tmux("set-option", "-t", "t", "remain-on-exit", "on")
            self.tmux("pipe-pane", "-t", "t", "-o", f"cat > {raw}")
            for key, wait_for in keys:
                self.wait_for(wait_for)
                self.tmux("send-keys", "-t", "t", key, "Enter")
            self.wait_for("Stul 0 neexistuje")
            return self.tmux("capture-pane", "-t", "t", "-p")
        finally:
            self.tmux("kill-server")

    def wait_for(self, text, patience=20):
        deadline = time.monotonic() + patience
        while text not in self.tmux("capture-pane", "-t", "t", "-p"):
            if time.monotonic() > deadline:
                raise AssertionError(f"no {text!r} on the screen:\n" + self.tmux("capture-pane", "-t", "t", "-p"))
            time.sleep(0.05)


def check(terminal, work, zadej, settings, coloured, names):
    folder = os.path.join(work, settings.replace(" ", "_").replace("=", "-"))
    os.mkdir(folder)
    with open(os.path.join(folder, "partie3.txt"), "wb") as f:
        f.write(ROUND)
    raw = os.path.join(folder, "terminal.raw")
    # The screen as tmux gives it back has no blanks at the ends of its rows.
    keys = (("1", "Zadejte cislo stolu :"), ("412 380", "mezerou) :"), ("0", "Dosud nebylo nacteno 1 vysledku"))
    screen = terminal.run(f"cd {folder} && exec env -i PATH=/usr/bin:/bin {settings} {zadej} 3", raw, keys)
    time.sleep(0.2)  # the pipe's last bytes
    with open(raw, "rb") as f:
        sent = f.read()
    problems = []
    if coloured and WIDE_YELLOW + b"Zadejte cislo stolu : " not in sent:
        problems.append("the prompt is not in the standard yellow")
    if coloured and any(code in sent for code in BRIGHT):
        problems.append("bright colours, unreadable on a light background")
    if not coloured and b"\x1b" in sent:
        problems.append("an escape byte where plain text was asked for")
    rows = screen.split("\n")
    for row in (GAME.format(*names, "  0 :   0"), GAME.format(*names, "412 : 380")):
        if row not in rows:
            problems.append(f"no row {row!r}")
    return [f"{settings}: {p}" for p in problems]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bin", required=True, help="folder with the built programs")
    parser.add_argument("--tmux", default="tmux")
    args = parser.parse_args()
    zadej = os.path.join(os.path.abspath(args.bin), "zadej")
    problems = []
    with tempfile.TemporaryDirectory() as work:
        terminal = Terminal(args.tmux, work)
        for settings, coloured, names in (("TERM=xterm LANG=C.UTF-8", True, UTF8_NAMES),
                                          ("TERM=xterm LANG=C.UTF-8 NO_COLOR=", False, UTF8_NAMES),
                                          ("TERM=dumb LANG=C", False, ASCII_NAMES)):
            problems += check(terminal, work, zadej, settings, coloured, names)
    print("\n".join(problems) or "colours, plain text and names as the terminal should show them")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
