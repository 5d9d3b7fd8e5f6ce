#!/usr/bin/python3
"""Checks the building blocks of decode_sealed.py against the test vectors of
docs/sealed-format.md (section 6).  Exit 0 when every vector matches."""

import os
import struct
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import decode_sealed as ds  # noqa: E402

failures = 0


def check(what, got, expected):
    global failures
    ok = got == expected
    if not ok:
        failures += 1
    print("%s %s" % ("ok  " if ok else "FAIL", what))
    if not ok:
        print("     got      %s\n     expected %s" % (got, expected))


P = ds.public_key()
check("P = BLAKE2b-256(\"veldra sealed v1 salt positions\")", P.hex(),
      "fc362b43ad188659927a936a84e686bf7b139d07433bc04193321e593b9ab5d8")

check("ChaCha20(P, LE64(0) || LE32(0), counter 0), first 16 bytes",
      ds.chacha20_ietf(P, struct.pack("<QI", 0, 0), 16).hex(),
      "f593d48e9590be4259589d27586dcc14")

check("shuffle([0 .. 9], P, 0)",
      ds.shuffle(range(10), P, 0).tolist(),
      [6, 3, 4, 8, 7, 9, 0, 1, 2, 5])

check("shuffle([65536 .. 65545], P, 1)",
      ds.shuffle(range(65536, 65546), P, 1).tolist(),
      [65539, 65543, 65537, 65540, 65542, 65538, 65536, 65541, 65545, 65544])

k, kpos, kenc = ds.derive_keys(b"correct horse battery staple",
                               bytes(range(16)))
check("K", k.hex(),
      "58adf8f2eb38053b06b6d9365fd8f5de698bcfc69f2c02c0ba8d8c4634816db0")
check("Kpos", kpos.hex(),
      "bca8c226a48824fde04dbd7336857301f69da5ffbb45a6bb2708c55f7d2bb272")
check("Kenc", kenc.hex(),
      "8133836d693292d76f83d593a78513070d1da484887554be765a99698f10e26a")

# The block example: pixel bytes 10 .. 16 have syndrome 0 (bits 0, 0, 0);
# changing byte 5 (the 14) to 13 or 15 makes it 5 (bits 1, 0, 1).
block = np.array([10, 11, 12, 13, 14, 15, 16], dtype=np.uint8)
order = np.arange(7)
s = ds.syndromes(block, order)
check("syndrome of 10 11 12 13 14 15 16", s.tolist(), [0])
check("its bits", ds.syndrome_bits(s).tolist(), [0, 0, 0])
for changed in (13, 15):
    b = block.copy()
    b[4] = changed
    s = ds.syndromes(b, order)
    check("syndrome with byte 5 = %d" % changed, s.tolist(), [5])
    check("its bits", ds.syndrome_bits(s).tolist(), [1, 0, 1])

# Section 2, "Bits": bit i of a byte string is (byte[i / 8] >> (i mod 8)) & 1.
check("bits to bytes, least significant bit first",
      ds.bits_to_bytes(np.array([1, 0, 0, 0, 0, 0, 0, 0,
                                 0, 1, 0, 1, 0, 0, 0, 0], dtype=np.uint8),
                       2).hex(), "010a")

print("%d failure(s)" % failures)
sys.exit(1 if failures else 0)
