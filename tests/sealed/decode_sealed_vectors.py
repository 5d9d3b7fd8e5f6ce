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

check("the salt cells of a full chunk 0 (q_0 = 2114), a0[0 .. 25]",
      ds.salt_order(65536)[:26].tolist(),
      [1740, 2034, 1876, 288, 870, 0, 616, 201, 2001, 1212, 422, 195, 1737,
       1960, 1309, 706, 499, 893, 1278, 128, 684, 1549, 509, 803, 1303, 1751])
check("cell 2 of chunk 1 is pixel bytes 65536 + 62 .. 65536 + 92",
      ds.cell_bytes(1, [2]).tolist(), [list(range(65598, 65629))])

# The block example: all even but bytes 3 and 5: syndrome 6, bits 0 1 1 0 0.
# To carry 9 (1 0 0 1 0) the writer changes byte 6 xor 9 = 15 by one.
block = np.zeros(31, dtype=np.uint8)
block[[3 - 1, 5 - 1]] = 1
rows = np.arange(31).reshape(1, 31)
s = ds.syndromes(block, rows)
check("syndrome with bytes 3 and 5 odd", s.tolist(), [6])
check("its bits", ds.syndrome_bits(s).tolist(), [0, 1, 1, 0, 0])
check("byte to change to carry 9", int(s[0]) ^ 9, 15)
block[15 - 1] += 1
s = ds.syndromes(block, rows)
check("syndrome with bytes 3, 5 and 15 odd", s.tolist(), [9])
check("its bits", ds.syndrome_bits(s).tolist(), [1, 0, 0, 1, 0])

# Simple case folding (statuses C and S), one code point for one.
fold = ds.simple_case_fold
for a, b, equal in [("README.txt", "readme.TXT", True),
                    ("stra\u00dfe", "STRASSE", False),      # F only: not folded
                    ("\u1e9e", "\u00df", True),              # S: capital sharp s
                    ("\u03c2", "\u03a3", True),              # final sigma, C
                    ("\u0130", "i", False),                  # T: not used
                    ("\u1f88", "\u1f80", True),              # S
                    ("\U00010400", "\U00010428", True)]:     # outside the BMP
    check("fold(%a) %s fold(%a)" % (a, "==" if equal else "!=", b),
          fold(a) == fold(b), equal)
table = ds.simple_case_fold_table()
derived = ds.simple_case_fold_table(path=None)
print("     simple case folding: %d mappings from %s; derivation from Python's "
      "Unicode %s: %d, %d differing" % (
          len(table), ds.CASE_FOLDING_FILE if os.path.exists(ds.CASE_FOLDING_FILE)
          else "Python", __import__("unicodedata").unidata_version, len(derived),
          len(set(table.items()) ^ set(derived.items()))))

# Section 2, "Bits": bit i of a byte string is (byte[i / 8] >> (i mod 8)) & 1.
check("bits to bytes, least significant bit first",
      ds.bits_to_bytes(np.array([1, 0, 0, 0, 0, 0, 0, 0,
                                 0, 1, 0, 1, 0, 0, 0, 0], dtype=np.uint8),
                       2).hex(), "010a")

print("%d failure(s)" % failures)
sys.exit(1 if failures else 0)
