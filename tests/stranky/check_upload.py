#!/usr/bin/env python3
"""stranky --nahrat against real FTP, HTTPS (WebDAV, and PUT alone) and SFTP servers started here on
127.0.0.1; under Wine FTP alone, with a stand-in curl.exe. What it checks: README, the upload check."""

import argparse, asyncio, base64, glob, http.server, importlib.util, logging, os, shutil, ssl, subprocess, sys
import tempfile, threading, time, urllib.parse, warnings

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, "..", "..", "tools"), os.path.join(HERE, "..", "tournament"), HERE]
import tournament  # noqa: E402
import check_tournament  # noqa: E402
from check_site import check_json, fail, Links, SiteFailure, wait_for  # noqa: E402

USER, PASSWORD, TEMPORARY = "klub", "Tajne-heslo-7", ".nahravani"
logging.basicConfig(level=logging.WARNING)  # the servers' own lines would hide the test's
warnings.filterwarnings("ignore", message=".*deprecated")


def files_of(folder):
    names = os.listdir(folder) if os.path.isdir(folder) else []
    return {n: open(os.path.join(folder, n), "rb").read() for n in names
            if n != "nahrano.txt" and ".tmp." not in n and not n.endswith(TEMPORARY)}


class Host:  # the server's folder, counting the files that come with bytes it had
    def __init__(self, work, name, site):
        self.root = os.path.join(work, name)
        self.folder = os.path.join(self.root, site)
        os.makedirs(self.root)
        self.redundant, self.failed_logins, self.die_after = 0, 0, None

    def arrived(self, temporary):
        target = temporary[:-len(TEMPORARY)]
        self.redundant += os.path.exists(target) and open(target, "rb").read() == open(temporary, "rb").read()


def start_ftp(host, port=0):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer

    class Handler(FTPHandler):
        authorizer = DummyAuthorizer()

        def on_file_received(self, file):
            host.arrived(file)
            host.die_after = host.die_after and host.die_after - 1
            if host.die_after == 0:  # after this transfer's own clean-up
                host.die_after = None
                self.ioloop.call_later(0.01, self.server.close_all)

        def on_login_failed(self, username, password):
            host.failed_logins += 1

    Handler.authorizer.add_user(USER, PASSWORD, host.root, perm="elradfmw")
    server = FTPServer(("127.0.0.1", port), Handler)
    threading.Thread(target=server.serve_forever, kwargs={"handle_exit": False}, daemon=True).start()
    return server.address[1]


def start_https(host, work):
    key, cert = os.path.join(work, "key.pem"), os.path.join(work, "cert.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert, "-subj",
                    "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"], check=True, capture_output=True)
    login = "Basic " + base64.b64encode(f"{USER}:{PASSWORD}".encode()).decode()

    class Dav(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"
        log_message = lambda *args: None  # noqa: E731

        def answer(self, code):
            self.send_response(code)
            self.send_header("WWW-Authenticate", 'Basic realm="turnaj"')
            self.send_header("Content-Length", "0")
            self.end_headers()

        def local(self, url):
            return os.path.join(host.root, urllib.parse.unquote(urllib.parse.urlsplit(url).path).lstrip("/"))

        def do_PUT(self):
            body = self.rfile.read(int(self.headers["Content-Length"]))
            if self.headers.get("Authorization") != login:
                return self.answer(401)
            os.makedirs(os.path.dirname(self.local(self.path)), exist_ok=True)
            open(self.local(self.path), "wb").write(body)
            self.answer(201)

        def do_MOVE(self):  # below /dav/ only: elsewhere the host takes PUT alone
            if not self.path.startswith("/dav/") or not os.path.exists(self.local(self.path)):
                return self.answer(404 if self.path.startswith("/dav/") else 501)
            host.arrived(self.local(self.path))
            os.replace(self.local(self.path), self.local(self.headers["Destination"]))
            self.answer(201)

    server, context = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Dav), ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1], cert


def start_sftp(host):
    import asyncssh

    class Server(asyncssh.SSHServer):
        begin_auth = password_auth_supported = lambda *args: True  # noqa: E731
        validate_password = lambda self, user, password: (user, password) == (USER, PASSWORD)  # noqa: E731

    loop = asyncio.new_event_loop()
    server = loop.run_until_complete(asyncssh.listen(
        "127.0.0.1", 0, server_host_keys=[asyncssh.generate_private_key("ssh-ed25519")], server_factory=Server,
        sftp_factory=lambda channel: asyncssh.SFTPServer(channel, chroot=host.root)))
    threading.Thread(target=loop.run_forever, daemon=True).start()
    return server.sockets[0].getsockname()[1]


def settings(org, address, password=PASSWORD, more=""):
    with open(org.path("nahrat.txt"), "w") as f:
        f.write(f"adresa: {address}\r\nuzivatel: {USER}\r\nheslo: {password}\r\n{more}")


def check_reachable_links(folder):
    """Every page a reader reaches from index.html is there (a page not linked yet may lack its links)."""
    seen, todo = set(), ["index.html"]
    while todo:
        page = todo.pop()
        if page not in seen:
            if not os.path.isfile(os.path.join(folder, page)):
                fail(f"a link on the host to a missing page {page}")
            seen.add(page)
            parser = Links()
            parser.feed(open(os.path.join(folder, page), encoding="utf-8").read())
            todo += [t.split("#")[0] for t in parser.targets if t.split("#")[0].endswith(".html")]


class Watcher:
    """stranky --sledovat --nahrat, every process's command line read meanwhile for the password."""

    def __init__(self, org, host):
        self.org, self.host, self.running, self.password_in = org, host, True, None
        self.output = tempfile.TemporaryFile()
        self.process = subprocess.Popen([*org.launcher, os.path.join(org.bin_dir, "stranky" + org.suffix),
                                         "--sledovat", "--nahrat"], cwd=org.folder, stdin=subprocess.DEVNULL,
                                        stdout=self.output, stderr=subprocess.STDOUT)
        self.spy = threading.Thread(target=self.read_command_lines)
        self.spy.start()

    def read_command_lines(self):
        while self.running:
            for path in glob.glob("/proc/[0-9]*/cmdline"):
                try:
                    self.password_in = PASSWORD.encode() in open(path, "rb").read() and path or self.password_in
                except OSError:
                    pass
            time.sleep(0.01)

    def console(self):
        self.output.seek(0)
        return self.output.read().decode("latin-1")

    def published(self):  # the site built (turnaj.json holds every round) and the host's copy = web/
        try:
            built = len(check_json(self.org, self.org.path("web"))) == len(glob.glob(self.org.path("partie[0-9]*.txt")))
        except (SiteFailure, OSError, ValueError):
            return False
        return built and files_of(self.host.folder) == files_of(self.org.path("web"))

    def synced(self, step):
        wait_for(self.published, f"{step}: the site built and published", 30)
        if self.host.redundant:
            fail(f"{step}: {self.host.redundant} files sent whose bytes the host had")

    def stop(self):
        self.running = False
        self.spy.join()
        self.process.terminate()
        self.process.wait(timeout=20)
        shown = [self.console().encode(), *files_of(self.org.path("web")).values()]
        if self.password_in or any(PASSWORD.encode() in data for data in shown):
            fail(f"the password in a command line ({self.password_in}), on the console or in web/")


def check_ftp(org, work, rounds, ratings):
    host = Host(work, "ftp", "turnaj")
    port = start_ftp(host)
    settings(org, f"ftp://127.0.0.1:{port}/turnaj")
    org.run("prevod")
    watcher, played = Watcher(org, host), tournament.Tournament(org, rounds, 27, ratings)
    try:
        for k in range(1, rounds):
            played.pair(k)
            watcher.synced(f"round {k} paired")
            played.enter_results(k)
            watcher.synced(f"round {k} entered")
        before, host.die_after = files_of(host.folder), 3  # dies when the third file has come
        org.run("los", [rounds], "a\n")
        wait_for(lambda: "Stranky se nepodarilo nahrat" in watcher.console(), "the failed upload said so", 30)
        web = files_of(org.path("web"))
        if any(data not in (before.get(name), web.get(name)) for name, data in files_of(host.folder).items()):
            fail("after the server died, a file on the host is neither the old nor the new one")
        check_reachable_links(host.folder)
        start_ftp(host, port)
        watcher.synced("the server back")
        settings(org, f"ftp://127.0.0.1:{port}/turnaj", "spatne")
        played.enter_results(rounds)
        wait_for(lambda: host.failed_logins, "a login with the wrong password", 30)
        time.sleep(8)
        lines = watcher.console().count("nahrat: server odmitl uzivatele nebo heslo, zkusim to znovu")
        if (lines, host.failed_logins) != (1, 1):
            fail(f"a wrong password: {lines} lines, {host.failed_logins} logins")
        settings(org, f"ftp://127.0.0.1:{port}/turnaj")
        watcher.synced("the password mended")
    finally:
        watcher.stop()
    return f"FTP: {rounds} rounds, no file sent twice"


def check_one_upload(org, host, address, more=""):
    settings(org, address, more=more)
    for said in ("Nahrano ", "Nahrano 0 souboru"):
        out = org.run("stranky", ["--nahrat"])
        if said not in out or files_of(host.folder) != files_of(org.path("web")) or host.redundant:
            fail(f"{address}: the host differs from web/ after\n{out}")
    os.remove(org.path("web/nahrano.txt"))


def other_protocols(org, work):
    https = Host(work, "https", "dav/turnaj")
    port, cert = start_https(https, work)
    check_one_upload(org, https, f"https://127.0.0.1:{port}/dav/turnaj", f"certifikat: {cert}")
    https.folder = os.path.join(https.root, "put")
    check_one_upload(org, https, f"https://127.0.0.1:{port}/put", f"certifikat: {cert}")
    if not importlib.util.find_spec("asyncssh"):
        return "HTTPS: WebDAV and PUT alone; no SFTP server (Debian's python3-asyncssh)"
    sftp = Host(work, "sftp", "turnaj")
    check_one_upload(org, sftp, f"sftp://127.0.0.1:{start_sftp(sftp)}/turnaj")
    return "HTTPS: WebDAV and PUT alone; SFTP"


def without_curl(org, stand_in):
    """Wine has no curl.exe: the Windows program says so; then the stand-in comes on the PATH."""
    org.run("prevod")
    settings(org, "ftp://127.0.0.1:9/turnaj")
    out = org.run("stranky", ["--nahrat"], expect_exit=1)
    if "Stranky se nepodarilo nahrat: v pocitaci neni program curl" not in out:
        fail(f"without curl.exe: {out}")
    os.environ["WINEPATH"] = "Z:" + os.path.abspath(stand_in).replace("/", "\\")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bin", required=True)
    parser.add_argument("--curl-stand-in", help="the folder of the stand-in curl.exe (under Wine)")
    tournament.add_program_options(parser)
    args = parser.parse_args()
    if not importlib.util.find_spec("pyftpdlib"):
        print("pyftpdlib is missing (Debian's python3-pyftpdlib)", file=sys.stderr)
        sys.exit(1 if os.environ.get("CI") else 77)
    work = tempfile.mkdtemp(prefix="turnaj-nahrat-")
    for folder in ("turnaj", "curl"):  # curl: the stand-in's files
        os.mkdir(os.path.join(work, folder))
    _, _, ratings = check_tournament.generate(os.path.join(work, "turnaj"), 9, 3, 27)
    org = tournament.Organiser(args.bin, os.path.join(work, "turnaj"), launcher=args.launcher, suffix=args.suffix)
    os.environ["TURNAJ_CURL_FILES"] = os.path.join(work, "curl")
    if not args.launcher:
        os.environ["HOME"] = work  # no known_hosts of the user's: curl takes the SFTP server's key
    try:
        if args.launcher:
            without_curl(org, args.curl_stand_in)
        said = [check_ftp(org, work, 3, ratings)] + ([] if args.launcher else [other_protocols(org, work)])
    except (SiteFailure, tournament.ProgramFailed) as failure:
        print(f"FAILED in {work}: {failure}", file=sys.stderr)
        sys.exit(1)
    shutil.rmtree(work)
    print("; ".join(said))


if __name__ == "__main__":
    main()
