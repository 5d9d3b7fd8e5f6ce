# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
"""Natural photographs from Debian packages as 24-bit BMP files, and the
pixel-level helpers the evaluations share.

Three groups, none of them used by the tests (which use crops of astronaut
and coffee):
  skimage  the colour photographs of python3-skimage but those two, whole;
  crop     a 1024 x 768 crop from the middle of each photograph of
           lomiri-wallpapers-16.04 and -20.04, at full resolution (JPEG);
  shrunk   the same photographs shrunk four times in each direction by
           averaging 4 x 4 blocks, as a picture resized for the web is.
Each picture goes through "veldra-cli carrier" first; crops and shrinks are
made from its BMP.

Two further sets, made by build_sets without veldra-cli (Pillow decodes the
pictures), keep the pictures one tunes the analysis on apart from those it is
judged on; no source picture is in both:
  tune  13 pictures of plasma-workspace-wallpapers and mate-backgrounds;
  eval  30 pictures of lomiri-wallpapers-16.04 and -20.04, python3-skimage,
        plasma-workspace-wallpapers and mate-backgrounds.
Each has a good share of dense, JPEG-compressed fine detail (foliage, grass,
moss, bark, gravel), marked "dense". A picture is taken one of four ways:
  dense   the 1024 x 768 window at full resolution whose detail is densest
          (see detail_window);
  bottom  the 1024 x 768 window whose bottom quarter is densest, so that the
          dense rows come first in the file of a bottom-up BMP;
  middle  the 1024 x 768 window in the middle;
  whole   the whole picture, shrunk by averaging f x f blocks with the
          smallest f that brings it to 4 megapixels or less (f = 1 keeps a
          picture that small as it is).
"""
import os
import struct
import subprocess

import numpy as np

SKIMAGE = "/usr/lib/python3/dist-packages/skimage/data"
SKIMAGE_PHOTOS = ["chelsea.png", "rocket.jpg", "hubble_deep_field.jpg", "motorcycle_left.png",
                  "motorcycle_right.png", "retina.jpg"]
WALLPAPERS = "/usr/share/backgrounds"
# The photographs among the wallpapers; the others are drawings or renders.
WALLPAPER_PHOTOS = [
    "Bridge_by_Sander_Klootwijk.jpg", "Dragonfly_by_Bolly.jpg", "Kleiber_by_Lukas_Baubkus.jpg",
    "Picture_0B_by_freespace.jpg", "Picture_1A_by_freespace.jpg", "Wine_by_Jakkub_Mede.jpg",
    "aitzgorri_by_Aitzol_Berasategi.jpg", "free_by_Peter_Nerlich.jpg",
    "friends_by_Aitzol_Berasategi.jpg", "greentock_by_Peter_Nerlich.jpg",
    "life_by_Aitzol_Berasategi.jpg", "picosdeeuropa_by_Aitzol_Berasategi.jpg",
    "seeding_by_Clements_Engelhardt.jpg", "sunset_by_Aitzol_Berasategi.jpg"]
PACKAGES = "python3-skimage lomiri-wallpapers-16.04 lomiri-wallpapers-20.04"
SET_PACKAGES = PACKAGES + " plasma-workspace-wallpapers mate-backgrounds python3-pil"

PLASMA = "/usr/share/wallpapers"
MATE = "/usr/share/backgrounds/mate/nature"
# (set, name, package, picture, how it is taken, dense detail)
SETS = [
    ("tune", "path", "plasma-workspace-wallpapers", f"{PLASMA}/Path/contents/images/2560x1600.jpg", "dense", True),
    ("tune", "onestandsout", "plasma-workspace-wallpapers", f"{PLASMA}/OneStandsOut/contents/images/2560x1600.jpg", "dense", True),
    ("tune", "greenmeadow", "mate-backgrounds", f"{MATE}/GreenMeadow.jpg", "dense", True),
    ("tune", "dune", "mate-backgrounds", f"{MATE}/Dune.jpg", "bottom", True),
    ("tune", "blinds", "mate-backgrounds", f"{MATE}/Blinds.jpg", "dense", True),
    ("tune", "eveningglow", "plasma-workspace-wallpapers", f"{PLASMA}/EveningGlow/contents/images/2560x1600.jpg", "bottom", True),
    ("tune", "coldripple", "plasma-workspace-wallpapers", f"{PLASMA}/ColdRipple/contents/images/2560x1600.jpg", "bottom", False),
    ("tune", "garden", "mate-backgrounds", f"{MATE}/Garden.jpg", "middle", False),
    ("tune", "storm", "mate-backgrounds", f"{MATE}/Storm.jpg", "middle", False),
    ("tune", "kite", "plasma-workspace-wallpapers", f"{PLASMA}/Kite/contents/images/2560x1600.jpg", "whole", False),
    ("tune", "fallenleaf", "plasma-workspace-wallpapers", f"{PLASMA}/FallenLeaf/contents/images/2560x1600.jpg", "whole", False),
    ("tune", "grey", "plasma-workspace-wallpapers", f"{PLASMA}/Grey/contents/images/2560x1600.jpg", "whole", False),
    ("tune", "raindrops", "mate-backgrounds", f"{MATE}/RainDrops.jpg", "whole", False),
    ("eval", "kleiber", "lomiri-wallpapers-20.04", f"{WALLPAPERS}/Kleiber_by_Lukas_Baubkus.jpg", "dense", True),
    ("eval", "aitzgorri", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/aitzgorri_by_Aitzol_Berasategi.jpg", "dense", True),
    ("eval", "life", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/life_by_Aitzol_Berasategi.jpg", "dense", True),
    ("eval", "picosdeeuropa", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/picosdeeuropa_by_Aitzol_Berasategi.jpg", "dense", True),
    ("eval", "picture_0b", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/Picture_0B_by_freespace.jpg", "dense", True),
    ("eval", "dragonfly", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/Dragonfly_by_Bolly.jpg", "bottom", True),
    ("eval", "seeding", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/seeding_by_Clements_Engelhardt.jpg", "bottom", True),
    ("eval", "sunset", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/sunset_by_Aitzol_Berasategi.jpg", "bottom", True),
    ("eval", "bythewater", "plasma-workspace-wallpapers", f"{PLASMA}/BytheWater/contents/images/2560x1600.jpg", "bottom", True),
    ("eval", "wood", "mate-backgrounds", f"{MATE}/Wood.jpg", "bottom", True),
    ("eval", "free", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/free_by_Peter_Nerlich.jpg", "middle", False),
    ("eval", "greentock", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/greentock_by_Peter_Nerlich.jpg", "middle", False),
    ("eval", "ladybird", "mate-backgrounds", f"{MATE}/LadyBird.jpg", "middle", False),
    ("eval", "yellowflower", "mate-backgrounds", f"{MATE}/YellowFlower.jpg", "middle", False),
    ("eval", "summer_1am", "plasma-workspace-wallpapers", f"{PLASMA}/summer_1am/contents/images/2560x1600.jpg", "middle", False),
    ("eval", "bridge", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/Bridge_by_Sander_Klootwijk.jpg", "whole", False),
    ("eval", "picture_1a", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/Picture_1A_by_freespace.jpg", "whole", False),
    ("eval", "wine", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/Wine_by_Jakkub_Mede.jpg", "whole", False),
    ("eval", "friends", "lomiri-wallpapers-16.04", f"{WALLPAPERS}/friends_by_Aitzol_Berasategi.jpg", "whole", False),
    ("eval", "infinite-sea", "lomiri-wallpapers-20.04", f"{WALLPAPERS}/Infinite-Sea_by_Aury88.jpg", "whole", False),
    ("eval", "darkesthour", "plasma-workspace-wallpapers", f"{PLASMA}/DarkestHour/contents/images/2560x1600.jpg", "whole", False),
    ("eval", "aqua", "mate-backgrounds", f"{MATE}/Aqua.jpg", "whole", False),
    ("eval", "freshflower", "mate-backgrounds", f"{MATE}/FreshFlower.jpg", "whole", False),
    ("eval", "twowings", "mate-backgrounds", f"{MATE}/TwoWings.jpg", "whole", False),
] + [("eval", photo.rsplit(".", 1)[0], "python3-skimage", f"{SKIMAGE}/{photo}", "whole", False)
     for photo in SKIMAGE_PHOTOS]


def read_bmp(path):
    """The pixel bytes of a 24-bit BMP as an array (rows in file order,
    width, 3), and the header bytes before them."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack("<I", data[10:14])[0]
    width, height = struct.unpack("<ii", data[18:26])
    height = abs(height)
    stride = (width * 3 + 3) // 4 * 4
    rows = np.frombuffer(data, np.uint8, stride * height, offset).reshape(height, stride)
    return rows[:, :width * 3].reshape(height, width, 3).copy(), data[:offset]


def write_bmp(path, pixels):
    """A plain 24-bit BMP (40-byte header, zero fill bytes) of pixels."""
    height, width, _ = pixels.shape
    stride = (width * 3 + 3) // 4 * 4
    rows = np.zeros((height, stride), np.uint8)
    rows[:, :width * 3] = pixels.reshape(height, width * 3)
    size = stride * height
    header = b"BM" + struct.pack("<IHHI", 54 + size, 0, 0, 54) + struct.pack(
        "<IiiHHIIiiII", 40, width, height, 1, 24, 0, size, 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + rows.tobytes())


def with_pixels(path, header, pixels):
    """Writes pixels back under the header they came with."""
    height, width, _ = pixels.shape
    stride = (width * 3 + 3) // 4 * 4
    rows = np.zeros((height, stride), np.uint8)
    rows[:, :width * 3] = pixels.reshape(height, width * 3)
    with open(path, "wb") as f:
        f.write(header + rows.tobytes())


def carrier(cli, picture, target):
    subprocess.run([cli, "carrier", picture, target, "--force"], check=True,
                   capture_output=True)


def build(cli, folder):
    """Makes the photo set in folder (kept from an earlier run) and gives a
    list of (group, name, path)."""
    os.makedirs(folder, exist_ok=True)
    out = []
    for photo in SKIMAGE_PHOTOS:
        name = photo.rsplit(".", 1)[0]
        target = os.path.join(folder, f"skimage-{name}.bmp")
        if not os.path.exists(target):
            carrier(cli, os.path.join(SKIMAGE, photo), target)
        out.append(("skimage", name, target))
    for photo in WALLPAPER_PHOTOS:
        name = photo.split("_by_")[0].lower()
        crop = os.path.join(folder, f"crop-{name}.bmp")
        shrunk = os.path.join(folder, f"shrunk-{name}.bmp")
        if not (os.path.exists(crop) and os.path.exists(shrunk)):
            whole = os.path.join(folder, "whole.bmp")
            carrier(cli, os.path.join(WALLPAPERS, photo), whole)
            pixels, _ = read_bmp(whole)
            os.remove(whole)
            h, w, _ = pixels.shape
            top, left = (h - 768) // 2, (w - 1024) // 2
            write_bmp(crop, pixels[top:top + 768, left:left + 1024])
            h4, w4 = h // 4 * 4, w // 4 * 4
            blocks = pixels[:h4, :w4].reshape(h4 // 4, 4, w4 // 4, 4, 3).astype(np.uint32)
            write_bmp(shrunk, ((blocks.sum(axis=(1, 3)) + 8) // 16).astype(np.uint8))
        out.append(("crop", name, crop))
        out.append(("shrunk", name, shrunk))
    return out


def decode(picture):
    """A picture's pixels as a (height, width, 3) array, top row first."""
    from PIL import Image  # only the sets need Pillow
    with Image.open(picture) as image:
        return np.asarray(image.convert("RGB"), np.uint8)


def detail(pixels, block=32):
    """How dense the fine detail is in each block x block square of a picture
    (rows top first): the mean absolute Laplacian of its luma."""
    luma = pixels.astype(np.float32) @ np.array([0.299, 0.587, 0.114], np.float32)
    lap = np.abs(4 * luma[1:-1, 1:-1] - luma[:-2, 1:-1] - luma[2:, 1:-1]
                 - luma[1:-1, :-2] - luma[1:-1, 2:])
    h, w = lap.shape[0] // block, lap.shape[1] // block
    return lap[:h * block, :w * block].reshape(h, block, w, block).mean(axis=(1, 3))


def detail_window(pixels, bottom, width=1024, height=768, block=32):
    """The top left corner of the width x height window whose blocks are the
    most densely detailed, judged by the blocks' first quartile (so that the
    whole window is dense, not one edge of it); bottom: by the bottom
    quarter of the window alone."""
    blocks = detail(pixels, block)
    bw, bh = width // block, height // block
    best, corner = -1.0, (0, 0)
    for r in range(0, blocks.shape[0] - bh + 1, 2):
        for c in range(0, blocks.shape[1] - bw + 1, 2):
            window = blocks[r:r + bh, c:c + bw]
            if bottom:
                window = window[bh - bh // 4:]
            score = np.percentile(window, 25)
            if score > best:
                best, corner = score, (r * block, c * block)
    return corner


def shrink(pixels, most=4_000_000):
    """The picture shrunk by averaging f x f blocks, with the smallest f that
    leaves at most `most` pixels."""
    h, w, _ = pixels.shape
    f = 1
    while (h // f) * (w // f) > most:
        f += 1
    if f == 1:
        return pixels
    hf, wf = h // f * f, w // f * f
    blocks = pixels[:hf, :wf].reshape(hf // f, f, wf // f, f, 3).astype(np.uint32)
    return ((blocks.sum(axis=(1, 3)) + f * f // 2) // (f * f)).astype(np.uint8)


def taken(pixels, how):
    """The picture taken as SETS says (rows top first)."""
    if how == "whole":
        return shrink(pixels)
    h, w, _ = pixels.shape
    if how == "middle":
        top, left = (h - 768) // 2, (w - 1024) // 2
    else:
        top, left = detail_window(pixels, how == "bottom")
    return pixels[top:top + 768, left:left + 1024]


def build_sets(folder, which=("tune", "eval")):
    """Makes the sets of SETS in folder/tune and folder/eval (a BMP kept from
    an earlier run is used as it is), writes folder/READY listing them, and
    gives a list of (set, name, path, dense, package, picture)."""
    out = []
    for group, name, package, picture, how, dense in SETS:
        if group not in which:
            continue
        os.makedirs(os.path.join(folder, group), exist_ok=True)
        suffix = {"dense": "crop", "bottom": "bottomcrop", "middle": "crop", "whole": "whole"}[how]
        target = os.path.join(folder, group, f"{'dense-' if dense else ''}{name}-{suffix}.bmp")
        if not os.path.exists(target):
            pixels = taken(decode(picture), how)
            # A bottom-up BMP stores the bottom row first, and each pixel as
            # blue, green, red.
            write_bmp(target, np.ascontiguousarray(pixels[::-1, :, ::-1]))
        out.append((group, name, target, dense, package, picture))
    with open(os.path.join(folder, "READY"), "w") as f:
        for group, name, target, dense, package, picture in out:
            with open(target, "rb") as bmp:
                width, height = struct.unpack("<ii", bmp.read(26)[18:26])
            f.write(f"{target}\t{width}x{height}\t{'dense' if dense else 'ordinary'}\t"
                    f"{package}\t{picture}\n")
    return out


def roc_area(clean, marked):
    """The area under the ROC curve of a score that is larger for marked
    images: the chance that a marked image scores above a clean one (ties
    count half)."""
    clean = np.asarray(clean, float)
    marked = np.asarray(marked, float)
    above = (marked[:, None] > clean[None, :]).sum()
    ties = (marked[:, None] == clean[None, :]).sum()
    return (above + 0.5 * ties) / (len(clean) * len(marked))


if __name__ == "__main__":
    # python3 bench/photos.py [FOLDER]: makes the tune and eval sets.
    import sys
    sets = build_sets(sys.argv[1] if len(sys.argv) > 1 else "/tmp/veldra-photos19")
    print(f"{len(sets)} pictures; needs {SET_PACKAGES}")
