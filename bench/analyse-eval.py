#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
"""How well "veldra-cli analyse" finds hidden data in natural photos.

The photographs shipped with Debian's python3-skimage are turned into 24-bit
BMP files with "veldra-cli carrier", and each also upside down (rows in
reverse order). Each is filled through "veldra-cli add" with random bytes
(as a scrambled or compressed file looks) at 0, 3, 5, 25, 50 and 100 % of
its capacity, and analysed. The table gives, per photo and fill, the
evidence (margin; 1.0 counts as present) and, where data were found, the
error of the estimated end of the run in % of the pixel area (a dash: not
found). The summary checks the targets:
run end within 1 % of the area for fills of 5 % and more, every fill of
3 % and more detected, no clean photo detected, and the time of an
analysis of a 72 MB image against cat.

    bench/analyse-eval.py [--cli build/src/veldra-cli] [--dir /tmp/veldra-eval]
"""
import argparse
import json
import os
import shutil
import statistics
import struct
import subprocess
import sys
import time

from limits import bitmap

PHOTOS = ["astronaut.png", "coffee.png", "chelsea.png", "rocket.jpg", "hubble_deep_field.jpg",
          "motorcycle_left.png", "motorcycle_right.png", "retina.jpg"]
FILLS = [0, 3, 5, 25, 50, 100]
DATA = "/usr/lib/python3/dist-packages/skimage/data"


def flipped(source, target):
    """The bitmap upside down: its rows in reverse order."""
    with open(source, "rb") as f:
        data = f.read()
    width, height = struct.unpack("<ii", data[18:26])
    stride = (width * 3 + 3) // 4 * 4
    rows = [data[54 + r * stride:54 + (r + 1) * stride] for r in range(abs(height))]
    with open(target, "wb") as f:
        f.write(data[:54] + b"".join(reversed(rows)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/veldra-cli")
    parser.add_argument("--dir", default="/tmp/veldra-eval")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    os.makedirs(args.dir, exist_ok=True)
    d = lambda name: os.path.join(args.dir, name)

    def run(*command, **kw):
        return subprocess.run([cli, *command], check=True, capture_output=True, **kw)

    print("| photo | " + " | ".join(f"{fill} %" for fill in FILLS) + " |")
    print("|---|" + "---|" * len(FILLS))
    errors, misses, false_alarms, rows = [], [], [], 0
    for photo in PHOTOS:
        base = d(photo.rsplit(".", 1)[0] + ".bmp")
        run("carrier", os.path.join(DATA, photo), base, "--force")
        upside = base.replace(".bmp", "-flipped.bmp")
        flipped(base, upside)
        for image in (base, upside):
            name = os.path.basename(image)[:-4]
            info = json.loads(run("info", image, "--json").stdout)
            cells = []
            for fill in FILLS:
                work = d("work.bmp")
                shutil.copyfile(image, work)
                size = min(info["room"], round(info["capacity"] * fill / 100))
                truth = 0
                if fill:
                    with open(d("payload.bin"), "wb") as f:
                        f.write(os.urandom(size))
                    run("add", work, d("payload.bin"))
                    truth = 8 * (14 + 32 + size)
                a = json.loads(run("analyse", work, "--json").stdout)
                area = a["pixel_bytes"]
                error = abs(a["run_end"] - truth) / area * 100 if a["detected"] else None
                cells.append(f"{a['margin']:.2f} ({'-' if error is None else f'{error:.2f}'})")
                rows += 1
                if fill == 0 and a["detected"]:
                    false_alarms.append(name)
                if fill >= 3 and not a["detected"]:
                    misses.append(f"{name} {fill} %")
                if fill >= 5 and error is not None:
                    errors.append(error)
                if fill >= 5 and error is None:
                    errors.append(100.0)
            print(f"| {name} | " + " | ".join(cells) + " |")

    print()
    print(f"{rows} analyses. Largest error of the run's end for fills of 5 % and more: "
          f"{max(errors):.2f} % of the area (target: 1 %).")
    print(f"Missed fills of 3 % and more: {', '.join(misses) or 'none'}.")
    print(f"Clean photos taken for holding data: {', '.join(false_alarms) or 'none'}.")

    # Speed: one or two passes over the bytes, against cat of the same image.
    big = bitmap(d("large.bmp"), 6000, 4000)

    def timed(command):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        return time.perf_counter() - start

    ours, cat = [], []
    for _ in range(7):
        ours.append(timed([cli, "analyse", big]))
        cat.append(timed(["cat", big]))
    o, c = statistics.median(ours), statistics.median(cat)
    print(f"analyse of a 72 MB image: {o:.3f} s; cat IMAGE > /dev/null: {c:.3f} s; "
          f"ratio {o / c:.1f} (target: 5).")
    return 0


if __name__ == "__main__":
    sys.exit(main())
