#!/usr/bin/env python3
"""zadej in a real terminal (tmux), as it writes to it and as the screen shows it: prompts in the
standard yellow and text in the terminal's own colour (never bright white, which a light
background swallows); not one escape byte under NO_COLOR or TERM=dumb; names saved in
Windows-1250 and in UTF-8 in columns of characters, "?" where the locale is not UTF-8."""

import argparse
import os
import subprocess
import sys
import tempfile
import time

ROUND = b"  5  12   0 0    1  Dvo\xf8\xe1k Ji\xf8\xed                 -   \xc5\xa0\xc5\xa5astn\xc3\xa1 Eva           \r\n"
CASES = (("TERM=xterm LANG=C.UTF-8", True, ("Dvořák Jiří", "Šťastná Eva")),
         ("TERM=xterm LANG=C.UTF-8 NO_COLOR=", False, ("Dvořák Jiří", "Šťastná Eva")),
         ("TERM=dumb LANG=C", False, ("Dvo??k Ji??", "??astn? Eva")))
# The keys, each once its prompt is on the screen (tmux gives rows without their end blanks).
KEYS = (("1", "stolu :"), ("412 380", "mezerou) :"), ("0", "nacteno 0 vysledku"))


def zadej_in_tmux(tmux, folder, command):
    """The bytes zadej wrote to the terminal and the screen's rows at its end."""
    def t(*args):
        return subprocess.run([tmux, "-S", os.path.join(folder, "socket"), "-f", "/dev/null", *args],
                              capture_output=True, text=True, check=True).stdout

    def wait_for(text):
        deadline = time.monotonic() + 20
        while text not in t("capture-pane", "-p"):
            if time.monotonic() > deadline:
                raise AssertionError(f"no {text!r} on the screen:\n{t('capture-pane', '-p')}")
            time.sleep(0.05)

    t("new-session", "-d", "-x", "120", "-y", "40", f"sleep 1; cd {folder} && exec {command}")
    try:
        t("set-option", "remain-on-exit", "on")
        t("pipe-pane", "-o", f"cat > {folder}/sent")
        for key, prompt in KEYS:
            wait_for(prompt)
            t("send-keys", key, "Enter")
        wait_for("Stul 0 neexistuje")
        screen = t("capture-pane", "-p").split("\n")
    finally:
        t("kill-server")
    time.sleep(0.2)  # the pipe's last bytes
    with open(os.path.join(folder, "sent"), "rb") as f:
        return f.read(), screen


def problems(sent, screen, coloured, names):
    if coloured and b"\x1b[33mZadejte cislo stolu : " not in sent:
        yield "the prompt is not in the standard yellow"
    if coloured and (b"\x1b[93m" in sent or b"\x1b[97m" in sent):
        yield "bright colours, unreadable on a light background"
    if not coloured and b"\x1b" in sent:
        yield "an escape byte where plain text was asked for"
    for scores in ("  0 :   0", "412 : 380"):
        row = f"  {names[0]:25}   -   {names[1]:25}  {scores}"
        if row not in screen:
            yield f"no row {row!r}"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bin", required=True, help="folder with the built programs")
    parser.add_argument("--tmux", default="tmux")
    args = parser.parse_args()
    found = []
    for settings, coloured, names in CASES:
        with tempfile.TemporaryDirectory() as folder:
            with open(os.path.join(folder, "partie3.txt"), "wb") as f:
                f.write(ROUND)
            command = f"env -i PATH=/usr/bin:/bin {settings} {os.path.abspath(args.bin)}/zadej 3"
            found += [f"{settings}: {p}" for p in problems(*zadej_in_tmux(args.tmux, folder, command), coloured, names)]
    print("\n".join(found) or "colours, plain text and names as the terminal should show them")
    sys.exit(1 if found else 0)


if __name__ == "__main__":
    main()
