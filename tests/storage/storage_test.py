#!/usr/bin/env python3
"""The storage test: the zadej of --bin on real network shares and FAT disks, each in a
User-Mode Linux guest (the host's / its root), and counts of the acknowledged results lost.
Two desks on two mounts of one share (SMB3, NFS); one desk on a FAT disk whose every write is
recorded (dm-log-writes) and then replayed as power cuts. Exit status: 0 nothing lost, 1 an
acknowledged result lost or a desk failed, 2 (and nothing lost) a guest never came up or
never ended."""

import argparse
import json
import os
import random
import signal
import subprocess
import sys
import tempfile
import time

from power_cut import Replay

HERE = os.path.dirname(os.path.abspath(__file__))
SHARES = {
    "smb3": "SMB3, two mounts (nosharesock)",
    "smb3-one": "SMB3, one mount for both desks",
    "smb3-nobrl": "SMB3, two mounts without byte-range locks (nobrl)",
    "nfs42": "NFSv4.2, two mounts (the second nosharecache)",
    "nfs42-netns": "NFSv4.2, the second mount from its own network namespace and host name",
    "nfs3": "NFSv3 with its lock manager, two mounts",
    "nfs3-nolock": "NFSv3 nolock, two mounts",
}
DISKS = {"fat16": (16, 16384), "fat32": (32, 40960)}  # FAT bits, size in KiB
BOOTS = 3  # a guest that does not come up (its job never says "ready") is booted again


class GuestDown(Exception):
    pass


def boot(options, run, job, prepare_disks=lambda: []):
    """Runs the job script in a fresh guest, up to BOOTS times until the guest comes up and ends."""
    with open(os.path.join(run, "job.sh"), "w") as f:
        f.write("set -e\n" + job)
    command = ["linux.uml", "mem=1024M", "root=/dev/root", "rootfstype=hostfs", "rootflags=/", "rw",
               f"init={HERE}/guest_init.sh", "con=null", "con0=null,fd:1", f"turnaj_job={run}/job.sh",
               f"turnaj_dir={run}"]
    log = os.path.join(run, "guest.log")
    for _ in range(BOOTS):
        if os.path.exists(log):
            os.remove(log)
        disks = [f"ubd{n}={disk}" for n, disk in enumerate(prepare_disks())]
        with open(os.path.join(run, "console.txt"), "w") as console:
            # A session of its own: the guest is several processes, all ended together.
            guest = subprocess.Popen(command + disks, stdin=subprocess.DEVNULL, stdout=console,
                                     stderr=subprocess.STDOUT, cwd=run, start_new_session=True)
            try:
                guest.wait(options.guest_timeout)
            except subprocess.TimeoutExpired:
                pass
            finally:
                ended = guest.poll() is not None
                if not ended:
                    os.killpg(guest.pid, signal.SIGKILL)
                    guest.wait()
        if os.path.exists(log) and "ready\n" in open(log).read():
            if not ended:  # a server or mount that hangs: not booted again, it would hang again
                raise GuestDown(f"the guest came up but did not end in {options.guest_timeout} s:\n" +
                                open(log).read()[-2000:])
            break
    else:
        raise GuestDown(f"the guest did not come up in {BOOTS} boots; its console's end:\n" +
                        open(os.path.join(run, "console.txt")).read()[-2000:])
    try:
        return json.load(open(os.path.join(run, "result.json")))
    except (OSError, ValueError):
        raise AssertionError("the job in the guest failed:\n" + open(os.path.join(run, "guest.log")).read()[-3000:])


def desks_command(options, server, desks, run):
    return (f"python3 {HERE}/desks.py --program {options.bin}/zadej --server {server} " +
            " ".join(f"--desk {d}" for d in desks) + f" --log {run} --seed {options.seed} ")


def share(options, config, run):
    """Two desks on two mounts of one share served in the guest."""
    job = (f"sh {HERE}/share.sh {config} /run/share /run/desk1 /run/desk2\n" +
           desks_command(options, "/run/share", ["/run/desk1", "/run/desk2"], run) +
           f"--rounds {options.rounds} --tables {options.tables} >{run}/result.json\n")
    figures = boot(options, run, job)
    return figures, (f"{figures['lost']} of {figures['results']} results lost ({figures['older back']} older values "
                     f"back, {figures['torn']} round files torn or missing), {figures['stores']} stores")


def fat_disk(options, config, run):
    """One desk on a FAT disk under dm-log-writes, then the crash states of the log."""
    bits, size = DISKS[config]
    start, disk, log = (os.path.join(run, name) for name in ("start.img", "disk.img", "log.img"))
    subprocess.run(["mkfs.fat", "-F", str(bits), "-s", "1", "-C", start, str(size)], check=True, capture_output=True)

    def fresh_disks():
        subprocess.run(["cp", start, disk], check=True)
        with open(log, "w") as f:
            f.truncate(256 << 20)
        return [disk, log]

    job = ("modprobe -a dm-mod dm-log-writes vfat nls_cp437 nls_iso8859-1\nexport DM_DISABLE_UDEV=1\n"
           'dmsetup create lw --table "0 $(blockdev --getsz /dev/ubda) log-writes /dev/ubda /dev/ubdb"\n'
           "mkdir -p /run/fat\nmount -t vfat /dev/mapper/lw /run/fat\necho ready\n" +
           desks_command(options, "/run/fat", ["/run/fat"], run) +
           f"--rounds 1 --tables {options.fat_tables} --corrections 0.2 --mark 'dmsetup message lw 0 mark' "
           f">{run}/result.json\numount /run/fat\ndmsetup remove lw\n")
    figures = boot(options, run, job, fresh_disks)
    acknowledged = figures["acknowledged"]
    counts = Replay(start, log, acknowledged, options.fat_tables, random.Random(options.seed), options.reorders,
                    run).run()
    lost = {kind: sum(c.values()) - c["kept"] for kind, c in counts.items()}
    states = {kind: sum(c.values()) for kind, c in counts.items()}
    how = {verdict: sum(c[verdict] for c in counts.values()) for verdict in ("missing", "emptied", "torn", "older")}
    figures["lost"] = sum(lost.values())
    return figures, (f"{figures['lost']} of {sum(states.values())} crash states after an acknowledged store lack "
                     f"a result (in order {lost['in order']} of {states['in order']}, reordered "
                     f"{lost['reordered']} of {states['reordered']}; round file {how}), "
                     f"{len(acknowledged)} stores acknowledged")


def measure(options, config, run):
    """One configuration's line; whether it lost a result or a desk failed."""
    started = time.monotonic()
    figures, summary = (share if config in SHARES else fat_disk)(options, config, run)
    failures = [failure for desk in figures["desks"] for failure in desk["failures"]]
    said = "; ".join(f"desk {n} said {d['messages']}" for n, d in enumerate(figures["desks"], 1) if d["messages"])
    print(f"{config}: {summary}{'; ' + said if said else ''}; {time.monotonic() - started:.0f} s" +
          "".join(f"\n  a desk failed: {failure}" for failure in failures), flush=True)
    return bool(figures["lost"] or figures.get("torn") or failures)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--bin", required=True, help="folder of the programs to test")
    parser.add_argument("configs", nargs="*", default=[*SHARES, *DISKS], help=f"of {[*SHARES, *DISKS]}")
    parser.add_argument("--rounds", type=int, default=4, help="rounds of two desks on a share")
    parser.add_argument("--tables", type=int, default=75, help="tables of a round on a share")
    parser.add_argument("--fat-tables", type=int, default=30, help="tables of the round on a FAT disk")
    parser.add_argument("--reorders", type=int, default=4, help="reordered crash states per flush")
    parser.add_argument("--seed", type=int, default=23)
    parser.add_argument("--guest-timeout", type=int, default=3600, help="seconds a guest may run")
    parser.add_argument("--keep", action="store_true", help="keep the guests' files (consoles, transcripts, disks)")
    options = parser.parse_args()
    options.bin = os.path.abspath(options.bin)
    lost = down = False
    for config in options.configs:
        run = tempfile.mkdtemp(prefix=f"turnaj-storage-{config}-")
        try:
            lost |= measure(options, config, run)
        except AssertionError as error:
            print(f"{config}: {error}", flush=True)
            lost = True
        except GuestDown as error:
            print(f"{config}: {error}", flush=True)
            down = True
        if options.keep:
            print(f"  the guest's files: {run}")
        else:
            subprocess.run(["rm", "-rf", run])
    return 1 if lost else 2 if down else 0


if __name__ == "__main__":
    sys.exit(main())
