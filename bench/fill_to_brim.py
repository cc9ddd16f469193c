#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How full the fill leaves a stick, how fast it copies, and how long a dry run of a big
collection takes, for the command-line program and, given, an older build to compare with.

Needs the superuser (loop devices, mkfs.exfat, mount.exfat-fuse). For each seed it fills a fresh
exFAT image (128 KiB clusters) of 256 MiB and one of 64 MiB from a library of long-tailed song
sizes (0.1 to 60 MB, most of a few MB, as albums are), and reports the space used as a share of
the free clusters at the start (median and worst) and the milliseconds per MB copied. Then it
times a dry run of a collection of --songs songs onto a fresh 64 GiB image (a sparse file; some
thousand songs fit), drawing plainly and by folder. Song files are sparse: the library costs no
disc space.

    bench/fill_to_brim.py build/bin/tunecrate-cli [OLD/tunecrate-cli] [--seeds 20]
"""
import argparse
import json
import math
import os
import random
import resource
import shutil
import statistics
import subprocess
import tempfile
import time

MB = 1000 * 1000


def song_sizes(count, rng):
    """Log-normal around 4 MB, cut to 0.1 .. 60 MB: many songs of a few MB, a long tail."""
    return [int(min(60 * MB, max(0.1 * MB, rng.lognormvariate(math.log(4 * MB), 0.9))))
            for _ in range(count)]


def make_library(base, folders, per_folder, rng):
    paths = []
    for f in range(folders):
        folder = os.path.join(base, "Artist %03d" % f)
        os.makedirs(folder, exist_ok=True)
        for i, size in enumerate(song_sizes(per_folder, rng)):
            path = os.path.join(folder, "%02d Song %d.mp3" % (i + 1, f * per_folder + i))
            with open(path, "wb") as out:
                out.truncate(size)
        paths.append(folder)
    return paths


class ExfatImage:
    """A fresh exFAT image mounted with exfat-fuse; unmounted and detached on leaving."""

    def __init__(self, base, size):
        self.image = os.path.join(base, "stick.img")
        self.mount = os.path.join(base, "stick")
        os.makedirs(self.mount, exist_ok=True)
        with open(self.image, "wb") as out:
            out.truncate(size)
        subprocess.run(["mkfs.exfat", "-c", "128K", "-L", "BENCH", self.image],
                       check=True, capture_output=True)
        self.loop = subprocess.run(["losetup", "-f", "--show", self.image], check=True,
                                   capture_output=True, text=True).stdout.strip()
        subprocess.run(["mount.exfat-fuse", self.loop, self.mount], check=True,
                       capture_output=True)

    def free(self):
        st = os.statvfs(self.mount)
        return st.f_bavail * st.f_frsize

    def __enter__(self):
        return self

    def __exit__(self, *_):
        subprocess.run(["umount", self.mount], capture_output=True)
        subprocess.run(["losetup", "-d", self.loop], capture_output=True)
        os.remove(self.image)


def cpu_seconds():
    used = resource.getrusage(resource.RUSAGE_CHILDREN)
    return used.ru_utime + used.ru_stime


def fill(cli, base, collection, stick, extra):
    """One fill from a fresh copy of the collection: its JSON summary, wall time and CPU time
    (the program's own, user and system: steadier than the wall clock on a busy machine)."""
    work = os.path.join(base, "run.ini")
    shutil.copyfile(collection, work)
    settings = os.path.join(base, "Tunecrate.ini")
    start, cpu = time.monotonic(), cpu_seconds()
    done = subprocess.run([cli, "--settings", settings, "fill", work, stick, "--json"] + extra,
                          capture_output=True, text=True)
    seconds, cpu = time.monotonic() - start, cpu_seconds() - cpu
    if not done.stdout.strip():
        raise RuntimeError("%s: %s" % (cli, done.stderr))
    return json.loads(done.stdout), seconds, cpu


def make_collection(cli, base, folders, name):
    collection = os.path.join(base, name)
    settings = os.path.join(base, "Tunecrate.ini")
    for start in range(0, len(folders), 500):
        subprocess.run([cli, "--settings", settings, "add", collection] + folders[start:start + 500],
                       check=True, capture_output=True)
    return collection


def fills(clis, base, collection, image_bytes, seeds):
    # The programs take turns seed by seed, so that both meet the same load of the machine, and
    # which goes first alternates: a fill straight after another image was torn down is slower
    # on some machines, whichever program makes it.
    used = {label: [] for label, _ in clis}
    seconds = {label: 0.0 for label, _ in clis}
    cpu = {label: 0.0 for label, _ in clis}
    megabytes = {label: 0.0 for label, _ in clis}
    for seed in range(1, seeds + 1):
        for label, cli in clis if seed % 2 else reversed(clis):
            with ExfatImage(base, image_bytes) as stick:
                before = stick.free()
                summary, took, spent = fill(cli, base, collection, stick.mount,
                                            ["--seed", str(seed)])
                used[label].append(100.0 * (before - stick.free()) / before)
                seconds[label] += took
                cpu[label] += spent
                megabytes[label] += summary["bytesCopied"] / MB
    for label, _ in clis:
        print("%-4s %3d MiB: space used median %.2f%%, worst %.2f%%; per MB copied %.2f ms, "
              "%.2f ms of CPU" % (label, image_bytes >> 20, statistics.median(used[label]),
                                  min(used[label]), 1000 * seconds[label] / megabytes[label],
                                  1000 * cpu[label] / megabytes[label]), flush=True)


def dry_runs(clis, base, collection, songs):
    # Quadratic in the older build when balancing: minutes there, so only plain draws.
    runs = [(label, cli, balance) for label, cli in clis for balance in ("none", "folder")
            if label == "new" or balance == "none"]
    times = {run: [] for run in runs}
    for _ in range(3):
        for run in runs:
            with ExfatImage(base, 64 << 30) as stick:
                _, _, spent = fill(run[1], base, collection, stick.mount,
                                   ["--dry-run", "--seed", "1", "--balance", run[2]])
                times[run].append(spent)
    for label, cli, balance in runs:
        print("%-4s dry run of %d songs, --balance %-6s: %.2f s of CPU (median of 3)"
              % (label, songs, balance, statistics.median(times[(label, cli, balance)])),
              flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cli")
    parser.add_argument("old_cli", nargs="?")
    parser.add_argument("--seeds", type=int, default=20)
    parser.add_argument("--songs", type=int, default=200000)
    args = parser.parse_args()
    clis = [("new", os.path.abspath(args.cli))]
    if args.old_cli:
        clis.append(("old", os.path.abspath(args.old_cli)))
    base = tempfile.mkdtemp(prefix="tunecrate-brim-")
    try:
        with open(os.path.join(base, "Tunecrate.ini"), "w") as settings:
            settings.write("[Extensions]\r\next=mp3\r\n")
        rng = random.Random(1)
        library = make_library(os.path.join(base, "small"), 40, 12, rng)
        collection = make_collection(clis[0][1], base, library, "small.ini")
        for image_bytes in (256 << 20, 64 << 20):
            fills(clis, base, collection, image_bytes, args.seeds)
        big = make_library(os.path.join(base, "big"), args.songs // 1000, 1000, rng)
        dry_runs(clis, base, make_collection(clis[0][1], base, big, "big.ini"), args.songs)
    finally:
        shutil.rmtree(base, ignore_errors=True)


if __name__ == "__main__":
    main()
