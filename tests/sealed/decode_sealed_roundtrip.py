#!/usr/bin/python3
"""Round trips through decode_sealed.py with containers written here, by a
minimal writer that follows section 5 of docs/sealed-format.md (and shares
the decoder's reading of the document, so it checks the decoder's code paths
and exit statuses, not its agreement with another implementation).

Usage: decode_sealed_roundtrip.py [DECODER]   (exit 0 when all checks pass)
"""

import os
import shutil
import struct
import subprocess
import sys
import tempfile

import numpy as np

import nacl.bindings as SS

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import decode_sealed as ds  # noqa: E402

DECODER = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    HERE, "decode_sealed.py")
# SEED in the environment repeats a run; the seed used is printed.
SEED = int(os.environ.get("SEED", "1"))
print("seed %d" % SEED)
rng = np.random.default_rng(SEED)
failures = 0


def check(what, ok, detail=""):
    global failures
    if not ok:
        failures += 1
    print("%s %s%s" % ("ok  " if ok else "FAIL", what,
                       "" if ok else "\n     " + detail))


# --- Plain BMP files ---------------------------------------------------------

def make_bmp(width, height, header_size, top_down=False, gap=0, tail=0):
    """A 24-bit BMP of random pixels; `gap` bytes between the headers and
    the pixels (bfOffBits points past them), `tail` bytes after them."""
    row = 3 * width
    stride = (row + 3) // 4 * 4
    offset = 14 + header_size + gap
    pixels = rng.integers(0, 256, size=(height, stride), dtype=np.uint8)
    pixels[:, row:] = 0
    size = offset + height * stride + tail
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, 24)
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, width,
                           -height if top_down else height, 1, 24, 0,
                           height * stride, 2835, 2835, 0, 0)
        info += bytes(header_size - 40)
    return (b"BM" + struct.pack("<IHHI", size, 0, 0, offset) + info
            + bytes(rng.integers(0, 256, gap, dtype=np.uint8))
            + pixels.tobytes()
            + bytes(rng.integers(0, 256, tail, dtype=np.uint8)))


# --- A writer (section 5) ----------------------------------------------------

def to_bits(data):
    return np.unpackbits(np.frombuffer(data, dtype=np.uint8),
                         bitorder="little")


def embed(pixels, blocks, bits):
    """Make blocks (rows of 31 pixel byte numbers) carry bits (5 per block):
    where d = s xor m is not 0, change pixel byte x_d by one."""
    s = ds.syndromes(pixels, blocks)
    b = bits.reshape(-1, ds.K_BITS).astype(np.uint8)
    m = np.bitwise_or.reduce(b << np.arange(ds.K_BITS, dtype=np.uint8),
                             axis=1)
    d = s ^ m
    rows = np.nonzero(d)[0]
    idx = blocks[rows, d[rows].astype(np.int64) - 1]
    v = pixels[idx].astype(np.int16)
    step = np.where(rng.integers(0, 2, len(idx)) == 1, 1, -1)
    step[v == 0] = 1
    step[v == 255] = -1
    pixels[idx] = (v + step).astype(np.uint8)


def default_messages(files):
    """(plaintext, tag) of head, table and data messages for `files`."""
    table = struct.pack("<I", len(files))
    data = b""
    for name, content in files:
        raw = name.encode("utf-8") if isinstance(name, str) else name
        table += bytes([len(raw)]) + raw + struct.pack("<Q", len(content))
        data += content
    head = bytes([1, 0, 0, 0]) + struct.pack("<IQ", len(table), len(data))
    chunks = [data[i:i + 65536] for i in range(0, len(data), 65536)]
    msgs = [(head, ds.TAG_MESSAGE), (table, ds.TAG_MESSAGE)]
    msgs += [(c, ds.TAG_MESSAGE) for c in chunks]
    msgs[-1] = (msgs[-1][0], ds.TAG_FINAL)
    return msgs


def seal(image, passphrase, files=None, messages=None):
    """A new container in the BMP bytes `image` holding `files`, or the
    given (plaintext, tag) messages."""
    if messages is None:
        messages = default_messages(files)
    bmp = ds.read_bitmap(image)
    pixels = ds.pixel_bytes(image, bmp).copy()
    salt = rng.bytes(16)
    _k, kpos, kenc = ds.derive_keys(passphrase, salt)
    a0 = ds.salt_order(bmp.n)
    # 128 salt bits and two zero bits fill the 26 salt blocks.
    embed(pixels, ds.salt_blocks(a0), np.concatenate([to_bits(salt), [0, 0]]))
    secret = ds.SecretBlocks(pixels, a0, kpos)
    state = SS.crypto_secretstream_xchacha20poly1305_state()
    stream = SS.crypto_secretstream_xchacha20poly1305_init_push(state, kenc)
    for plain, tag in messages:
        stream += SS.crypto_secretstream_xchacha20poly1305_push(
            state, plain, tag=tag)
    assert len(stream) <= secret.capacity, "too much for the picture"
    stream += rng.bytes(secret.capacity - len(stream))
    # The 0 to 7 bits past the capacity are random.
    bits = to_bits(stream)
    bits = np.concatenate([bits, rng.integers(
        0, 2, ds.K_BITS * secret.count - len(bits), dtype=np.uint8)])
    start = 0
    for c in range(len(secret.sizes)):
        blocks = secret.block_numbers(c)
        embed(pixels, blocks, bits[start:start + ds.K_BITS * len(blocks)])
        start += ds.K_BITS * len(blocks)
    assert start == len(bits)
    out = bytearray(image)
    d = np.arange(bmp.n)
    where = bmp.offset + (d // bmp.row) * bmp.stride + d % bmp.row
    buf = np.frombuffer(out, dtype=np.uint8)
    buf[where] = pixels
    return bytes(out)


def capacity(image):
    """floor(5 B / 8) bytes, B the number of secret blocks of the image."""
    n = ds.read_bitmap(image).n
    return ds.SecretBlocks(np.zeros(n, dtype=np.uint8), None, None).capacity


def fits(table_length, data_length, cap):
    """The fit formula of section 4."""
    return (24 + (16 + 17) + (table_length + 17) + data_length
            + 17 * ds.data_message_count(data_length)) <= cap


# --- Running the decoder -----------------------------------------------------

def run(image, passphrase_line, tmp, tag):
    img = os.path.join(tmp, tag + ".bmp")
    pw = os.path.join(tmp, tag + ".pw")
    out = os.path.join(tmp, tag + ".out")
    shutil.rmtree(out, ignore_errors=True)
    with open(img, "wb") as f:
        f.write(image)
    with open(pw, "wb") as f:
        f.write(passphrase_line)
    p = subprocess.run([sys.executable, DECODER, img, pw, out],
                       capture_output=True)
    got = {}
    if os.path.isdir(out):
        for name in os.listdir(out):
            with open(os.path.join(out, name), "rb") as f:
                got[name] = f.read()
    return p.returncode, p.stdout, p.stderr, got


def expect_files(what, result, files):
    rc, out, err, got = result
    listing = b"".join(b"%d\t%s\n" % (len(c), n.encode()) for n, c in files)
    ok = rc == 0 and got == dict(files) and out == listing
    check(what, ok, "rc=%d stderr=%r stdout=%r" % (rc, err, out[:200]))


def expect_exit(what, result, code):
    rc, out, err, got = result
    check("%s: exit %d" % (what, code), rc == code and not got,
          "rc=%d stderr=%r files=%r" % (rc, err, sorted(got)))


PW = "pass phrase ü".encode()


def main():
    files = [("a name with blanks.txt", b"hello\n"),
             ("accents éàü ÆØ ß.txt", "Grüße\n".encode()),
             ("ü" * 50 + "n" * 96 + ".bin", rng.bytes(1000)),  # 200 bytes
             ("empty", b""),
             ("big", rng.bytes(10000))]
    assert len(files[2][0].encode()) == 200
    with tempfile.TemporaryDirectory() as tmp:
        # Every accepted info header, fill bytes, a gap after the headers,
        # a top-down picture and bytes after the pixels.
        # (About 17 KB of capacity for 701 x 400: N * 5 / 31 / 8.)
        pictures = [("12-byte header", make_bmp(701, 400, 12, gap=5)),
                    ("12-byte header, width 40000 (unsigned)",
                     make_bmp(40000, 7, 12)),
                    ("40-byte header", make_bmp(701, 400, 40, tail=7)),
                    ("52-byte header", make_bmp(702, 400, 52)),
                    ("56-byte header", make_bmp(703, 400, 56, top_down=True)),
                    ("108-byte header", make_bmp(700, 401, 108)),
                    ("124-byte header top-down",
                     make_bmp(701, 400, 124, top_down=True, gap=3))]
        for name, image in pictures:
            sealed = seal(image, PW, files)
            expect_files(name, run(sealed, PW + b"\n", tmp, "h"), files)

        image = make_bmp(701, 400, 40)
        sealed = seal(image, PW, files)
        expect_files("passphrase line ending in CR LF",
                     run(sealed, PW + b"\r\nsecond line\n", tmp, "crlf"),
                     files)
        expect_exit("wrong passphrase", run(sealed, b"pass phrase u\n", tmp,
                                            "wrong"), 1)
        expect_exit("plain image", run(image, PW, tmp, "plain"), 1)
        expect_exit("picture too small (N = 65535)",
                    run(make_bmp(21845, 1, 40), PW, tmp, "small"), 1)
        # N = 65538: chunk 0 has 2114 cells, chunk 1 (2 bytes) none, so
        # B = 2088 and the capacity is 1305 bytes: 24 + 33 + (14 + 17) +
        # (1200 + 17).
        smallest = make_bmp(21846, 1, 40)
        check("capacity of the smallest picture is 1305 bytes",
              capacity(smallest) == 1305, str(capacity(smallest)))
        full = [("x", rng.bytes(1200))]
        expect_files("smallest picture (N = 65538), filled to its capacity",
                     run(seal(smallest, PW, full), PW, tmp, "min"), full)
        try:
            seal(smallest, PW, [("x", rng.bytes(1201))])
            check("one byte more does not fit", False, "it was sealed")
        except AssertionError:
            check("one byte more does not fit", True)
        expect_files("no files", run(seal(image, PW, []), PW, tmp, "none"),
                     [])
        expect_files("only an empty file (table carries TAG_FINAL)",
                     run(seal(image, PW, [("e", b"")]), PW, tmp, "e"),
                     [("e", b"")])
        # 2000 x 1200: about 145 KB of capacity.
        large = make_bmp(2000, 1200, 40)
        exact = [("exact", rng.bytes(65536)), ("two", rng.bytes(65536))]
        expect_files("data of exactly 2 x 65536 bytes (2 data messages)",
                     run(seal(large, PW, exact), PW, tmp, "exact"), exact)
        more = [("a", rng.bytes(65536)), ("b", b"z")]
        expect_files("data of 65537 bytes (a last data message of 1 byte)",
                     run(seal(large, PW, more), PW, tmp, "more"), more)

        # Not a BMP the document accepts: exit 4.
        small = make_bmp(300, 80, 40)
        bad = [("signature BA", b"BA" + small[2:]),
               ("compression 1", small[:30] + struct.pack("<I", 1)
                + small[34:]),
               ("16 bits per pixel", small[:28] + struct.pack("<H", 16)
                + small[30:]),
               ("info header of 64 bytes", small[:14] + struct.pack("<I", 64)
                + small[18:]),
               ("last pixel byte missing", small[:-1])]
        for what, image_bytes in bad:
            expect_exit(what, run(image_bytes, PW, tmp, "bad"), 4)

        # Damage, section 4: every case written correctly but for one thing.
        good = default_messages([("f", b"abc"), ("g", b"de")])
        head, table = good[0][0], good[1][0]

        def with_head(version=1, reserved=b"\0\0\0", table_length=None,
                      data_length=None):
            t, d = struct.unpack_from("<IQ", head, 4)
            return bytes([version]) + reserved + struct.pack(
                "<IQ", t if table_length is None else table_length,
                d if data_length is None else data_length)

        def replace(i, plain=None, tag=None):
            m = list(good)
            m[i] = (m[i][0] if plain is None else plain,
                    m[i][1] if tag is None else tag)
            return m

        def entries(*pairs):
            t = struct.pack("<I", len(pairs))
            for raw, size in pairs:
                t += bytes([len(raw)]) + raw + struct.pack("<Q", size)
            return t

        # The smallest data length with which the container does not fit.
        one_beyond = capacity(image) - (24 + 33 + len(table) + 17 + 17)
        while fits(len(table), one_beyond, capacity(image)):
            one_beyond += 1
        assert one_beyond < 65536 and not fits(len(table), one_beyond,
                                               capacity(image))
        assert fits(len(table), one_beyond - 1, capacity(image))
        damaged = [
            ("version 2", replace(0, with_head(version=2))),
            ("non-zero reserved byte", replace(0, with_head(
                reserved=b"\0\1\0"))),
            ("data length beyond the capacity", replace(0, with_head(
                data_length=10 ** 6))),
            ("table length beyond the capacity", replace(0, with_head(
                table_length=10 ** 6))),
            ("container one byte beyond the capacity",
             replace(0, with_head(data_length=one_beyond))),
            ("head with TAG_FINAL", replace(0, tag=ds.TAG_FINAL)),
            ("table with TAG_FINAL before data", replace(1, tag=ds.TAG_FINAL)),
            ("last data message with TAG_MESSAGE", replace(2,
                                                           tag=ds.TAG_MESSAGE)),
            ("table one byte longer than its entries",
             [(with_head(table_length=len(table) + 1), ds.TAG_MESSAGE),
              (table + b"\0", ds.TAG_MESSAGE), good[2]]),
            ("table ends inside an entry",
             [(with_head(table_length=len(table) - 1), ds.TAG_MESSAGE),
              (table[:-1], ds.TAG_MESSAGE), good[2]]),
            ("empty name", replace(1, entries((b"", 3), (b"g", 2)))),
            ("name not valid UTF-8", replace(1, entries((b"f\xff", 3),
                                                        (b"g", 2)))),
            ("two names equal regardless of case",
             replace(1, entries((b"Readme", 3), (b"README", 2)))),
            ("sizes not adding up to the data length",
             replace(1, entries((b"f", 3), (b"g", 3)))),
        ]
        for what, messages in damaged:
            expect_exit(what, run(seal(image, PW, messages=messages), PW,
                                  tmp, "damage"), 2)

        for bad in (".", "..", "a/b"):
            expect_exit("name %r refused" % bad,
                        run(seal(image, PW, [(bad, b"x")]), PW, tmp, "n"), 3)

        # A flipped bit (parity) in the salt, the head, the table, the data;
        # and in bits the reader ignores.
        bmp = ds.read_bitmap(sealed)
        pixels = ds.pixel_bytes(sealed, bmp)
        a0 = ds.salt_order(bmp.n)
        salt_blocks = ds.salt_blocks(a0)
        salt = ds.read_salt(pixels, a0)
        _k, kpos, _e = ds.derive_keys(PW, salt)
        secret = ds.SecretBlocks(pixels, a0, kpos)
        blocks = secret.block_numbers(0)
        # Stream bytes: header 0 .. 23 (blocks 0 .. 38), head 24 .. 56
        # (blocks 38 .. 91), table from byte 57 (bit 456, block 91) on.
        table_bytes = 4 + sum(9 + len(n.encode()) for n, _ in files) + 17
        assert 57 + table_bytes < 8 * 2000 // 5 and 91 < 160 < 8 * (
            57 + table_bytes) // 5 - 1
        # The last secret block: its bits 5 B - 8 capacity .. 4 are past the
        # capacity.
        last_chunk = max(c for c, m in enumerate(secret.sizes) if m >= 31)
        last_block = secret.block_numbers(last_chunk)[-1]
        extra = ds.K_BITS * secret.count - 8 * secret.capacity
        assert extra >= 1, extra
        for what, d, code in [
                ("salt block 0", salt_blocks[0, 10], 1),
                ("salt block 25, byte 1 (salt bit 125)", salt_blocks[25, 0], 1),
                ("salt block 25, byte 4 (salt bit 127)", salt_blocks[25, 3], 1),
                ("salt block 25, byte 8 (an ignored zero bit)",
                 salt_blocks[25, 7], 0),
                ("salt block 25, byte 24 (both ignored zero bits)",
                 salt_blocks[25, 23], 0),
                ("secret block 0 (header)", blocks[0, 3], 1),
                ("secret block 60 (head)", blocks[60, 30], 1),
                ("secret block 160 (table)", blocks[160, 0], 2),
                ("secret block 2000 (data)", blocks[2000, 2], 2),
                ("the last secret block, byte 16 (past the capacity)",
                 last_block[15], 0)]:
            flipped = bytearray(sealed)
            flipped[bmp.file_offset(int(d))] ^= 1
            result = run(bytes(flipped), PW, tmp, "flip")
            if code == 0:
                expect_files("flipped parity in " + what + ": ignored", result,
                             files)
            else:
                expect_exit("flipped parity in " + what, result, code)

    print("%d failure(s)" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
