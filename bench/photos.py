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


def roc_area(clean, marked):
    """The area under the ROC curve of a score that is larger for marked
    images: the chance that a marked image scores above a clean one (ties
    count half)."""
    clean = np.asarray(clean, float)
    marked = np.asarray(marked, float)
    above = (marked[:, None] > clean[None, :]).sum()
    ties = (marked[:, None] == clean[None, :]).sum()
    return (above + 0.5 * ties) / (len(clean) * len(marked))
