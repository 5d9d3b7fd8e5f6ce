#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
"""How well "veldra-cli analyse" finds a run of hidden data from the first
pixel byte, and where it says the run ends, on the photo sets of photos.py
(build_sets: "eval" by default, "tune" with --set tune; none of them used by
the tests).

The payloads are written straight into the lowest bits with numpy, not
through "veldra-cli add", so that no container header gives them away and
only the statistics can find them: hidden byte k takes bit 0 of pixel bytes
8k to 8k+7 of the pixel area (3 x width x height bytes from the first
pixel byte, in file order, row fill bytes included, as the stored format
lays it out), its least
significant bit first. Three kinds of payload:
  random          seeded random bytes, as a compressed or encrypted file;
  text            English prose, the plain-text licences and copyright files
                  on this system with every byte above 127 dropped, cycled;
  protected text  the same text XORed byte by byte with a repeated password,
                  as a protected container scrambles it (the top bit stays 0).
Each fills a share of the hidden capacity (pixel bytes // 8): 1 to 5 % and
multiples of 0.5 % ("on grid": the run ends on a border of the analysis's
200 windows) and shares between them ("off grid"). Every photo is analysed
clean and with every kind and fill.

It prints (a) the clean photos taken for holding data, those of dense
detail apart; (b) the detection rate per kind and fill; (c) the error of the
run's end, |end - true end| in % of the pixel area, for fills of 5 % and
more: median and 90th percentile per kind, on and off grid (from
statistical_run_end where the JSON has it, else run_end); (d) certain signs:
images filled through "veldra-cli add", with and without a password, must be
reported with a container, and a row fill byte that is not zero must be
detected; (e) small pictures, and files cut short or claiming a huge height;
(f) the time of analyse on a 72 MB bitmap, clean and holding a run,
against cat; (g) a table for the
README; then PASS or FAIL for each target: no clean photo taken for holding
data; fills of 3 % detected on 90 % of the photos or more, for each kind;
the run's end within a median of 0.05 % and a 90th percentile of 0.15 % of
the area for fills of 5 % and more, on grid and off, for each kind; every
certain sign reported; pictures too narrow for pixel pairs (1 x 200,
2 x 200, 3 x 3) not judged; analyse of 72 MB within 5 times cat. Fields
that an older veldra-cli does not write count as not reported. Each
analysis is kept in WORK/results.json; the images are deleted.

    bench/analyse-eval.py [--cli build/src/veldra-cli] [--work /tmp/veldra-analyse-eval]
                          [--set eval|tune] [--photos /tmp/veldra-photos19]
                          [--seed 1] [--jobs N]

Needs Debian's python3-numpy, python3-pil and the photo packages of photos.py.
"""
import argparse
import concurrent.futures
import functools
import glob
import json
import os
import shutil
import statistics
import struct
import subprocess
import sys
import time

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import photos  # noqa: E402

KINDS = ["random", "text", "protected text"]
FILLS = [1, 2, 3, 4, 5, 7.3, 10, 12.37, 25, 26.1, 50, 50.23, 77.77, 100]
PASSWORD = b"correct horse"
SMALL = [(1, 200), (2, 200), (3, 3), (64, 48), (160, 120)]
# Too few horizontal pixel pairs for any statistics: these must not be judged.
NARROW = [(1, 200), (2, 200), (3, 3)]
TEXT_SOURCES = ["/usr/share/common-licenses/*", "/usr/share/doc/*/copyright"]


def on_grid(fill):
    return float(fill * 2).is_integer()


@functools.cache
def corpus():
    """English-like ASCII text: the system's licences and copyright files,
    every byte above 127 dropped."""
    parts = []
    for pattern in TEXT_SOURCES:
        for path in sorted(glob.glob(pattern)):
            if os.path.isfile(path):
                with open(path, "rb") as f:
                    parts.append(f.read())
    data = np.frombuffer(b"\n".join(parts), np.uint8)
    data = data[data < 128]
    if data.size < 100_000:
        raise RuntimeError("too little plain text found under /usr/share")
    return data


def payload(kind, size, rng):
    if kind == "random":
        return np.frombuffer(rng.bytes(size), np.uint8)
    text = corpus()
    start = int(rng.integers(text.size))
    out = np.resize(np.roll(text, -start), size)
    if kind == "protected text":
        out = out ^ np.resize(np.frombuffer(PASSWORD, np.uint8), size)
    return out


def embed(flat, data):
    """Bit j of hidden byte k into bit 0 of pixel byte 8k + j."""
    bits = np.unpackbits(data, bitorder="little")
    flat[:bits.size] = (flat[:bits.size] & 0xFE) | bits


def hide(image, data):
    """data into the pixel area of the BMP file image, as the stored format
    lays it out: 3 x width x height bytes from the first pixel byte, the row
    fill bytes among them. Gives the area's size."""
    with open(image, "rb") as f:
        raw = f.read()
    offset = struct.unpack("<I", raw[10:14])[0]
    width, height = struct.unpack("<ii", raw[18:26])
    size = min(3 * width * abs(height), len(raw) - offset)
    area = np.frombuffer(raw, np.uint8, size, offset).copy()
    embed(area, data)
    with open(image, "wb") as f:
        f.write(raw[:offset] + area.tobytes() + raw[offset + size:])
    return size


def analyse(cli, image):
    done = subprocess.run([cli, "analyse", image, "--json"], capture_output=True,
                          stdin=subprocess.DEVNULL)
    if done.returncode != 0:
        return {"failed": done.returncode, "stderr": done.stderr.decode(errors="replace").strip()}
    return json.loads(done.stdout)


def statistical_end(a):
    end = a.get("statistical_run_end")
    return a.get("run_end", 0) if end is None else end


def measure(task):
    """One photo, kind and fill: hides the payload, analyses, deletes."""
    cli, work, index, name, path, kind, fill, seed = task
    image = os.path.join(work, f"{name}-{kind.replace(' ', '_')}-{fill}.bmp")
    shutil.copyfile(path, image)
    pixels, _ = photos.read_bmp(path)
    area = 3 * pixels.shape[0] * pixels.shape[1]
    size = 0
    if kind != "clean":
        rng = np.random.default_rng([seed, index, KINDS.index(kind), round(fill * 100)])
        size = round(area // 8 * fill / 100)
        hide(image, payload(kind, size, rng))
    a = analyse(cli, image)
    os.remove(image)
    return {"name": name, "kind": kind, "fill": fill, "area": area, "true_end": 8 * size,
            "analysis": a}


def cli_add(task):
    """An image filled through veldra-cli add, protected or not; analysed."""
    cli, work, index, name, path, protected, seed = task
    image = os.path.join(work, f"{name}-add-{'protected' if protected else 'plain'}.bmp")
    shutil.copyfile(path, image)
    info = json.loads(subprocess.run([cli, "info", image, "--json"], check=True,
                                     capture_output=True).stdout)
    rng = np.random.default_rng([seed, index, 7, protected])
    file = image + ".bin"
    with open(file, "wb") as f:
        f.write(rng.bytes(max(1, info["room"] // 50)))
    command = [cli, "add", image, file, "--no-prompt"]
    if protected:
        secret = os.path.join(work, "password.txt")
        command += ["--protect", "--new-password-file", secret]
    subprocess.run(command, check=True, capture_output=True, stdin=subprocess.DEVNULL)
    a = analyse(cli, image)
    os.remove(image)
    os.remove(file)
    return {"name": name, "protected": protected, "analysis": a}


def seen(a):
    """Whether the statistics found a run: a payload that reaches into row
    fill bytes is also certain from them, which says nothing of the
    statistics (an older veldra-cli has only "detected")."""
    if "statistical_run_end" in a:
        return a["statistical_run_end"] > 0
    return bool(a.get("detected"))


def rate(rows):
    return sum(seen(r["analysis"]) for r in rows), len(rows)


def end_errors(rows):
    return [abs(statistical_end(r["analysis"]) - r["true_end"]) / r["area"] * 100 for r in rows]


def verdict(ok):
    return "PASS" if ok else "FAIL"


def small_pictures(cli, work, source, rng):
    """Crops of source, clean and with every lowest bit random."""
    pixels, _ = photos.read_bmp(source)
    out = []
    for width, height in SMALL:
        top, left = (pixels.shape[0] - height) // 2, (pixels.shape[1] - width) // 2
        crop = pixels[top:top + height, left:left + width].copy()
        for filled in (False, True):
            image = os.path.join(work, f"small-{width}x{height}.bmp")
            photos.write_bmp(image, crop)
            if filled:
                hide(image, np.frombuffer(rng.bytes(crop.size // 8), np.uint8))
            a = analyse(cli, image)
            os.remove(image)
            out.append((width, height, filled, a))
    return out


def cut_short(cli, work, source, rng):
    """A 1024 x 768 picture cut to half its file, clean and full of random
    bits, and headers that claim a huge height."""
    pixels, _ = photos.read_bmp(source)
    if pixels.shape[0] < 768 or pixels.shape[1] < 1024:
        pixels = np.resize(pixels, (768, 1024, 3))
    clean = pixels[:768, :1024].copy()
    out = []
    for filled in (False, True):
        image = os.path.join(work, "cut.bmp")
        photos.write_bmp(image, clean)
        if filled:
            hide(image, np.frombuffer(rng.bytes(clean.size // 8), np.uint8))
        with open(image, "r+b") as f:
            f.truncate(os.path.getsize(image) // 2)
        out.append(("1024x768 cut to half" + (", random bits" if filled else ", clean"),
                    analyse(cli, image)))
        os.remove(image)
    for height in (100_000, 2**31 - 1):
        image = os.path.join(work, "tall.bmp")
        photos.write_bmp(image, clean[:48, :64])
        with open(image, "r+b") as f:
            f.seek(22)
            f.write(struct.pack("<i", height))
        out.append((f"64x48 pixels under a header claiming 64x{height}", analyse(cli, image)))
        os.remove(image)
    return out


def fill_byte(cli, work, sets):
    """A photo with row fill bytes (its width * 3 not a multiple of 4; a crop
    one column narrower when the set has none) with one fill byte set to 1."""
    for _, name, path, *_ in sets:
        pixels, _ = photos.read_bmp(path)
        if pixels.shape[1] * 3 % 4:
            break
    else:
        pixels = pixels[:, :-1]
        name += " less one column"
    image = os.path.join(work, "fill.bmp")
    photos.write_bmp(image, np.ascontiguousarray(pixels))
    height, width, _ = pixels.shape
    stride = (width * 3 + 3) // 4 * 4
    with open(image, "r+b") as f:
        f.seek(54 + height // 2 * stride + width * 3)
        f.write(b"\x01")
    a = analyse(cli, image)
    os.remove(image)
    return name, a


def timing(cli, work, source, runs=9):
    """Median times of analyse and of cat on a 72 MB bitmap (a photo
    upscaled to 5000 x 4800), clean and with a run of random bits over
    12.37 % of its capacity (whose end analyse then refines); runs taken in
    turns, so that the machine's load falls on all alike."""
    from PIL import Image
    clean = os.path.join(work, "large.bmp")
    filled = os.path.join(work, "large-run.bmp")
    pixels, _ = photos.read_bmp(source)
    big = np.asarray(Image.fromarray(pixels).resize((5000, 4800), Image.BICUBIC))
    photos.write_bmp(clean, big)
    with open(clean, "rb") as f:
        data = f.read()
    flat = np.frombuffer(data, np.uint8, offset=54).copy()  # 15000-byte rows: no fill
    embed(flat, np.random.default_rng(7).integers(0, 256, int(flat.size // 8 * 0.1237),
                                                  dtype=np.uint8))
    with open(filled, "wb") as f:
        f.write(data[:54] + flat.tobytes())

    def timed(command, **kw):
        start = time.perf_counter()
        subprocess.run(command, check=True, **kw)
        return time.perf_counter() - start

    with open(os.devnull, "wb") as null:
        timed(["cat", clean], stdout=null)
        times = {"clean": [], "run": [], "cat": []}
        for _ in range(runs):
            times["clean"].append(timed([cli, "analyse", clean], stdout=null))
            times["run"].append(timed([cli, "analyse", filled], stdout=null))
            times["cat"].append(timed(["cat", clean], stdout=null))
    size = os.path.getsize(clean)
    os.remove(clean)
    os.remove(filled)
    return size, {k: statistics.median(v) for k, v in times.items()}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/src/veldra-cli")
    parser.add_argument("--work", default="/tmp/veldra-analyse-eval")
    parser.add_argument("--set", choices=["eval", "tune"], default="eval")
    parser.add_argument("--photos", default="/tmp/veldra-photos19")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=os.cpu_count())
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    os.makedirs(args.work, exist_ok=True)
    with open(os.path.join(args.work, "password.txt"), "wb") as f:
        f.write(PASSWORD + b"\n")
    sets = [s for s in photos.build_sets(args.photos) if s[0] == args.set]
    dense = {name for _, name, _, d, *_ in sets if d}
    n = len(sets)

    tasks = []
    for index, (_, name, path, *_) in enumerate(sets):
        tasks.append((cli, args.work, index, name, path, "clean", 0, args.seed))
        for kind in KINDS:
            for fill in FILLS:
                tasks.append((cli, args.work, index, name, path, kind, fill, args.seed))
    adds = [(cli, args.work, index, name, path, protected, args.seed)
            for index, (_, name, path, *_) in enumerate(sets) for protected in (False, True)]
    start = time.perf_counter()
    with concurrent.futures.ProcessPoolExecutor(args.jobs) as pool:
        results = []
        for i, r in enumerate(pool.map(measure, tasks, chunksize=4)):
            results.append(r)
            if (i + 1) % 100 == 0:
                print(f"{i + 1}/{len(tasks)} analysed", file=sys.stderr, flush=True)
        added = list(pool.map(cli_add, adds))
    with open(os.path.join(args.work, "results.json"), "w") as f:
        json.dump({"statistics": results, "added": added}, f, indent=1)
    failed = [r for r in results + added if "failed" in r["analysis"]]
    elapsed = time.perf_counter() - start

    rng = np.random.default_rng([args.seed, 99])
    small = small_pictures(cli, args.work, sets[0][2], rng)
    short = cut_short(cli, args.work, sets[0][2], rng)
    fill_name, fill_analysis = fill_byte(cli, args.work, sets)
    size, times = timing(cli, args.work, sets[0][2])
    cat = times["cat"]
    ours = max(times["clean"], times["run"])

    def rows(kind, fill=None, grid=None):
        return [r for r in results if r["kind"] == kind and (fill is None or r["fill"] == fill)
                and (grid is None or (r["fill"] >= 5 and on_grid(r["fill"]) == grid))]

    new_fields = [k for k in ("judged", "certain", "container", "statistical_run_end",
                              "run_end_error") if k in results[0]["analysis"]]
    print(f"{n} photos of the {args.set} set ({len(dense)} of dense detail), {len(results)} "
          f"analyses of payloads written straight into the lowest bits plus {len(added)} "
          f"through veldra-cli add, in {elapsed:.0f} s with {args.jobs} jobs; seed {args.seed}. "
          f"Fields of the newer JSON present: {', '.join(new_fields) or 'none'}.")
    if failed:
        print(f"analyse failed on {len(failed)} images: "
              + "; ".join(f"{r['name']} {r.get('kind', 'add')} {r.get('fill', '')}: "
                          f"{r['analysis']['stderr']}" for r in failed[:5]))

    clean = rows("clean")
    alarms = [r["name"] for r in clean if r["analysis"].get("detected")]
    dense_alarms = [a for a in alarms if a in dense]
    print("\n(a) False alarms")
    print(f"Clean photos taken for holding data: {len(alarms)}/{n}: {', '.join(alarms) or 'none'}")
    print(f"  of dense detail: {len(dense_alarms)}/{len(dense)}: {', '.join(dense_alarms) or 'none'}")
    print("  margins of the clean photos, largest first: " + ", ".join(
        f"{r['name']} {r['analysis'].get('margin', 0):.2f}"
        for r in sorted(clean, key=lambda r: -r["analysis"].get("margin", 0))[:8]))

    print("\n(b) Detection rate (detected / photos)")
    print("| fill | " + " | ".join(KINDS) + " |")
    print("|---|" + "---|" * len(KINDS))
    for fill in FILLS:
        cells = [f"{d}/{t}" for d, t in (rate(rows(kind, fill)) for kind in KINDS)]
        print(f"| {fill} % | " + " | ".join(cells) + " |")

    print("\n(c) Error of the run's end, % of the pixel area, fills of 5 % and more"
          " (median / 90th percentile)")
    errors = {}
    for kind in KINDS:
        for grid in (True, False):
            e = end_errors(rows(kind, grid=grid))
            errors[(kind, grid)] = (float(np.median(e)), float(np.percentile(e, 90)), len(e))
    print("| kind | on grid | off grid |")
    print("|---|---|---|")
    for kind in KINDS:
        cells = [f"{errors[(kind, g)][0]:.3f} / {errors[(kind, g)][1]:.3f} "
                 f"({errors[(kind, g)][2]} images)" for g in (True, False)]
        print(f"| {kind} | " + " | ".join(cells) + " |")
    worst = sorted((e, r["name"], r["kind"], r["fill"]) for r in results if r["fill"] >= 5
                   for e in end_errors([r]))[-5:]
    margins = [(e, r["analysis"]["run_end_error"] / r["area"] * 100)
               for r in results if r["fill"] >= 5 and seen(r["analysis"])
               and r["analysis"].get("run_end_error") is not None for e in end_errors([r])]
    if margins:
        print(f"The stated run_end_error covers the true end on "
              f"{sum(e <= m for e, m in margins)}/{len(margins)} detected images; stated, "
              f"median {np.median([m for _, m in margins]):.3f} % of the area")
    print("Largest errors: " + "; ".join(f"{name} {kind} {fill} %: {e:.3f}"
                                         for e, name, kind, fill in reversed(worst)))

    print("\n(d) Certain signs")
    contained = [r for r in added if r["analysis"].get("container")]
    for protected in (False, True):
        group = [r for r in added if r["protected"] == protected]
        found = [r for r in group if r["analysis"].get("container")]
        detected = [r for r in group if r["analysis"].get("detected")]
        print(f"veldra-cli add{' --protect' if protected else ''} (2 % of the room): container "
              f"reported {len(found)}/{len(group)}, detected {len(detected)}/{len(group)}"
              + ("" if "container" in group[0]["analysis"] else
                 " (this veldra-cli writes no \"container\" field)"))
    if contained:
        print(f"  one file in the container: "
              f"{sum(r['analysis']['container'].get('files') == 1 for r in contained)}"
              f"/{len(contained)}; certain: {sum(bool(r['analysis'].get('certain')) for r in contained)}"
              f"/{len(contained)}")
    wrong_password = [r["name"] for r in contained
                      if bool(r["analysis"]["container"].get("password")) != r["protected"]]
    if contained:
        print(f"  password flag wrong on: {', '.join(wrong_password) or 'none'}")
    print(f"One row fill byte set to 1 in {fill_name}: detected "
          f"{fill_analysis.get('detected')}, nonzero_fill_bytes "
          f"{fill_analysis.get('nonzero_fill_bytes')}, certain {fill_analysis.get('certain', '-')}")

    print("\n(e) Small pictures (crops of " + sets[0][1] + ")")
    print("| size | lowest bits | detected | judged | run_end | pixel_bytes |")
    print("|---|---|---|---|---|---|")
    for width, height, filled, a in small:
        print(f"| {width}x{height} | {'random' if filled else 'clean'} | {a.get('detected')} | "
              f"{a.get('judged', '-')} | {a.get('run_end')} | {a.get('pixel_bytes')} |")
    for label, a in short:
        if "failed" in a:
            print(f"{label}: analyse failed ({a['failed']}): {a['stderr']}")
        else:
            print(f"{label}: pixel_bytes {a['pixel_bytes']}, missing_bytes "
                  f"{a['missing_bytes']}, detected {a['detected']}, run_end {a['run_end']}; "
                  f"{a['verdict']}")

    print("\n(f) Speed")
    print(f"analyse of a {size / 1e6:.0f} MB image: {times['clean']:.3f} s clean, "
          f"{times['run']:.3f} s with a run over 12.37 %; cat IMAGE > /dev/null: {cat:.3f} s; "
          f"ratios {times['clean'] / cat:.1f} and {times['run'] / cat:.1f} (medians of 9 runs "
          f"taken in turns)")

    print("\n(g) For the README")
    print(f"{n} photos (`bench/photos.py`, set {args.set}: {len(dense)} crops of dense, "
          f"JPEG-compressed detail such as foliage, grass, bark and gravel, the others "
          f"ordinary photos), payloads written straight into the lowest bits from the first "
          f"pixel byte; detected / photos:\n")
    print("| fill of the capacity | " + " | ".join(KINDS) + " |")
    print("|---|" + "---|" * len(KINDS))
    for fill in FILLS:
        print(f"| {fill} % | " + " | ".join(f"{d}/{t}" for d, t in
                                            (rate(rows(kind, fill)) for kind in KINDS)) + " |")
    print(f"\nClean photos taken for holding data: {len(alarms)}/{n} ({len(dense_alarms)}/"
          f"{len(dense)} of those of dense detail).")
    print("\nError of the run's end for fills of 5 % and more, in % of the pixel area, median "
          "/ 90th percentile (on grid: the run ends on a border of the 0.5 % windows):\n")
    print("| kind | on grid | off grid |")
    print("|---|---|---|")
    for kind in KINDS:
        print(f"| {kind} | " + " | ".join(f"{errors[(kind, g)][0]:.3f} / {errors[(kind, g)][1]:.3f}"
                                          for g in (True, False)) + " |")
    print("\nNot covered: screenshots, drawings and renders, flat colour and gradients, noise, "
          "pictures with few colours or resized by nearest neighbour, and grey pictures: none "
          "was measured, and there the statistics may mean little. A payload written anywhere "
          "but from the first pixel byte, or scattered, is not measured either.")

    print("\nTargets")
    targets = [("no clean photo taken for holding data", not alarms)]
    for kind in KINDS:
        d, t = rate(rows(kind, 3))
        targets.append((f"fills of 3 % of {kind} detected on >= 90 % of photos ({d}/{t})",
                        d >= 0.9 * t))
    for kind in KINDS:
        for grid in (True, False):
            med, p90, _ = errors[(kind, grid)]
            targets.append((f"run end of {kind}, {'on' if grid else 'off'} grid: median "
                            f"{med:.3f} <= 0.05 %, p90 {p90:.3f} <= 0.15 %",
                            med <= 0.05 and p90 <= 0.15))
    targets.append((f"certain signs reported: container in {len(contained)}/{len(added)} "
                    f"added images, fill byte detected {bool(fill_analysis.get('detected'))}",
                    len(contained) == len(added) and bool(fill_analysis.get("detected"))))
    narrow = [a for w, h, _, a in small if (w, h) in NARROW]
    targets.append(("narrow pictures (1x200, 2x200, 3x3) not judged: "
                    + ", ".join(str(a.get("judged", "no field")) for a in narrow),
                    all(a.get("judged") is False and not seen(a) for a in narrow)))
    targets.append((f"analyse within 5 times cat ({ours / cat:.1f})", ours <= 5 * cat))
    for label, ok in targets:
        print(f"{verdict(ok)}  {label}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
