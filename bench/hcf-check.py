#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
"""The calibrated HCF-COM ratio of "veldra-cli analyse" against the Python
form of bench/pm1-sim.py, on the photographs of photos.py as they are and
with a share of their pixel bytes changed by one (written to a scratch BMP
under the photo's own header).

    bench/hcf-check.py [--cli build/src/veldra-cli] [--dir /tmp/veldra-photos]
                       [--rate 0.03125] [--seed 1]

Prints one line per image and the largest relative difference.
"""
import argparse
import json
import os
import runpy
import subprocess
import sys

import numpy as np

import photos

HERE = os.path.dirname(os.path.abspath(__file__))
# The prototype's functions, by name.
PROTOTYPE = runpy.run_path(os.path.join(HERE, "pm1-sim.py"))


def analysed(cli, path):
    run = subprocess.run([cli, "analyse", path, "--json"], check=True, capture_output=True)
    return json.loads(run.stdout)["hcf_com_ratio"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/veldra-cli")
    parser.add_argument("--dir", default="/tmp/veldra-photos")
    parser.add_argument("--rate", type=float, default=1 / 32)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    rng = np.random.default_rng(args.seed)
    scratch = os.path.join(args.dir, "hcf-check.bmp")
    worst = 0.0
    print("| image | analyse | prototype | relative difference |\n|---|---|---|---|")
    for group, name, path in photos.build(cli, args.dir):
        pixels, header = photos.read_bmp(path)
        photos.with_pixels(scratch, header, PROTOTYPE["change"](pixels, args.rate, rng))
        for label, image, values in ((name, path, pixels), (f"{name}, changed", scratch, None)):
            if values is None:
                values, _ = photos.read_bmp(image)
            ours, theirs = analysed(cli, image), PROTOTYPE["hcf_ratio"](values)
            difference = abs(ours - theirs) / theirs
            worst = max(worst, difference)
            print(f"| {group} {label} | {ours:.12f} | {theirs:.12f} | {difference:.1e} |")
    os.remove(scratch)
    print(f"\nLargest relative difference: {worst:.1e}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
