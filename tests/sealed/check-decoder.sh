#!/bin/bash
# Usage: check-decoder.sh VELDRA_CLI DECODER
#
# Seals files into 24-bit BMP images with the real program (seal, add
# --sealed, remove --sealed) and checks that the independent reader DECODER
# (decode_sealed.py) gives back exactly those files; that a wrong passphrase
# and a plain image give exit 1; that sealing changes pixel bytes only, by one,
# about one in 32, and leaves the two bits after the salt zero; that a flipped
# bit in a salt or secret block that changes the container gives exit 1 or 2
# and never a wrong file, and one in the bits the reader ignores changes
# nothing.
#
# Sizes: with k = 5 a picture of N pixel bytes holds about N * 5 / 31 / 8
# bytes (400 x 300: about 7 KB; 2000 x 1200: about 145 KB).
# Exit 77 (skipped) when VELDRA_CLI has no seal command.

set -u

if [ $# -ne 2 ]; then
    echo "usage: $0 VELDRA_CLI DECODER" >&2
    exit 2
fi
CLI=$1
DECODER=$2
# Absolute paths, since the test runs in a temporary folder.
case $CLI in
    */*) CLI=$(cd "$(dirname "$CLI")" && pwd)/$(basename "$CLI") ;;
esac
DECODER_DIR=$(cd "$(dirname "$DECODER")" && pwd)
DECODER=$DECODER_DIR/$(basename "$DECODER")
PY=/usr/bin/python3   # Debian's python3, with python3-nacl and python3-numpy

# "VELDRA_CLI --help" lists the commands; without seal there is nothing to do.
if ! { "$CLI" seal --help; "$CLI" --help; } 2>&1 | grep -qw seal; then
    echo "SKIP: $CLI has no seal command"
    exit 77
fi

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
cd "$TMP" || exit 1
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

pass() {
    echo "ok    $*"
}

# Run a CLI command that must succeed.
cli() {
    if ! "$CLI" "$@" > cli.out 2>&1; then
        fail "veldra-cli $*: $(cat cli.out)"
        return 1
    fi
}

# decode IMAGE PWFILE OUTDIR: run the decoder; sets rc.
decode() {
    rm -rf "$3"
    "$PY" "$DECODER" "$1" "$2" "$3" > decode.out 2> decode.err
    rc=$?
}

# expect_files WHAT IMAGE PWFILE FILE...: the decoder must give back exactly
# the FILEs (by base name and content), each listed as "SIZE<TAB>NAME".
expect_files() {
    local what=$1 image=$2 pw=$3
    shift 3
    decode "$image" "$pw" out
    check_files "$what" "$@"
}

# check_files WHAT FILE...: the same, for the decoder run just made.
check_files() {
    local what=$1
    shift
    if [ "$rc" -ne 0 ]; then
        fail "$what: decoder exit $rc: $(cat decode.err)"
        return
    fi
    local f name ok=1
    : > listing.expected
    for f in "$@"; do
        name=$(basename "$f")
        printf '%s\t%s\n' "$(stat -c %s "$f")" "$name" >> listing.expected
        if ! cmp -s "$f" "out/$name"; then
            fail "$what: '$name' not given back identical"
            ok=0
        fi
    done
    local count
    count=$(find out -mindepth 1 2>/dev/null | wc -l)
    if [ "$count" -ne $# ]; then
        fail "$what: $count files written, $# expected"
        ok=0
    fi
    if ! diff <(LC_ALL=C sort listing.expected) <(LC_ALL=C sort decode.out) \
            > /dev/null; then
        fail "$what: listing differs: $(cat decode.out)"
        ok=0
    fi
    [ $ok -eq 1 ] && pass "$what"
}

# expect_refused WHAT IMAGE PWFILE CODES: exit status among CODES (e.g.
# "1" or "1 2"), nothing printed on standard output, no file written.
expect_refused() {
    local what=$1 image=$2 pw=$3 codes=$4
    decode "$image" "$pw" out
    check_refused "$what" "$codes"
}

# check_refused WHAT CODES: the same, for the decoder run just made.
check_refused() {
    local what=$1 codes=$2
    if [[ " $codes " != *" $rc "* ]]; then
        fail "$what: decoder exit $rc, expected $codes: $(cat decode.err)"
    elif [ -s decode.out ] || [ -n "$(find out -mindepth 1 2>/dev/null)" ]; then
        fail "$what: decoder gave out files"
    else
        pass "$what (exit $rc)"
    fi
}

# --- Pictures and files ------------------------------------------------------

"$PY" - << 'EOF'
import os, struct, zlib

def png(path, w, h):
    """A PNG of random pixels, for veldra-cli carrier."""
    raw = b"".join(b"\0" + os.urandom(3 * w) for _ in range(h))
    def chunk(t, d):
        return (struct.pack(">I", len(d)) + t + d
                + struct.pack(">I", zlib.crc32(t + d)))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n"
                + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))

def bmp(path, w, h, header_size, top_down=False):
    """A plain 24-bit BMP of random pixels, zero row fill bytes."""
    row = 3 * w
    stride = (row + 3) // 4 * 4
    offset = 14 + header_size
    pixels = b"".join(os.urandom(row) + bytes(stride - row) for _ in range(h))
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, w, h, 1, 24)
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, w,
                           -h if top_down else h, 1, 24, 0, len(pixels),
                           2835, 2835, 0, 0) + bytes(header_size - 40)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0,
                                    offset) + info + pixels)

png("random.png", 2000, 1200)                  # about 145 KB of capacity
bmp("b40.bmp", 401, 300, 40)                   # bottom-up, row fill bytes
bmp("b124.bmp", 401, 300, 124, top_down=True)  # top-down
bmp("b12.bmp", 400, 300, 12)                   # OS/2, about 7 KB

os.mkdir("files")
def put(name, data):
    with open(os.path.join("files", name), "wb") as f:
        f.write(data)
put("a name with blanks.txt", b"hidden words\n")
put("accents \u00e9\u00e0\u00fc \u00c6\u00d8 stra\u00dfe.txt",
    "Gr\u00fc\u00dfe aus K\u00f6ln\n".encode())
long = "\u00fc" * 50 + "n" * 96 + ".txt"                  # a 200-byte name
assert len(long.encode()) == 200
put(long, os.urandom(777))
with open("long-name", "w", encoding="utf-8") as f:
    f.write(long)
put("empty", b"")
put("big.bin", os.urandom(100000))             # two data messages
put("one.txt", b"one\n")
put("two.txt", os.urandom(3000))
EOF
[ $? -eq 0 ] || { echo "FAIL: could not make the test files"; exit 1; }

printf 'pass phrase \xc3\xbc \xc3\xa9\n' > pw
printf 'pass phrase u e\n' > wrong-pw
long=$(cat long-name)

# --- Sealing and decoding ----------------------------------------------------

if cli carrier random.png carrier.bmp; then
    cp carrier.bmp plain.bmp
    all=(files/"a name with blanks.txt" files/accents* "files/$long" \
         files/empty files/big.bin)
    if cli seal carrier.bmp "${all[@]}" --password-file pw; then
        expect_files "carrier 2000 x 1200: five files" carrier.bmp pw "${all[@]}"
        expect_refused "wrong passphrase" carrier.bmp wrong-pw 1
        if "$PY" - "$DECODER_DIR" plain.bmp carrier.bmp > conformance.out \
                2>&1 << 'EOF'
import sys
import numpy as np
sys.path.insert(0, sys.argv[1])
import decode_sealed as ds

before = open(sys.argv[2], "rb").read()
after = open(sys.argv[3], "rb").read()
bmp = ds.read_bitmap(after)
p0 = ds.pixel_bytes(before, bmp).astype(np.int16)
p1 = ds.pixel_bytes(after, bmp).astype(np.int16)
problems = []
if len(before) != len(after):
    problems.append("the file's length changed")
# Every byte that is not a pixel byte stays as it was.
mask = np.ones(len(after), dtype=bool)
d = np.arange(bmp.n)
mask[bmp.offset + (d // bmp.row) * bmp.stride + d % bmp.row] = False
b0 = np.frombuffer(before, dtype=np.uint8)
b1 = np.frombuffer(after, dtype=np.uint8)
if len(before) == len(after) and (b0[mask] != b1[mask]).any():
    problems.append("bytes outside the pixel bytes changed")
diff = np.abs(p1 - p0)
if diff.max() > 1:
    problems.append("a pixel byte changed by more than one")
share = np.count_nonzero(diff) / bmp.n
# Every block changes one byte unless it already carries its bits: 31 / 32
# of the blocks, one byte in 31 each.
if not 0.028 < share < 0.035:
    problems.append("%.4f of the pixel bytes changed, not about 1/32" % share)
last = ds.syndromes(ds.pixel_bytes(after, bmp),
                    ds.salt_blocks(ds.salt_order(bmp.n))[25:26])[0]
if last >> 3:
    problems.append("the two bits after the salt are %d, not 0" % (last >> 3))
print("; ".join(problems) if problems else
      "%.4f of the pixel bytes changed, by one" % share)
sys.exit(1 if problems else 0)
EOF
        then
            pass "seal changes pixel bytes only: $(cat conformance.out)"
        else
            fail "seal: $(cat conformance.out)"
        fi
    fi
    expect_refused "plain image without a container" plain.bmp pw 1
fi

if cli seal b40.bmp files/one.txt --password-file pw; then
    expect_files "40-byte header: seal" b40.bmp pw files/one.txt
    if cli add b40.bmp files/two.txt --sealed --password-file pw; then
        expect_files "40-byte header: add" b40.bmp pw files/one.txt files/two.txt
        cp b40.bmp flip-source.bmp
        if cli remove b40.bmp one.txt --sealed --password-file pw; then
            expect_files "40-byte header: remove" b40.bmp pw files/two.txt
        fi
    fi
fi

if cli seal b124.bmp files/one.txt files/empty "files/$long" --password-file pw; then
    expect_files "124-byte header, top-down" b124.bmp pw \
        files/one.txt files/empty "files/$long"
fi

if cli seal b12.bmp files/two.txt files/accents* --password-file pw; then
    expect_files "12-byte header" b12.bmp pw files/two.txt files/accents*
fi

# --- Flipped bits ------------------------------------------------------------
# The parity of one pixel byte flipped: in a salt block (other keys), in the
# secretstream header or head, in the table, in the data.  Positions are found
# with the decoder's own building blocks (the salt positions are public; the
# others need the passphrase).

if [ -f flip-source.bmp ]; then
    "$PY" - "$DECODER_DIR" flip-source.bmp pw > flips << 'EOF'
import random, struct, sys
sys.path.insert(0, sys.argv[1])
import decode_sealed as ds

image = open(sys.argv[2], "rb").read()
passphrase = ds.read_passphrase(sys.argv[3])
bmp = ds.read_bitmap(image)
pixels = ds.pixel_bytes(image, bmp)
a0 = ds.salt_order(bmp.n)
_k, kpos, kenc = ds.derive_keys(passphrase, ds.read_salt(pixels, a0))
blocks = ds.SecretBlocks(pixels, a0, kpos)
head = ds.SS.crypto_secretstream_xchacha20poly1305_state()
stream = blocks.stream(57)
ds.SS.crypto_secretstream_xchacha20poly1305_init_pull(head, stream[:24], kenc)
plain, _ = ds.SS.crypto_secretstream_xchacha20poly1305_pull(head, stream[24:57])
table_length, data_length = struct.unpack_from("<IQ", plain, 4)

by_chunk = {}
def secret_block(b):
    """Pixel byte numbers of secret block b."""
    c = 0
    while True:
        if c not in by_chunk:
            by_chunk[c] = blocks.block_numbers(c)
        if b < len(by_chunk[c]):
            return by_chunk[c][b]
        b -= len(by_chunk[c])
        c += 1

def at_byte(i):
    """A block carrying bits of stream byte i (its first bit)."""
    return secret_block(8 * i // 5)

t = random.randrange(31)
salt_blocks = ds.salt_blocks(a0)
data_start = 57 + table_length + 17
print(bmp.file_offset(int(salt_blocks[0, t])), 1, "salt block 0")
print(bmp.file_offset(int(salt_blocks[25, 0])), 1,
      "salt block 25, byte 1 (salt bit 125)")
# Bits 3 and 4 of the last salt block are the two zero bits a reader ignores;
# the last 5 B - 8 capacity bits of the secret blocks are past the capacity.
print(bmp.file_offset(int(salt_blocks[25, 7])), 0,
      "salt block 25, byte 8 (ignored)")
print(bmp.file_offset(int(salt_blocks[25, 23])), 0,
      "salt block 25, byte 24 (ignored)")
if ds.K_BITS * blocks.count - 8 * blocks.capacity >= 1:
    last = max(c for c, m in enumerate(blocks.sizes) if m >= 31)
    print(bmp.file_offset(int(blocks.block_numbers(last)[-1][15])), 0,
          "last secret block, byte 16 (past the capacity)")
print(bmp.file_offset(int(at_byte(5)[t])), 1, "secretstream header")
print(bmp.file_offset(int(at_byte(40)[t])), 1, "head")
print(bmp.file_offset(int(at_byte(57 + table_length // 2)[t])), 2, "table")
print(bmp.file_offset(int(at_byte(data_start + data_length // 2)[t])), 2,
      "data")
print(bmp.file_offset(int(at_byte(data_start + data_length + 16)[t])), 2,
      "last authentication tag")
EOF
    [ -s flips ] || fail "could not find the blocks to flip"
    while read -r offset codes what; do
        "$PY" -c 'import sys
b = bytearray(open(sys.argv[1], "rb").read())
b[int(sys.argv[2])] ^= 1
open(sys.argv[3], "wb").write(b)' flip-source.bmp "$offset" flipped.bmp
        if [ "$codes" = 0 ]; then
            expect_files "flipped bit in the $what: nothing changed" \
                flipped.bmp pw files/one.txt files/two.txt
        else
            expect_refused "flipped bit in the $what" flipped.bmp pw "$codes"
        fi
    done < flips

    # Random pixel bytes anywhere: either nothing of the container changed
    # (padding, unused bytes) and the files come back identical, or exit 1
    # or 2 with no file.
    for i in 1 2 3 4 5 6; do
        "$PY" -c 'import random, sys
sys.path.insert(0, sys.argv[1])
import decode_sealed as ds
image = open(sys.argv[2], "rb").read()
bmp = ds.read_bitmap(image)
b = bytearray(image)
b[bmp.file_offset(random.randrange(bmp.n))] ^= 1
open(sys.argv[3], "wb").write(b)' "$DECODER_DIR" flip-source.bmp flipped.bmp
        decode flipped.bmp pw out
        if [ "$rc" -eq 0 ]; then
            check_files "random flipped bit $i: container unchanged" \
                files/one.txt files/two.txt
        else
            check_refused "random flipped bit $i" "1 2"
        fi
    done
fi

if [ $failures -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "all passed"
exit 0
