#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
"""How visible plain and sealed containers are to "veldra-cli analyse", on
the photographs of photos.py (none of them used by the tests).

For each photo: the clean BMP; plain images filled through "veldra-cli add"
with random bytes at 5, 25, 50 and 100 % of the room "info --json" gives;
sealed images made by "veldra-cli seal" with random bytes at 5, 25, 50 and
100 % of the room "info --sealed --json" gives (skipped, with a note, when
the veldra-cli at hand has no seal command). Every image is analysed with
"analyse --json".

The table gives, per kind and fill, the ROC area against the clean photos
of each statistic of analyse: the whole-image sample pair rate (higher for
hidden data), the hidden run's margin (higher) and the calibrated HCF-COM
ratio (lower, so negated); 0.5 is no better than a coin, 1.0 separates
perfectly. Then how many images the verdict takes for holding data, and the
bytes of the pixel area (row fill bytes too) that differ from the clean BMP
per hidden byte (the file's bytes, not counting the container's own), as
the median and the range over the photos.

    bench/sealed-eval.py [--cli build/src/veldra-cli] [--dir /tmp/veldra-photos]
                         [--work /tmp/veldra-sealed-eval] [--seed 1]

Needs Debian's python3-numpy and the photo packages of photos.py.
"""
import argparse
import json
import os
import shutil
import subprocess
import sys

import numpy as np

import photos

FILLS = [5, 25, 50, 100]
STATISTICS = [("whole_image_rate", 1, "sample pair rate"), ("margin", 1, "run margin"),
              ("hcf_com_ratio", -1, "HCF-COM ratio")]
PASSWORD = b"correct horse battery staple\n"


class Cli:
    def __init__(self, path, work):
        self.path = path
        self.password = os.path.join(work, "password.txt")
        with open(self.password, "wb") as f:
            f.write(PASSWORD)

    def run(self, *args, failing=False):
        """The command's output; failing: it may end in failure."""
        done = subprocess.run([self.path, *args], capture_output=True, stdin=subprocess.DEVNULL)
        if done.returncode != 0 and not failing:
            raise RuntimeError(f"veldra-cli {' '.join(args)}: {done.stderr.decode().strip()}")
        return done.stdout

    def has_seal(self):
        return any(line.split()[:1] == ["seal"] for line in self.run("--help").decode().split("\n"))

    def room(self, image, sealed):
        """The room for one file: of any name in a plain container, of a
        one-character name in a sealed one. "info --sealed" of an image
        without a sealed container fails, but gives the room a new one has."""
        extra = ["--sealed", "--password-file", self.password] if sealed else []
        return json.loads(self.run("info", image, "--json", *extra, failing=sealed))["room"]

    def hide(self, image, payload, sealed):
        if sealed:
            self.run("seal", image, payload, "--password-file", self.password)
        else:
            self.run("add", image, payload)

    def analyse(self, image):
        return json.loads(self.run("analyse", image, "--json"))


def pixel_area(path):
    with open(path, "rb") as f:
        data = f.read()
    offset = int.from_bytes(data[10:14], "little")
    return np.frombuffer(data, np.uint8, offset=offset)


def changed_bytes(clean, marked):
    a, b = pixel_area(clean), pixel_area(marked)
    if a.size != b.size:
        raise RuntimeError(f"{marked}: pixel area of another size than {clean}'s")
    return int(np.count_nonzero(a != b))


def measure(cli, clean, kind, fill, work, rng):
    """Hides fill % of the room in a copy of clean; gives the analysis and
    the changed bytes per hidden byte."""
    sealed = kind == "sealed"
    room = cli.room(clean, sealed)
    size = max(1, round(room * fill / 100))
    image = os.path.join(work, "marked.bmp")
    payload = os.path.join(work, "p")  # the name the sealed room is given for
    shutil.copyfile(clean, image)
    with open(payload, "wb") as f:
        f.write(rng.bytes(size))
    cli.hide(image, payload, sealed)
    return cli.analyse(image), changed_bytes(clean, image) / size


def score(analysis, key, sign):
    value = analysis[key]
    # No ratio (a picture too small for it) counts as no evidence at all.
    return sign * value if value is not None else (-np.inf if sign > 0 else np.inf)


def roc(clean, marked, key, sign):
    return photos.roc_area([score(a, key, sign) for a in clean],
                           [score(a, key, sign) for a in marked])


def table(clean, results, kinds):
    n = len(clean)
    print("| kind | fill | " + " | ".join(f"ROC {label}" for _, _, label in STATISTICS)
          + " | verdict: data likely | changed bytes per hidden byte, median (range) |")
    print("|---|---|" + "---|" * len(STATISTICS) + "---|---|")
    found = sum(a["detected"] for a in clean)
    print("| clean | 0 % | " + " | ".join("-" for _ in STATISTICS) + f" | {found}/{n} | - |")
    for kind in kinds:
        for fill in FILLS:
            rows = results[(kind, fill)]
            cells = [f"{roc(clean, [a for a, _ in rows], key, sign):.3f}"
                     for key, sign, _ in STATISTICS]
            per = [p for _, p in rows]
            found = sum(a["detected"] for a, _ in rows)
            print(f"| {kind} | {fill} % | " + " | ".join(cells) + f" | {found}/{len(rows)} | "
                  f"{np.median(per):.3f} ({min(per):.3f} - {max(per):.3f}) |")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/veldra-cli")
    parser.add_argument("--dir", default="/tmp/veldra-photos")
    parser.add_argument("--work", default="/tmp/veldra-sealed-eval")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    cli = Cli(os.path.abspath(args.cli), args.work)
    rng = np.random.default_rng(args.seed)
    kinds = ["plain"]
    note = "sealed rows skipped: this veldra-cli has no seal command."
    if cli.has_seal():
        kinds.append("sealed")
        note = ""
    images = photos.build(cli.path, args.dir)
    clean, results = [], {(kind, fill): [] for kind in kinds for fill in FILLS}
    for group, name, path in images:
        clean.append(cli.analyse(path))
        for kind in kinds:
            for fill in FILLS:
                results[(kind, fill)].append(measure(cli, path, kind, fill, args.work, rng))
        print(f"{group} {name}", file=sys.stderr, flush=True)

    n = len(images)
    print(f"{n} photos, one image per photo, kind and fill; payloads of random bytes, seed "
          f"{args.seed}. With {n} photos on each side a ROC area of 0.5 has a standard error "
          f"of about {np.sqrt((2 * n + 1) / (12 * n * n)):.2f}.\n")
    table(clean, results, kinds)
    if note:
        print(f"\n{note}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
