#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
"""Times veldra-cli against the physical limit of each task, in one run.

Each row runs the command and its limit alternately, several times, and
compares their medians: the ratio is what counts, not the seconds, which
depend on the machine and on what else it does. Peak memory is the largest
resident set of the command, measured by GNU time (Debian package "time")
in a run of its own.

    bench/limits.py [--cli build/src/veldra-cli] [--runs 7] [--dir /tmp/veldra-bench]
                    [--large]   (adds the rows of a 1.5 GB image)
"""
import argparse
import os
import shutil
import statistics
import struct
import subprocess
import sys
import time


def bitmap(path, width, height):
    """A 24-bit bitmap of random pixels (rows padded to four bytes)."""
    if os.path.exists(path):
        return path
    row = (width * 3 + 3) // 4 * 4
    size = row * height
    header = b"BM" + struct.pack("<IHHI", 54 + size, 0, 0, 54) + struct.pack(
        "<IiiHHIIiiII", 40, width, height, 1, 24, 0, size, 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header)
        write_random(out, size)
    return path


def write_random(out, size):
    while size:
        n = min(size, 1 << 22)
        out.write(os.urandom(n))
        size -= n


def run(command):
    """Runs command; gives its wall time in seconds."""
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    elapsed = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit(f"failed: {' '.join(command)}\n{done.stderr.decode(errors='replace')}")
    return elapsed


def peak_memory(command):
    """The peak resident set of command in MiB. The measuring process is
    small, so that nothing of it counts towards the command's figure."""
    done = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, check=True)
    return int(done.stderr.decode().strip().splitlines()[-1]) / 1024


def compare(name, ours, limit, runs, prepare=None):
    """Alternates ours and limit; prints the medians and their ratio."""
    times, limits = [], []
    for _ in range(runs):
        if prepare:
            prepare()
        times.append(run(ours))
        if prepare:
            prepare()
        limits.append(run(limit))
    if prepare:
        prepare()
    memory = peak_memory(ours)
    ours_s, limit_s = statistics.median(times), statistics.median(limits)
    print(f"| {name} | {ours_s:.3f} s, {memory:.1f} MiB | {limit_s:.3f} s | "
          f"{ours_s / limit_s:.2f} |", flush=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/veldra-cli")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--dir", default="/tmp/veldra-bench")
    parser.add_argument("--large", action="store_true")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    os.makedirs(args.dir, exist_ok=True)
    d = lambda name: os.path.join(args.dir, name)

    def room(image):
        info = subprocess.run([cli, "info", image, "--json"], capture_output=True, check=True)
        return int(info.stdout.decode().split('"room":')[1].split(",")[0])

    def payload(name, size):
        with open(d(name), "wb") as out:
            write_random(out, size)
        return d(name)

    def fresh_copy(image, target):
        def prepare():
            shutil.copyfile(image, target)
            for stale in (d("dd.bmp"),):
                if os.path.exists(stale):
                    os.remove(stale)
        return prepare

    print("| task | veldra-cli (median, peak memory) | limit (median) | ratio |")
    print("|---|---|---|---|")
    sizes = [("72 MB", 6000, 4000)] + ([("1.5 GB", 25000, 20000)] if args.large else [])
    for label, width, height in sizes:
        image = bitmap(d(f"{width}x{height}.bmp"), width, height)
        work = d("work.bmp")
        dd = ["dd", f"if={work}", f"of={d('dd.bmp')}", "bs=4M", "conv=fsync", "status=none"]
        shutil.copyfile(image, work)
        full = payload("full.bin", room(work))
        compare(f"add a full payload, {label} image (limit: dd bs=4M conv=fsync)",
                [cli, "add", work, full], dd, args.runs, fresh_copy(image, work))
        # The same copy, then renamed over the image as the add does: the old
        # image's pages and blocks are freed within the command.
        replace = ["sh", "-c", " ".join(dd) + f" && mv {d('dd.bmp')} {work}"]
        compare(f"the same (limit: dd bs=4M conv=fsync, then mv over the image)",
                [cli, "add", work, full], replace, args.runs, fresh_copy(image, work))

    image = bitmap(d("6000x4000.bmp"), 6000, 4000)
    work = d("work.bmp")
    shutil.copyfile(image, work)
    small = payload("small.bin", 32 * 1024)
    subprocess.run([cli, "add", work, small], check=True)
    cat = ["cat", work]
    compare("extract 32 KiB, 72 MB image (limit: cat IMAGE > /dev/null)",
            [cli, "extract", work, "small.bin", "-o", "-"], cat, args.runs)
    compare("info, 72 MB image (limit: cat IMAGE > /dev/null)", [cli, "info", work], cat,
            args.runs)

    image = bitmap(d("10000x6667.bmp"), 10000, 6667)
    mib = payload("mib.bin", 1 << 20)
    work = d("work.bmp")
    compare("add 1 MiB, 200 MB image (limit: dd bs=4M conv=fsync)", [cli, "add", work, mib],
            ["dd", f"if={work}", f"of={d('dd.bmp')}", "bs=4M", "conv=fsync", "status=none"],
            args.runs, fresh_copy(image, work))


if __name__ == "__main__":
    main()
