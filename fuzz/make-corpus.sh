#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Veldra developers
# Makes the fuzzers' seed corpus from bitmaps of our own, with containers
# written by veldra-cli. Usage: fuzz/make-corpus.sh BUILD_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-build}/src/veldra-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
open="$here/corpus/open"
roundtrip="$here/corpus/roundtrip"
mkdir -p "$open" "$roundtrip"

# bitmap FILE WIDTH HEIGHT [OFFBITS] [BITCOUNT]: a gradient image.
bitmap() {
  python3 - "$@" <<'PY'
import struct, sys
path, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
off = int(sys.argv[4]) if len(sys.argv) > 4 else 54
bits = int(sys.argv[5]) if len(sys.argv) > 5 else 24
row = (w * 3 + 3) // 4 * 4
pixels = bytearray()
for y in range(h):
    line = bytearray()
    for x in range(w):
        line += bytes(((x * 37) & 255, (y * 53) & 255, ((x + y) * 11) & 255))
    pixels += line + b"\0" * (row - w * 3)
head = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, off)
head += struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835, 0, 0)
open(path, "wb").write(head + pixels)
PY
}

printf 'hello' > "$work/a.txt"
printf 'second file' > "$work/b.txt"
: > "$work/empty"
printf 'fuzz\n' > "$work/pw"

bitmap "$open/plain.bmp" 8 8
bitmap "$open/padded.bmp" 5 7
bitmap "$open/palette.bmp" 8 8 1078
bitmap "$open/eight-bit.bmp" 8 8 54 8
bitmap "$work/c.bmp" 24 20
"$cli" add "$work/c.bmp" "$work/a.txt" "$work/b.txt" "$work/empty" >/dev/null
cp "$work/c.bmp" "$open/container.bmp"
bitmap "$work/p.bmp" 24 20
"$cli" add "$work/p.bmp" "$work/a.txt" "$work/b.txt" --protect --password-file "$work/pw" >/dev/null
cp "$work/p.bmp" "$open/protected.bmp"

# Round trip seeds: entry count, password flag, password, capacity, entries.
python3 - "$roundtrip" <<'PY'
import os, random, sys
random.seed(7)
for i in range(8):
    data = bytes(random.randrange(256) for _ in range(40 + 30 * i))
    open(os.path.join(sys.argv[1], "seed%d" % i), "wb").write(data)
PY
echo "corpus written to $here/corpus"
