#!/usr/bin/env python3
"""The web site of stranky, checked on a played tournament. Standard library only.

--bin ... --keep DIR: plays a generated tournament (absences, byes, names in Windows-1250, in
UTF-8, with HTML's special characters and after a tab; a turnaj.txt in Windows-1250 with an
unknown key) and runs stranky after every step: before round 1, after each pairing, with half
a round's results entered (once with a hand-edited extreme score), after poradi. Checks every
time that nothing outside web/ changed (every name and byte), that every internal link and
#fragment resolves and no page needs anything from outside, that turnaj.json holds the round
files' games and absences and, for every complete round, exactly the standings of
poradi<r>.txt, as the CSV does; that every title names the tournament, only the projector
reloads, and every card counts the entered results alone and equals the standings; then that
stranky --sledovat writes the site again within seconds of a change. Keeps the site of a
half-entered round and the final one in DIR.

--browsers DIR: the Nu Html Checker finds no error in those sites; headless Chromium at 360 and
1280 px finds no page wider than its window, on a phone no table of a card or of the current
round wider than the screen and the current round's link and each player's table on the first
screen, axe-core no violation on the pages players use most, and the printed cross table every
round's column. Without java with vnu-jar, chromium or axe-core it says so and exits with 77
(CTest: skipped); under CI they are required. --missing-tools names those that are missing,
for CMake to put in the name of the skipped test.
"""

import argparse
import csv
import fcntl
import glob
import html.parser
import json
import math
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
sys.path.insert(0, os.path.join(HERE, "..", "tournament"))
import tournament  # noqa: E402
import check_tournament  # noqa: E402

SKIPPED = 77
# turnaj.txt: the name in Windows-1250, then a key stranky does not know.
TOURNAMENT_NAME = "Velká cena Žďáru & Brna"
TOURNAMENT_FILE = b"nazev: " + TOURNAMENT_NAME.encode("cp1250") + b"\r\nbarva: modra\r\n"
# Names that must come out right: Windows-1250 (what a Czech Windows editor writes), UTF-8,
# characters that HTML and JSON must escape, and a tab and a blank before the name.
SPECIAL_NAMES = [
    "Žluťoučký Kůň Ďábel".encode("cp1250"),
    "Řehoř Šťastná".encode("utf-8"),
    b'O\'Brien <b>&amp; "Big" \\ Joe</b>',
    b"\t Zeman Tab",
]


class SiteFailure(Exception):
    pass


def fail(message):
    raise SiteFailure(message)


def outside_web(folder):
    """Every file of the tournament folder outside web/, name to bytes."""
    files = {}
    for root, dirs, names in os.walk(folder):
        if os.path.relpath(root, folder) == ".":
            dirs[:] = [d for d in dirs if d != "web"]
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = f.read()
    return files


def suite_fixed(value, decimals):
    """A real as the suite writes it: the fraction of the magnitude gets the double epsilon and
    half a unit, then the digits are cut; a negative value keeps its sign."""
    magnitude = abs(value)
    whole = math.floor(magnitude)
    fraction = (magnitude - whole) + 2.220446049250313e-16
    fraction = fraction + 0.5 / 10**decimals
    digits = math.floor(fraction * 10**decimals)
    whole += digits // 10**decimals
    return ("-" if value < 0 else "") + f"{whole}.{digits % 10**decimals:0{decimals}d}"


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.targets = set(), []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name == "id":
                self.ids.add(value)
            if name in ("href", "src") and value is not None:
                self.targets.append(value)


def check_links(web):
    pages = {}
    for path in glob.glob(os.path.join(web, "*.html")):
        parser = Links()
        with open(path, encoding="utf-8") as f:
            parser.feed(f.read())
        pages[os.path.basename(path)] = parser
    for name, parser in pages.items():
        for target in parser.targets:
            parts = urllib.parse.urlsplit(target)
            if parts.scheme or parts.netloc:
                fail(f"{name}: link to outside the site {target}")
            file = parts.path or name
            if not os.path.isfile(os.path.join(web, file)):
                fail(f"{name}: link to a missing file {target}")
            if parts.fragment and (file not in pages or parts.fragment not in pages[file].ids):
                fail(f"{name}: link to a missing fragment {target}")
    return len(pages)


def check_json(org, web):
    with open(os.path.join(web, "turnaj.json"), encoding="utf-8") as f:
        data = json.load(f)
    rounds = data["rounds"]
    for r, rnd in enumerate(rounds, start=1):
        lines = [row[:4] for row in tournament.round_lines(org, r) if row[0] > 0]
        games = [[g["first"], g["second"], g["score1"], g["score2"]] for g in rnd["games"]]
        if rnd["round"] != r or games != lines:
            fail(f"turnaj.json: round {r} holds {games}, partie{r}.txt {lines}")
        complete = all(k2 <= 0 or (v1, v2) != (0, 0) for _, k2, v1, v2 in lines)
        if rnd["complete"] != complete:
            fail(f"turnaj.json: round {r} complete is {rnd['complete']}")
        if complete and os.path.exists(org.path(f"poradi{r}.txt")):
            check_standings(org.read(f"poradi{r}.txt").split("\r\n")[:-1], rnd["standings"], r, web)
        players = {p["number"] for p in data["players"]}
        if rnd["absent"] != sorted(players - {n for g in rnd["games"] for n in (g["first"], g["second"])}):
            fail(f"turnaj.json: round {r} lists the absent {rnd['absent']}")
    return rounds


def check_standings(rows, standings, r, web):
    """turnaj.json and kolo<r>-poradi.csv against poradi<r>.txt, row for row."""
    with open(os.path.join(web, f"kolo{r}-poradi.csv"), "rb") as f:
        text = f.read().decode("utf-8")
    csv_rows = list(csv.reader(text[1:].split("\r\n")[:-1], delimiter=";"))
    if text[0] != "\ufeff" or not text.endswith("\r\n") or not len(rows) == len(standings) == len(csv_rows) - 1:
        fail(f"round {r}: {len(standings)} standings rows in turnaj.json, {len(csv_rows)} CSV lines, "
             f"{len(rows)} in poradi{r}.txt")
    for place, (row, s, fields) in enumerate(zip(rows, standings, csv_rows[1:]), start=1):
        if fields[:2] != [str(place), str(s["number"])] or [f.replace(",", ".") for f in fields[3:]] != row[31:].split():
            fail(f"round {r}, place {place}: kolo{r}-poradi.csv {fields}, poradi{r}.txt {row}")
        ours = [f"{place:3d}.", suite_fixed(s["points"], 1), suite_fixed(s["turcas"], 1), suite_fixed(s["buchholz"], 1),
                str(s["scoreFor"]), str(s["scoreAgainst"]), str(s["startBalance"]), suite_fixed(s["rating"], 1),
                suite_fixed(s["aro"], 1), suite_fixed(s["spread"], 1)]
        theirs = [row[:4]] + row[31:].split()
        if s["place"] != place or ours != theirs:
            fail(f"round {r}, place {place}: turnaj.json {ours}, poradi{r}.txt {theirs}")


def check_pages(web):
    """turnaj.json names the tournament as turnaj.txt does, and so does every title; only the
    projector reloads; the pairing by name has a row anchor for every player; every card counts
    only the entered results and equals the standings after each complete round."""
    with open(os.path.join(web, "turnaj.json"), encoding="utf-8") as f:
        data = json.load(f)
    if data["format"] != 2 or data["tournament"] != {"name": TOURNAMENT_NAME}:
        fail(f"turnaj.json: format {data['format']}, tournament {data['tournament']}")
    players = {str(p["number"]) for p in data["players"]}
    for path in glob.glob(os.path.join(web, "*.html")):
        name = os.path.basename(path)
        with open(path, encoding="utf-8") as f:
            page = f.read()
        if html.escape(TOURNAMENT_NAME, quote=False) not in re.search("<title>(.*)</title>", page).group(1):
            fail(f"{name}: the title lacks the tournament's name")
        if ('http-equiv="refresh"' in page) != (name == "projektor.html"):
            fail(f"{name}: a page other than the projector reloads, or the projector does not")
        by_name = name.endswith("-jmena.html") or name == "aktualni.html" and data["rounds"]
        if by_name and set(re.findall('<tr id="h(\\d+)"', page)) != players:
            fail(f"{name}: not one row anchor for every player")
        if name.startswith("hrac"):
            check_card(name, page, int(name[4:-5]), data["rounds"])


def check_card(name, page, number, rounds):
    shown = re.findall('<td class="body">([^<]*)</td>', page)
    points = 0.0
    for rnd, card in zip(rounds, shown):
        for g in rnd["games"]:
            sides = [(g["first"], g["score1"], g["score2"]), (g["second"], g["score2"], g["score1"])]
            for who, own, other in sides[:2 if g["second"] else 1]:
                if who == number and (not g["second"] or (own, other) != (0, 0)):
                    points += 1 if own > other else 0.5 if own == other else 0
        standing = [s["points"] for s in rnd.get("standings", []) if s["number"] == number]
        if card != f"{points:.1f}" or standing not in ([], [points]):
            fail(f"{name}: {card} points after round {rnd['round']}, entered results {points}, standings {standing}")
    if rounds and (len(shown) != len(rounds) + 1 or shown[-1] != f"{points:.1f}"):
        fail(f"{name}: the card's total {shown[-1:]} is not {points}")


class SiteTournament(tournament.Tournament):
    """The tournament with stranky after every step and half of every round entered first."""

    def __init__(self, org, rounds, seed, ratings, checker, site):
        super().__init__(org, rounds, seed, ratings, checker)
        self.site = site

    def pair(self, k):
        super().pair(k)
        self.site.build(f"round {k} paired")

    def enter_results(self, k):
        tables = tournament.round_lines(self.org, k)
        keyboard = []
        for position, (k1, k2, *_rest) in enumerate(tables, start=1):
            if k2:
                scores = tournament.realistic_score(self.rng, 0)
                keyboard.append(f"{position}\n{scores[0]} {scores[1]}\n")
        half = len(keyboard) // 2
        self.org.run("zadej", [k], "".join(keyboard[:half]) + "0\n")
        self.site.build(f"round {k} half entered")
        if k == 3:
            self.site.keep("half-entered")
            self.site.build_with_extreme_scores(k)
        self.org.run("zadej", [k], "".join(keyboard[half:]) + "0\n")

    def standings(self, k):
        super().standings(k)
        self.site.build(f"standings after round {k}")


class Site:
    def __init__(self, org, keep_to):
        self.org = org
        self.web = org.path("web")
        self.keep_to = keep_to
        self.kept = []
        self.builds = 0

    def build(self, step):
        before = outside_web(self.org.folder)
        out = self.org.run("stranky")
        if outside_web(self.org.folder) != before:
            fail(f"{step}: stranky changed files outside web/")
        if "Stranky jsou ve slozce web" not in out:
            fail(f"{step}: stranky said {out!r}")
        if f'Soubor turnaj.txt, radek 2: neznamy klic "barva", radek vynechan' not in out:
            fail(f"{step}: stranky said nothing of the unknown key of turnaj.txt: {out!r}")
        check_links(self.web)
        check_json(self.org, self.web)
        check_pages(self.web)
        self.builds += 1

    def build_with_extreme_scores(self, k):
        """A result hand-edited to 2147483647 against -1 in the round being played: the card's
        spread takes 64 bits. The round file is given back afterwards."""
        path = self.org.path(f"partie{k}.txt")
        with open(path, "rb") as f:
            original = f.read()
        line = re.compile(rb"^( *(\d+) +[1-9]\d* +)[1-9]\d* +\d+", re.M)  # an entered game
        edited, count = line.subn(rb"\g<1>2147483647 -1", original, count=1)
        player = line.search(original).group(2).decode()
        with open(path, "wb") as f:
            f.write(edited)
        self.build(f"round {k} with a score of 2147483647 against -1")
        with open(os.path.join(self.web, f"hrac{player}.html"), encoding="utf-8") as f:
            if count != 1 or '<td>+2147483648</td>' not in f.read():
                fail(f"hrac{player}.html: no spread of +2147483648")
        with open(path, "wb") as f:
            f.write(original)

    def build_unchanged_later(self):
        """A build that changes nothing but the time writes nothing: every page keeps its time."""
        earlier = {}
        for name in os.listdir(self.web):
            with open(os.path.join(self.web, name), "rb") as f:
                earlier[name] = re.sub(rb"(Aktualizov\xc3\xa1no )\d+:\d\d", rb"\g<1>0:01", f.read())
            with open(os.path.join(self.web, name), "wb") as f:
                f.write(earlier[name])
        out = self.org.run("stranky")
        if not re.search(r"zapsano 0\r?\n", out) or tournament.snapshot(self.web) != earlier:
            fail(f"a build that changed only the time wrote pages: {out!r}")

    def keep(self, name):
        copy = os.path.join(self.keep_to, name)
        shutil.copytree(self.web, copy)
        self.kept.append(copy)


def check_names(web):
    with open(os.path.join(web, "turnaj.json"), encoding="utf-8") as f:
        names = {p["name"] for p in json.load(f)["players"]}
    for raw in SPECIAL_NAMES:
        wanted = (raw.decode("utf-8") if raw != SPECIAL_NAMES[0] else raw.decode("cp1250")).lstrip("\t ")
        if wanted not in names:
            fail(f"turnaj.json lacks the name {wanted!r}")
    if "&lt;b&gt;&amp;amp; &quot;Big&quot;" not in open(os.path.join(web, "index.html"), encoding="utf-8").read():
        fail("index.html does not escape a name holding < & \"")


def wait_for(condition, what, seconds):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            fail(f"not within {seconds} s: {what}")
        time.sleep(0.1)


def check_watch(org):
    """stranky --sledovat waits out a kanvo.dat that stops the programs, then builds within seconds of
    every change (a name corrected in place, osoby.dat's size and time kept) and leaves no temporary."""
    web = org.path("web")
    console = tempfile.TemporaryFile()
    process = subprocess.Popen([*org.launcher, os.path.join(org.bin_dir, "stranky" + org.suffix), "--sledovat"],
                               cwd=org.folder, stdin=subprocess.DEVNULL, stdout=console, stderr=subprocess.STDOUT)

    def said():
        console.seek(0)
        return console.read().decode("latin-1")

    try:
        wait_for(lambda: "Sleduji soubory" in said(), "stranky --sledovat started", 10)
        kanvo = org.read("kanvo.dat").encode("latin-1")
        with open(org.path("kanvo.dat"), "ab") as f:
            f.write(b"999 15o0")  # a line being typed in an editor, a letter for a digit
        wait_for(lambda: "Runtime error 106" in said(), "the half-written kanvo.dat said", 4)
        time.sleep(2)
        if process.poll() is not None or said().count("Stranky zustavaji, jak byly") != 1:
            fail(f"stranky --sledovat after a half-written kanvo.dat:\n{said()}")
        with open(org.path("osoby.dat"), "ab") as f:
            f.write(b"999 Novy Hrac\r\n")
        with open(org.path("kanvo.dat"), "wb") as f:
            f.write(kanvo + b"999 1500.00 0\r\n")
        wait_for(lambda: os.path.exists(os.path.join(web, "hrac999.html")), "the site after kanvo.dat was mended", 4)
        stat, osoby = os.stat(org.path("osoby.dat")), org.read("osoby.dat").encode("latin-1")
        with open(org.path("osoby.dat"), "r+b") as f:
            f.write(osoby.replace(b"Novy Hrac", b"Nova Hrac"))
        os.utime(org.path("osoby.dat"), ns=(stat.st_atime_ns, stat.st_mtime_ns))
        wait_for(lambda: "Nova Hrac" in open(os.path.join(web, "hrac999.html"), encoding="utf-8").read(),
                 "a name corrected in place, size and time kept", 4)
    finally:
        process.terminate()
        process.wait(timeout=10)
    leftovers = [n for n in os.listdir(web) if ".tmp." in n]
    if leftovers:
        fail(f"temporary files left in web/: {leftovers}")
    return "a stopping kanvo.dat waited out, rebuilt after every change"


# --- Browser and checker ------------------------------------------------------------------

def npm_package(*path):
    """A file of a package installed by npm -g, or None."""
    try:
        root = subprocess.run(["npm", "root", "-g"], capture_output=True, text=True, timeout=60).stdout.strip()
    except (OSError, subprocess.SubprocessError):
        return None
    file = os.path.join(root, *path)
    return file if os.path.isfile(file) else None


def check_nu(jar, sites):
    files = sorted(f for site in sites for f in glob.glob(os.path.join(site, "*.html")))
    css = sorted(f for site in sites for f in glob.glob(os.path.join(site, "*.css")))
    for kind, checked in (("--html", files), ("--css", css)):
        result = subprocess.run(["java", "-jar", jar, kind, "--errors-only", "--format", "gnu", *checked],
                                capture_output=True, text=True, timeout=600)
        if result.returncode != 0 or result.stderr.strip() or result.stdout.strip():
            fail(f"Nu Html Checker:\n{result.stdout}{result.stderr}")
    return len(files) + len(css)


class Chromium:
    """Headless Chromium driven over the DevTools protocol on a pipe (file descriptors 3 and 4)."""

    def __init__(self, binary, profile):
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        def place_pipes():
            # Out of the way first, so that neither end is overwritten by the other's move.
            reading = fcntl.fcntl(to_browser_read, fcntl.F_DUPFD, 10)
            writing = fcntl.fcntl(from_browser_write, fcntl.F_DUPFD, 10)
            os.dup2(reading, 3)
            os.dup2(writing, 4)

        self.process = subprocess.Popen(
            [binary, "--headless", "--no-sandbox", "--disable-gpu", "--remote-debugging-pipe",
             "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run",
             "--disable-quic", "--disable-extensions", "--hide-scrollbars", f"--user-data-dir={profile}",
             "about:blank"],
            close_fds=False, preexec_fn=place_pipes,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.buffer = b""
        self.next_id = 0
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        self.call("Page.enable", session=True)

    def send(self, method, params, session):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        return self.next_id

    def receive(self, deadline):
        while b"\0" not in self.buffer:
            if not select.select([self.from_browser], [], [], max(0, deadline - time.monotonic()))[0]:
                fail("chromium did not answer within 30 s")
            chunk = os.read(self.from_browser, 65536)
            if not chunk:
                fail("chromium ended")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=False, until_event=None):
        wanted = self.send(method, params, session)
        deadline = time.monotonic() + 30
        answered, seen_event = None, until_event is None
        while answered is None or not seen_event:
            message = self.receive(deadline)
            if message.get("id") == wanted:
                if "error" in message:
                    fail(f"chromium: {method}: {message['error']}")
                answered = message["result"]
            elif message.get("method") == until_event:
                seen_event = True
        return answered

    def open(self, path, width, height=640, media=""):
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600}, session=True)
        self.call("Emulation.setEmulatedMedia", {"media": media}, session=True)
        self.call("Page.navigate", {"url": "file://" + os.path.abspath(path)}, session=True,
                  until_event="Page.loadEventFired")

    def evaluate(self, expression, wait=False):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True, "awaitPromise": wait},
                           session=True)
        if "exceptionDetails" in result:
            fail(f"chromium: {result['exceptionDetails']}")
        return result["result"].get("value")

    def close(self):
        try:
            self.send("Browser.close", {}, False)
            self.process.wait(timeout=10)
        except (OSError, subprocess.TimeoutExpired, SiteFailure):
            self.process.kill()
        os.close(self.to_browser)
        os.close(self.from_browser)


# The page's width, its widest visible table, the bottom of its first element matching SELECTOR
# (null without one) and that element's text.
LAYOUT = """(() => {
  const tables = [...document.querySelectorAll('table')].filter(t => t.offsetParent);
  const first = document.querySelector(SELECTOR);
  return [document.documentElement.scrollWidth, document.documentElement.clientWidth,
          Math.max(0, ...tables.map(t => t.getBoundingClientRect().width)),
          first && first.getBoundingClientRect().bottom, first && first.textContent];
})()"""
AXE = "axe.run({resultTypes: ['violations']}).then(r => r.violations.map(v => `${v.id}: ${v.nodes[0].target}`))"
# A4 landscape less the margins, in CSS pixels: the printed cross table's columns must fit.
PRINTED_WIDTH = 1032


def check_site_in_browser(browser, site, axe):
    """Widths at 360 and 1280 px; on a phone the current round's link and each player's table
    on the first screen, and no table wider than the screen on the round's pages and the
    cards; axe-core on the pages players use most; the printed cross table."""
    with open(os.path.join(site, "turnaj.json"), encoding="utf-8") as f:
        data = json.load(f)
    current = data["rounds"][-1]["round"]
    fitting = {"aktualni.html"} | {f"kolo{current}-{kind}.html" for kind in ("stoly", "jmena", "vysledky")}
    pages = sorted(glob.glob(os.path.join(site, "*.html")))
    for width in (360, 1280):
        for page in pages:
            name = os.path.basename(page)
            selector = {"index.html": f'main a[href="kolo{current}-jmena.html"]'}.get(name, ".ted")
            browser.open(page, width)
            scroll, client, table, bottom, text = browser.evaluate(LAYOUT.replace("SELECTOR", json.dumps(selector)))
            if scroll > client or client > width:
                fail(f"{page} at {width} px: {scroll} px wide in a window of {client} px")
            if width == 360 and (name in fitting or name.startswith("hrac")) and table > client:
                fail(f"{page} at 360 px: a table {table} px wide")
            if width == 360 and (name == "index.html" or name.startswith("hrac")):
                if bottom is None or bottom > 640 or (name != "index.html" and not any(
                        w in text for w in ("stůl", "volno", "nehraješ"))):
                    fail(f"{page}: the first screen lacks {selector} ({bottom}, {text!r})")
    standings = [r["round"] for r in data["rounds"] if r["complete"]]
    checked = ["index.html", f"hrac{data['players'][0]['number']}.html", f"kolo{current}-jmena.html", "tabulka.html"]
    checked += [f"kolo{standings[-1]}-poradi.html"] if standings else []
    for width in (360, 1280):
        for name in checked:
            browser.open(os.path.join(site, name), width)
            browser.evaluate(axe)
            violations = browser.evaluate(AXE, wait=True)
            if violations:
                fail(f"axe-core on {name} at {width} px: {violations}")
    browser.open(os.path.join(site, "tabulka.html"), PRINTED_WIDTH, media="print")
    columns = browser.evaluate("[...document.querySelectorAll('thead th')].filter(th => th.offsetParent)"
                               ".map(th => [th.textContent, th.getBoundingClientRect().right])")
    rounds = {text for text, right in columns if text.endswith(".") and text[:-1].isdigit() and right <= PRINTED_WIDTH}
    if standings and rounds != {f"{r}." for r in range(1, standings[-1] + 1)}:
        fail(f"the printed cross table shows the rounds {sorted(rounds)} of {standings[-1]}")
    return len(pages)


def check_browser(binary, sites, profile, axe):
    browser = Chromium(binary, profile)
    try:
        return sum(check_site_in_browser(browser, site, axe) for site in sites)
    finally:
        browser.close()


def play(args):
    work = tempfile.mkdtemp(prefix="turnaj-stranky-")
    folder = os.path.join(work, "turnaj")
    os.mkdir(folder)
    shutil.rmtree(args.keep, ignore_errors=True)
    os.makedirs(args.keep)
    try:
        entered, absences, ratings = check_tournament.generate(folder, args.players, args.rounds, args.seed)
        with open(os.path.join(folder, "osoby.dat"), "rb") as f:
            lines = f.read().split(b"\r\n")
        for i, name in enumerate(SPECIAL_NAMES):
            number = lines[i].split(b" ", 1)[0]
            lines[i] = number + b" " + name
        with open(os.path.join(folder, "osoby.dat"), "wb") as f:
            f.write(b"\r\n".join(lines))
        with open(os.path.join(folder, "turnaj.txt"), "wb") as f:
            f.write(TOURNAMENT_FILE)
        org = tournament.Organiser(args.bin, folder, launcher=args.launcher, suffix=args.suffix)
        site = Site(org, args.keep)
        org.run("prevod")
        site.build("before round 1")
        checker = check_tournament.Checker(org, entered, absences)
        SiteTournament(org, args.rounds, args.seed, ratings, checker, site).play()
        site.build("after rekordy")
        site.build_unchanged_later()
        check_names(site.web)
        site.keep("final")
        watch = check_watch(org)
    except (SiteFailure, AssertionError, tournament.ProgramFailed) as failure:
        print(f"FAILED in {work}: {failure}", file=sys.stderr)
        sys.exit(1)
    shutil.rmtree(work)
    print(f"{site.builds} builds of the site: nothing outside web/ changed, every link resolved, "
          f"turnaj.json held the games and poradi's standings; --sledovat: {watch}; "
          f"sites for the browser check in {args.keep}")


def find_chromium():
    return shutil.which("chromium") or shutil.which("chromium-browser")


def find_vnu():
    jar = npm_package("vnu-jar", "build", "dist", "vnu.jar")
    return jar if jar and shutil.which("java") else None


def find_axe():
    return npm_package("axe-core", "axe.min.js")


def missing_tools(jar, chromium, axe):
    found = (("java and vnu-jar", jar), ("chromium", chromium), ("axe-core", axe))
    return ", ".join(name for name, ok in found if not ok)


def browsers(args):
    sites = [os.path.join(args.browsers, name) for name in sorted(os.listdir(args.browsers))]
    jar, chromium, axe = find_vnu(), find_chromium(), find_axe()
    if not jar or not chromium or not axe:
        missing = missing_tools(jar, chromium, axe)
        if os.environ.get("CI"):
            print(f"FAILED: CI lacks {missing}", file=sys.stderr)
            sys.exit(1)
        print(f"SKIPPED the Nu Html Checker and the browser checks: {missing} not installed")
        sys.exit(SKIPPED)
    profile = tempfile.mkdtemp(prefix="turnaj-chromium-")
    try:
        checked = check_nu(jar, sites)
        print(f"Nu Html Checker: no error in {checked} files")
        with open(axe, encoding="utf-8") as f:
            measured = check_browser(chromium, sites, profile, f.read())
        print(f"Chromium: {measured} pages no wider than a window of 360 and of 1280 px, first screens, "
              f"axe-core without a violation, the printed cross table")
    except SiteFailure as failure:
        print(f"FAILED: {failure}", file=sys.stderr)
        sys.exit(1)
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", help="play a tournament with the programs of this folder")
    parser.add_argument("--keep", help="where the played sites are kept for --browsers")
    parser.add_argument("--browsers", help="check the kept sites of this folder with the Nu checker and Chromium")
    parser.add_argument("--missing-tools", action="store_true", help="name the tools --browsers lacks here")
    parser.add_argument("--players", type=int, default=13)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--seed", type=int, default=1913)
    tournament.add_program_options(parser)
    args = parser.parse_args()
    if args.missing_tools:
        print(missing_tools(find_vnu(), find_chromium(), find_axe()))
    elif args.browsers:
        browsers(args)
    elif args.bin and args.keep:
        play(args)
    else:
        parser.error("--bin with --keep, or --browsers")


if __name__ == "__main__":
    main()
