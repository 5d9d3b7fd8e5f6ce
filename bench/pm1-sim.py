#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
"""How visible +-1 changes at a given rate are, simulated on photographs.

Each pixel byte is changed independently with probability r: up at 0, down
at 255, otherwise up or down at random. That is what a writer does that
changes a share r of all pixel bytes by one, as the sealed container's
Hamming code with k bits a block does at r = 2^-k, whatever it holds.

For each rate the script gives the ROC area, clean photos against changed
ones, of the statistics "veldra-cli analyse" computes: the calibrated
HCF-COM ratio (lower for changed images) and the whole-image rate of sample
pair analysis (higher). 0.5 is no better than a coin; 1.0 separates
perfectly. With --variants it also gives the ROC areas of the other forms
of the calibrated HCF-COM that were weighed, to show why the chosen one.

    bench/pm1-sim.py [--cli build/src/veldra-cli] [--dir /tmp/veldra-photos]
                     [--seed 1] [--draws 3] [--variants]

Needs Debian's python3-numpy and the photo packages of photos.py.
"""
import argparse
import os
import sys

import numpy as np

import photos

# Hamming codes of k bits a block, and plain +-1 writing with half or all of
# the pixel bytes carrying bits (each changed with probability one half).
RATES = [("k = 6", 1 / 64), ("k = 5", 1 / 32), ("k = 4", 1 / 16), ("k = 3", 1 / 8),
         ("k = 2", 1 / 4), ("+-1, 50 % carrying", 1 / 4), ("+-1, 100 % carrying", 1 / 2)]
GROUPS = ["skimage", "crop", "shrunk"]


def change(pixels, rate, rng):
    """Each byte changed by one with probability rate, away from the ends."""
    moved = rng.random(pixels.shape) < rate
    sign = np.where(rng.random(pixels.shape) < 0.5, 1, -1)
    sign = np.where(pixels == 0, 1, np.where(pixels == 255, -1, sign))
    return (pixels.astype(np.int16) + moved * sign).astype(np.uint8)


def spa_rate(pixels):
    """Sample pair analysis over horizontal neighbours of one colour."""
    u = pixels[:, :-1, :].astype(np.int16).ravel()
    v = pixels[:, 1:, :].astype(np.int16).ravel()
    d = np.abs(u - v)
    m = np.abs(u // 2 - v // 2)
    odd = d % 2 == 1
    z = np.count_nonzero(d == 0)
    x = np.count_nonzero(odd & (m == (d + 1) // 2))
    w = np.count_nonzero((d == 1) & (m == 0))
    vv = np.count_nonzero(odd & (d >= 3) & (m == (d - 1) // 2))
    a = z + w
    if a <= 0:
        return 0.0
    b = x - vv
    s = (b + np.sqrt(max(0.0, float(b) * b + float(z) * z - float(w) * w))) / a
    return float(np.clip(1 - s, 0, 1))


def downsampled(pixels, nearest=True):
    """The calibration image: 2 x 2 blocks averaged, rounded to the nearest
    (halves up) or down. Rounded to the nearest, a block of four equal bytes
    keeps its value when one of them moves by one; rounded down, it follows
    any move down, and the calibration image takes up much of the noise it
    is meant to be free of."""
    h, w = pixels.shape[0] // 2 * 2, pixels.shape[1] // 2 * 2
    p = pixels[:h, :w].astype(np.uint16)
    total = p[0::2, 0::2] + p[1::2, 0::2] + p[0::2, 1::2] + p[1::2, 1::2]
    return ((total + (2 if nearest else 0)) // 4).astype(np.uint8)


def com1(hist):
    """Centre of mass of the histogram's characteristic function, over
    frequencies 0 to 128."""
    mag = np.abs(np.fft.fft(hist))[:129]
    return float((np.arange(129) * mag).sum() / mag.sum())


def com2(hist):
    """The same for an adjacency histogram (256 x 256): frequency i + j."""
    mag = np.abs(np.fft.fft2(hist))[:129, :129]
    k = np.arange(129)
    return float(((k[:, None] + k[None, :]) * mag).sum() / mag.sum())


def adjacency(channel, vertical):
    h = np.bincount((channel[:, :-1].astype(np.int32) * 256 + channel[:, 1:]).ravel(),
                    minlength=65536)
    if vertical:
        h = h + np.bincount((channel[:-1, :].astype(np.int32) * 256 + channel[1:, :]).ravel(),
                            minlength=65536)
    return h.reshape(256, 256).astype(float)


def pooled(pixels, vertical=False):
    """The adjacency histogram of the three colours together."""
    return sum(adjacency(pixels[:, :, c], vertical) for c in range(3))


def hcf_ratio(pixels):
    """The form analyse computes: horizontal neighbours of one colour, the
    three colours in one adjacency histogram, the calibration image's
    averages rounded to the nearest. The image's COM over its calibration
    image's."""
    return com2(pooled(pixels)) / com2(pooled(downsampled(pixels)))


def hcf_variants(pixels):
    """The forms of the calibrated HCF-COM that were weighed."""
    f = {}
    for rounding, nearest in (("nearest", True), ("down", False)):
        small = downsampled(pixels, nearest)
        f[f"adjacency h, pooled, {rounding}"] = com2(pooled(pixels)) / com2(pooled(small))
        f[f"adjacency h+v, pooled, {rounding}"] = com2(pooled(pixels, True)) / com2(
            pooled(small, True))
        f[f"adjacency h, mean of channel ratios, {rounding}"] = float(np.mean(
            [com2(adjacency(pixels[:, :, c], False)) / com2(adjacency(small[:, :, c], False))
             for c in range(3)]))
        f[f"histogram, pooled, {rounding}"] = com1(np.bincount(pixels.ravel(), minlength=256)) \
            / com1(np.bincount(small.ravel(), minlength=256))
    return f


def scores(pixels, variants):
    f = hcf_variants(pixels) if variants else {"calibrated HCF-COM ratio": hcf_ratio(pixels)}
    # Lower HCF ratios mean changes: negated, every score grows with them.
    s = {name: -value for name, value in f.items()}
    s["sample pair rate"] = spa_rate(pixels)
    return s


def table(stat, clean, marked):
    """ROC areas per change and group, and the mean move of the score in
    units of its spread over the clean photos."""
    print(f"**{stat}**\n")
    print("| change | rate | all | " + " | ".join(GROUPS) + " | mean move / clean spread |")
    print("|---|---|---|" + "---|" * len(GROUPS) + "---|")
    spread = np.std([s[stat] for _, s in clean])
    for label, rate in RATES:
        cells = []
        for group in [None] + GROUPS:
            c = [s[stat] for g, s in clean if group in (None, g)]
            m = [s[stat] for g, s in marked[label] if group in (None, g)]
            cells.append(f"{photos.roc_area(c, m):.3f}")
        move = np.mean([s[stat] for _, s in marked[label]]) - np.mean([s[stat] for _, s in clean])
        print(f"| {label} | {100 * rate:g} % | " + " | ".join(cells) + f" | {move / spread:+.2f} |")
    print()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/veldra-cli")
    parser.add_argument("--dir", default="/tmp/veldra-photos")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--draws", type=int, default=3, help="changed copies of each photo")
    parser.add_argument("--variants", action="store_true")
    args = parser.parse_args()
    rng = np.random.default_rng(args.seed)
    images = photos.build(os.path.abspath(args.cli), args.dir)
    clean, marked = [], {label: [] for label, _ in RATES}
    for group, name, path in images:
        pixels, _ = photos.read_bmp(path)
        clean.append((group, scores(pixels, args.variants)))
        for label, rate in RATES:
            for _ in range(args.draws):
                marked[label].append((group, scores(change(pixels, rate, rng), args.variants)))
        print(f"{group} {name} {pixels.shape[1]}x{pixels.shape[0]}", file=sys.stderr, flush=True)

    n = len(images)
    counts = ", ".join(f"{g}: {sum(i[0] == g for i in images)}" for g in GROUPS)
    print(f"{n} photos ({counts}), {args.draws} changed copies of each per rate, seed "
          f"{args.seed}. ROC areas, clean against changed (0.5: no better than chance; with "
          f"{n} photos a ROC area of 0.5 has a standard error of about "
          f"{np.sqrt((2 * n + 1) / (12 * n * n)):.2f}). Scores grow with the changes: the "
          f"HCF-COM ratios are negated.\n")
    for stat in clean[0][1]:
        table(stat, clean, marked)
    return 0


if __name__ == "__main__":
    sys.exit(main())
