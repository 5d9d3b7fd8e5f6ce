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
writer="$here/corpus/writer"
pairs="$here/corpus/pairs"
sealed="$here/corpus/sealed"
mkdir -p "$open" "$roundtrip" "$writer" "$pairs" "$sealed"

# bitmap FILE WIDTH HEIGHT [OFFBITS] [BITCOUNT] [HEADERSIZE]: a gradient
# image; HEADERSIZE 12 makes an OS/2 core header, 124 the largest kind.
bitmap() {
  python3 - "$@" <<'PY'
import struct, sys
path, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
bits = int(sys.argv[5]) if len(sys.argv) > 5 else 24
size = int(sys.argv[6]) if len(sys.argv) > 6 else 40
off = int(sys.argv[4]) if len(sys.argv) > 4 else 14 + size
row = (w * 3 + 3) // 4 * 4
pixels = bytearray()
for y in range(h):
    line = bytearray()
    for x in range(w):
        line += bytes(((x * 37) & 255, (y * 53) & 255, ((x + y) * 11) & 255))
    pixels += line + b"\0" * (row - w * 3)
if size == 12:
    info = struct.pack("<IHHHH", 12, w, h, 1, bits)
else:
    info = struct.pack("<IiiHHIIiiII", size, w, h, 1, bits, 0, len(pixels), 2835, 2835, 0, 0)
    info += b"\0" * (size - 40)
gap = b"\0" * (off - 14 - size)
head = b"BM" + struct.pack("<IHHI", off + len(pixels), 0, 0, off)
open(path, "wb").write(head + info + gap + pixels)
PY
}

# seeds DIR NAME COUNT SIZE [FIRST...]: COUNT random inputs of about SIZE
# bytes; input i starts with the byte FIRST[i] where given (a target's first
# choice, such as the header kind).
seeds() {
  python3 - "$@" <<'PY'
import os, random, sys
folder, name, count, size = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
first = [int(b) for b in sys.argv[5:]]
random.seed(name)
for i in range(count):
    data = bytes(random.randrange(256) for _ in range(size + 30 * i))
    if i < len(first):
        data = bytes([first[i]]) + data[1:]
    open(os.path.join(folder, "%s%d" % (name, i)), "wb").write(data)
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

bitmap "$work/core.bmp" 24 20 26 24 12
"$cli" add "$work/core.bmp" "$work/a.txt" "$work/b.txt" >/dev/null
cp "$work/core.bmp" "$open/core-container.bmp"
bitmap "$work/v5.bmp" 24 20 150 24 124
"$cli" add "$work/v5.bmp" "$work/a.txt" "$work/empty" --protect --password-file "$work/pw" >/dev/null
cp "$work/v5.bmp" "$open/v5-protected.bmp"
# A container in a file cut short inside its pixels, and one with bytes
# after them.
head -c 1200 "$work/c.bmp" > "$open/cut-short.bmp"
{ cat "$work/c.bmp"; printf 'trailing bytes'; } > "$open/trailing.bmp"

# The other targets read their choices from the input: random seeds, the
# writer's each starting with another header kind.
seeds "$roundtrip" seed 8 40
seeds "$writer" seed 6 60 0 1 2 3 4 5
seeds "$pairs" seed 4 80
seeds "$sealed" seed 6 120 0 1 2 3 4 5
echo "corpus written to $here/corpus"
