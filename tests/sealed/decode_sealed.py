#!/usr/bin/python3
"""Independent reader of the sealed container, version 1.

Written from docs/sealed-format.md alone; the section numbers in the comments
below are those of that document.

Usage: decode_sealed.py IMAGE PASSPHRASE_FILE OUTDIR

Reads the passphrase from the first line of PASSPHRASE_FILE (without its line
end, "\\n" or "\\r\\n"), opens the sealed container hidden in the 24-bit BMP
IMAGE, writes every file into OUTDIR (made when missing) and prints one line
"SIZE<TAB>NAME" per file, in table order.

Exit status:
  0  the files were written
  1  no sealed container opens with this passphrase (the head does not
     decrypt, or the picture is too small to hold a container)
  2  damage: anything section 4 calls damage; nothing is written
  3  a name that cannot be written safely ('.', '..', or holding '/' or a NUL
     character); nothing is written
  4  usage error, a file that cannot be read or written, or not a BMP the
     document accepts

Only the standard library, PyNaCl and libsodium (through ctypes, for the
ChaCha20 keystream) do any cryptography; numpy is used for speed.

Names equal regardless of letter case are found with Unicode simple case
folding (statuses C and S): read from the Unicode data file CaseFolding.txt
(/usr/share/unicode, Debian's unicode-data) when there is one, else derived
from Python's own Unicode data (see simple_case_fold_table).
"""

import ctypes
import functools
import os
import struct
import sys

import numpy as np

import nacl.bindings
import nacl.encoding
import nacl.exceptions
import nacl.hash
import nacl.pwhash


# --- Exit reasons ------------------------------------------------------------

class NoContainer(Exception):
    """Exit 1: no sealed container opens with this passphrase."""


class Damage(Exception):
    """Exit 2: the container is damaged (section 4)."""


class UnsafeName(Exception):
    """Exit 3: a file name that must not be written into OUTDIR."""


class BadInput(Exception):
    """Exit 4: wrong usage, unreadable file, or unsupported image."""


NO_CONTAINER = "no sealed container opens with this passphrase"


# --- Constants of the document -----------------------------------------------

CHUNK = 65536            # C, section 2
K_BITS = 5               # k: bits per block (Hamming code, k = 5)
BLOCK = 2 ** K_BITS - 1  # n = 31 pixel bytes per block, one cell
SALT_BYTES = 16          # section 3
SALT_BLOCKS = -(-SALT_BYTES * 8 // K_BITS)  # ceil(128 / 5) = 26 salt cells
MIN_PIXEL_BYTES = 65536  # section 1: a sealed container needs N >= 65536

ARGON2_OPSLIMIT = 4
ARGON2_MEMLIMIT = 268435456
MAX_PASSPHRASE_BYTES = 4096

HEAD_PLAIN = 16           # section 4: version, 3 zero bytes, LE32, LE64
DATA_MESSAGE = 65536      # data are cut into messages of 65536 bytes
SS = nacl.bindings
HEADERBYTES = SS.crypto_secretstream_xchacha20poly1305_HEADERBYTES  # 24
ABYTES = SS.crypto_secretstream_xchacha20poly1305_ABYTES            # 17
TAG_MESSAGE = SS.crypto_secretstream_xchacha20poly1305_TAG_MESSAGE
TAG_FINAL = SS.crypto_secretstream_xchacha20poly1305_TAG_FINAL


# --- Primitives (all from libsodium) -----------------------------------------

def blake2b_256(message, key=b""):
    """BLAKE2b-256(key, message): crypto_generichash, 32-byte output."""
    return nacl.hash.blake2b(message, digest_size=32, key=key,
                             encoder=nacl.encoding.RawEncoder)


_sodium = ctypes.CDLL("libsodium.so.23")
_sodium.crypto_stream_chacha20_ietf.argtypes = [
    ctypes.c_char_p, ctypes.c_ulonglong, ctypes.c_char_p, ctypes.c_char_p]
_sodium.crypto_stream_chacha20_ietf.restype = ctypes.c_int


def chacha20_ietf(key, nonce, length):
    """ChaCha20(key, nonce, counter 0): the first `length` keystream bytes
    (libsodium's crypto_stream_chacha20_ietf, 12-byte nonce)."""
    assert len(key) == 32 and len(nonce) == 12
    out = ctypes.create_string_buffer(length)
    if _sodium.crypto_stream_chacha20_ietf(out, length, nonce, key) != 0:
        raise RuntimeError("crypto_stream_chacha20_ietf failed")
    return out.raw


def public_key():
    """P = BLAKE2b-256("veldra sealed v1 salt positions"), no key."""
    return blake2b_256(b"veldra sealed v1 salt positions")


def derive_keys(passphrase, salt):
    """Section 3: K by Argon2id13, then Kpos and Kenc by keyed BLAKE2b-256."""
    k = nacl.pwhash.argon2id.kdf(32, passphrase, salt,
                                 opslimit=ARGON2_OPSLIMIT,
                                 memlimit=ARGON2_MEMLIMIT)
    kpos = blake2b_256(b"veldra sealed v1 positions", key=k)
    kenc = blake2b_256(b"veldra sealed v1 encryption", key=k)
    return k, kpos, kenc


# --- Section 2: shuffle, syndromes, bits -------------------------------------

def shuffle(a, key, c):
    """shuffle(a, key, c): Fisher-Yates over the cell numbers a, driven by the
    keystream
    ChaCha20(key, nonce = LE64(c) || LE32(0), counter 0) read as consecutive
    32-bit little-endian words.  Returns a new numpy array (int64)."""
    a = [int(x) for x in a]
    m = len(a)
    if m < 2:
        return np.array(a, dtype=np.int64)
    nonce = struct.pack("<QI", c, 0)
    words = np.frombuffer(chacha20_ietf(key, nonce, 4 * (m - 1)),
                          dtype="<u4").astype(np.uint64)
    # Word number w (0 first) is used for i = m - 1 - w.
    i = np.arange(m - 1, 0, -1, dtype=np.uint64)
    # j = floor(r * (i + 1) / 2^32); r < 2^32 and i + 1 <= m keep it in 64 bits.
    j = ((words * (i + np.uint64(1))) >> np.uint64(32)).tolist()
    for ii, jj in zip(range(m - 1, 0, -1), j):
        a[ii], a[jj] = a[jj], a[ii]
    return np.array(a, dtype=np.int64)


_T = np.arange(1, BLOCK + 1, dtype=np.uint8)  # t = 1 .. 31, the block order


def cell_bytes(c, cells):
    """Pixel byte numbers of cells `cells` of chunk c, one row per cell:
    cell e of chunk c is pixel bytes c C + 31 e + t for t = 0 .. 30 (its
    byte numbers 1 .. 31)."""
    cells = np.asarray(cells, dtype=np.int64).reshape(-1)
    return (c * CHUNK + BLOCK * cells)[:, None] + np.arange(BLOCK,
                                                           dtype=np.int64)


def syndromes(pixels, blocks):
    """Syndromes of blocks (rows of 31 pixel byte numbers, in block order):
    the xor of the numbers t (1 .. 31) of the odd pixel bytes."""
    blocks = np.asarray(blocks, dtype=np.int64).reshape(-1, BLOCK)
    odd = pixels[blocks] & 1
    return np.bitwise_xor.reduce(odd * _T, axis=1).astype(np.uint8)


def syndrome_bits(s):
    """Bits carried by blocks with syndromes s: block b gives bits 5b .. 5b+4
    as bits 0 .. 4 of its syndrome."""
    s = np.asarray(s, dtype=np.uint8).reshape(-1)
    return ((s[:, None] >> np.arange(K_BITS, dtype=np.uint8)) & 1).ravel()


def bits_to_bytes(bits, nbytes):
    """The first `nbytes` bytes of a bit sequence, least significant bit of
    each byte first."""
    return np.packbits(bits[:8 * nbytes], bitorder="little").tobytes()


# --- Section 1: the pixel bytes ----------------------------------------------

class Bitmap:
    """Where the pixel bytes of a 24-bit uncompressed BMP are."""

    def __init__(self, offset, width, height, header_size):
        self.offset = offset
        self.width = width
        self.height = height          # H, the absolute value of the height
        self.header_size = header_size
        self.row = 3 * width
        self.stride = (self.row + 3) // 4 * 4
        self.n = 3 * width * height   # N

    def file_offset(self, d):
        """File offset of pixel byte d."""
        r, i = divmod(d, self.row)
        return self.offset + r * self.stride + i


def read_bitmap(data):
    """Parse the BMP headers (section 1); raise BadInput when the file is not
    a BMP ("BM") with one of the accepted info headers and 24-bit pixels,
    compression 0 where the header has the field, or its pixels do not lie
    wholly inside the file."""
    if len(data) < 18 or data[:2] != b"BM":
        raise BadInput("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]   # bfOffBits
    header_size = struct.unpack_from("<I", data, 14)[0]
    if len(data) < 14 + header_size:
        raise BadInput("BMP info header cut short")
    if header_size == 12:
        # OS/2 header: unsigned 16-bit width and height, planes, bit count;
        # no compression field.
        width, height, _planes, bits = struct.unpack_from("<HHHH", data, 18)
        compression = 0
    elif header_size in (40, 52, 56, 108, 124):
        # Signed 32-bit width and height; a negative height: top-down rows
        # (the pixel bytes are in file order all the same).
        width, height, _planes, bits, compression = struct.unpack_from(
            "<iiHHI", data, 18)
    else:
        raise BadInput("unsupported BMP info header of %d bytes" % header_size)
    if bits != 24 or compression != 0:
        raise BadInput("not an uncompressed 24-bit BMP")
    if width < 0:
        raise BadInput("negative BMP width")
    bmp = Bitmap(offset, width, abs(height), header_size)
    # The pixels must lie wholly inside the file.  Read here as: every pixel
    # byte is in the file (the fill bytes of the last row may be missing;
    # they are never used).
    if bmp.n > 0 and bmp.file_offset(bmp.n - 1) >= len(data):
        raise BadInput("BMP pixels cut short")
    return bmp


def pixel_bytes(data, bmp):
    """The N pixel bytes, rows in file order, without the row fill bytes."""
    if bmp.n == 0:
        return np.zeros(0, dtype=np.uint8)
    buf = np.frombuffer(data, dtype=np.uint8)
    end = bmp.offset + bmp.height * bmp.stride
    rows = buf[bmp.offset:end]
    if len(rows) < end - bmp.offset:
        # The last row's fill bytes may be missing; they are never used.
        rows = np.concatenate([rows, np.zeros(end - bmp.offset - len(rows),
                                              dtype=np.uint8)])
    return rows.reshape(bmp.height, bmp.stride)[:, :bmp.row].ravel()


# --- Section 2: the blocks of an image ---------------------------------------

def chunk_sizes(n):
    """m_c for every chunk c."""
    return [min(CHUNK, n - c * CHUNK) for c in range(-(-n // CHUNK))]


def cell_count(m):
    """q_c = floor(m_c / 31): the cells of a chunk of m_c pixel bytes."""
    return m // BLOCK


def salt_order(n):
    """a0 = shuffle([0 .. q_0 - 1], P, 0): cell numbers of chunk 0, the first
    26 of them the salt blocks."""
    return shuffle(range(cell_count(chunk_sizes(n)[0])), public_key(), 0)


def salt_blocks(a0):
    """Pixel byte numbers of the 26 salt blocks, cells a0[0] .. a0[25]."""
    return cell_bytes(0, a0[:SALT_BLOCKS])


def read_salt(pixels, a0):
    """The salt: the first 128 of the 130 bits carried by the salt blocks
    (the last two, zero by the document, are ignored)."""
    return bits_to_bytes(syndrome_bits(syndromes(pixels, salt_blocks(a0))),
                         SALT_BYTES)


class SecretBlocks:
    """The secret blocks and the stream they carry, read chunk by chunk only
    as far as needed."""

    def __init__(self, pixels, a0, kpos):
        self.pixels = pixels
        self.a0 = a0
        self.kpos = kpos
        self.sizes = chunk_sizes(len(pixels))
        # Number of secret blocks B: every cell but the 26 salt cells.
        self.count = sum(cell_count(m) for m in self.sizes) - SALT_BLOCKS
        self.capacity = K_BITS * self.count // 8   # floor(5 B / 8) bytes
        self.bits = []        # carried bits of the chunks read so far
        self.blocks_read = 0

    def chunk_order(self, c):
        """The secret order of chunk c: cell numbers (section 2, "The secret
        blocks")."""
        if c == 0:
            return shuffle(self.a0[SALT_BLOCKS:], self.kpos, 0)
        return shuffle(range(cell_count(self.sizes[c])), self.kpos, c)

    def block_numbers(self, c):
        """Pixel byte numbers of the secret blocks of chunk c, in their
        order, one row of 31 per block."""
        return cell_bytes(c, self.chunk_order(c))

    def stream(self, nbytes):
        """The first nbytes bytes of the stream (nbytes <= capacity)."""
        assert nbytes <= self.capacity
        need_blocks = -(-8 * nbytes // K_BITS)
        while self.blocks_read < need_blocks:
            c = len(self.bits)
            s = syndromes(self.pixels, self.block_numbers(c))
            self.bits.append(syndrome_bits(s))
            self.blocks_read += len(s)
        return bits_to_bytes(np.concatenate(self.bits), nbytes)


# --- Section 4: the stream ---------------------------------------------------

def data_message_count(data_length):
    """ceil(L / 65536) data messages of 65536 bytes but the last, which holds
    the rest; none when L = 0."""
    return -(-data_length // DATA_MESSAGE)


def pull(state, ciphertext, expected_tag, what):
    """Decrypt one secretstream message; any failure or wrong tag is damage."""
    try:
        plain, tag = SS.crypto_secretstream_xchacha20poly1305_pull(
            state, ciphertext)
    except nacl.exceptions.CryptoError:
        raise Damage("the %s does not decrypt" % what)
    if tag != expected_tag:
        raise Damage("the %s has tag %d instead of %d" % (what, tag,
                                                            expected_tag))
    return plain


CASE_FOLDING_FILE = "/usr/share/unicode/CaseFolding.txt"


@functools.lru_cache(maxsize=None)
def simple_case_fold_table(path=CASE_FOLDING_FILE):
    """{code point: code point} of Unicode simple case folding, the statuses
    C and S of CaseFolding.txt (what Qt's QString::toCaseFolded does).

    Read from `path` when it exists.  Otherwise derived from Python's Unicode
    data (unicodedata.unidata_version): a character whose full folding
    (str.casefold, statuses C and F) is one character has that as its C
    mapping; one whose full folding is longer (status F) has as its S mapping
    its lower case when that is one character (true of every S entry up to
    Unicode 15.0, checked by decode_sealed_vectors.py), else none."""
    table = {}
    if path and os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                fields = [x.strip() for x in line.split("#", 1)[0].split(";")]
                if len(fields) >= 3 and fields[1] in ("C", "S"):
                    table[int(fields[0], 16)] = int(fields[2], 16)
        return table
    for cp in range(0x110000):
        if 0xD800 <= cp <= 0xDFFF:
            continue
        ch = chr(cp)
        full = ch.casefold()
        if len(full) == 1:
            if full != ch:
                table[cp] = ord(full)
        else:
            low = ch.lower()
            if len(low) == 1 and low != ch:
                table[cp] = ord(low)
    return table


def simple_case_fold(name):
    """The name after Unicode simple case folding (one code point for one)."""
    return name.translate(simple_case_fold_table())


def parse_table(table, data_length):
    """Message 2: LE32(count), then per file: name length (1 byte, 1..255),
    name (UTF-8), LE64(size).  Returns [(name, size)]."""
    def take(pos, n):
        if pos + n > len(table):
            raise Damage("the table ends inside an entry")
        return table[pos:pos + n], pos + n

    raw, pos = take(0, 4)
    count = struct.unpack("<I", raw)[0]
    entries = []
    folded = set()
    for _ in range(count):
        raw, pos = take(pos, 1)
        name_length = raw[0]
        if name_length == 0:
            raise Damage("the table has an empty name")
        # A name longer than 255 bytes cannot be written with a 1-byte length.
        raw, pos = take(pos, name_length)
        try:
            name = raw.decode("utf-8", errors="strict")
        except UnicodeDecodeError:
            raise Damage("the table has a name that is not valid UTF-8")
        key = simple_case_fold(name)
        if key in folded:
            raise Damage("the table has two names equal regardless of "
                         "letter case: %r" % name)
        folded.add(key)
        raw, pos = take(pos, 8)
        entries.append((name, struct.unpack("<Q", raw)[0]))
    if pos != len(table):
        raise Damage("the table does not parse to exactly its length "
                     "(%d of %d bytes)" % (pos, len(table)))
    if sum(size for _, size in entries) != data_length:
        raise Damage("the file sizes do not add up to the data length")
    return entries


def open_container(image, passphrase):
    """Open the sealed container in the BMP file contents `image`.
    Returns [(name, data)] in table order; raises NoContainer, Damage or
    BadInput."""
    bmp = read_bitmap(image)
    if bmp.n < MIN_PIXEL_BYTES:
        raise NoContainer(NO_CONTAINER + " (the picture is too small to "
                          "hold one)")
    if len(passphrase) > MAX_PASSPHRASE_BYTES:
        raise NoContainer(NO_CONTAINER + " (a passphrase has at most %d "
                          "bytes)" % MAX_PASSPHRASE_BYTES)
    pixels = pixel_bytes(image, bmp)

    # Section 2 and 3: salt from the public salt blocks, then the keys.
    a0 = salt_order(bmp.n)
    salt = read_salt(pixels, a0)
    _k, kpos, kenc = derive_keys(passphrase, salt)
    blocks = SecretBlocks(pixels, a0, kpos)

    # Section 4: secretstream header and head.
    head_end = HEADERBYTES + HEAD_PLAIN + ABYTES
    stream = blocks.stream(head_end)
    state = SS.crypto_secretstream_xchacha20poly1305_state()
    SS.crypto_secretstream_xchacha20poly1305_init_pull(
        state, stream[:HEADERBYTES], kenc)
    try:
        head, tag = SS.crypto_secretstream_xchacha20poly1305_pull(
            state, stream[HEADERBYTES:head_end])
    except nacl.exceptions.CryptoError:
        raise NoContainer(NO_CONTAINER)
    if tag != TAG_MESSAGE:   # the head always carries TAG_MESSAGE
        raise Damage("the head has tag %d instead of %d" % (tag, TAG_MESSAGE))
    version = head[0]
    reserved = head[1:4]
    table_length, data_length = struct.unpack_from("<IQ", head, 4)
    if version != 1:
        raise Damage("version %d, not 1" % version)
    if reserved != b"\0\0\0":
        raise Damage("a reserved byte of the head is not zero")
    messages = data_message_count(data_length)
    needed = (head_end + table_length + ABYTES
              + data_length + ABYTES * messages)
    if needed > blocks.capacity:
        raise Damage("table length %d and data length %d do not fit into the "
                     "capacity of %d bytes" % (table_length, data_length,
                                               blocks.capacity))

    # Everything the container uses, now that its length is known.
    stream = blocks.stream(needed)
    pos = head_end

    # Message 2, the table: TAG_FINAL when there are no data.
    end = pos + table_length + ABYTES
    table = pull(state, stream[pos:end],
                 TAG_FINAL if messages == 0 else TAG_MESSAGE, "table")
    pos = end
    entries = parse_table(table, data_length)

    # The data, in messages of 65536 bytes; the last one carries TAG_FINAL.
    data = bytearray()
    for number in range(messages):
        length = min(DATA_MESSAGE, data_length - number * DATA_MESSAGE)
        end = pos + length + ABYTES
        data += pull(state, stream[pos:end],
                     TAG_FINAL if number == messages - 1 else TAG_MESSAGE,
                     "data message %d" % (number + 1))
        pos = end
    assert len(data) == data_length

    files = []
    start = 0
    for name, size in entries:
        files.append((name, bytes(data[start:start + size])))
        start += size
    return files


# --- Command line ------------------------------------------------------------

def read_passphrase(path):
    """The first line of the file, without its line end, as bytes (taken as
    the passphrase's UTF-8 form)."""
    with open(path, "rb") as f:
        content = f.read()
    line = content.split(b"\n", 1)[0]
    if line.endswith(b"\r"):
        line = line[:-1]
    return line


def check_name(name):
    if name in (".", "..") or "/" in name or "\0" in name:
        raise UnsafeName("refusing to write a file named %r" % name)


def main(argv):
    if len(argv) != 4:
        raise BadInput("usage: %s IMAGE PASSPHRASE_FILE OUTDIR" % argv[0])
    image_path, passphrase_path, outdir = argv[1:]
    try:
        with open(image_path, "rb") as f:
            image = f.read()
        passphrase = read_passphrase(passphrase_path)
    except OSError as e:
        raise BadInput(str(e))

    files = open_container(image, passphrase)
    for name, _ in files:
        check_name(name)
    try:
        os.makedirs(outdir, exist_ok=True)
        for name, content in files:
            with open(os.path.join(outdir, name), "wb") as f:
                f.write(content)
    except OSError as e:
        raise BadInput(str(e))
    for name, content in files:
        sys.stdout.buffer.write(b"%d\t%s\n" % (len(content),
                                               name.encode("utf-8")))
    sys.stdout.buffer.flush()
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except NoContainer as e:
        print(e, file=sys.stderr)
        sys.exit(1)
    except Damage as e:
        print("damaged sealed container: %s" % e, file=sys.stderr)
        sys.exit(2)
    except UnsafeName as e:
        print(e, file=sys.stderr)
        sys.exit(3)
    except BadInput as e:
        print(e, file=sys.stderr)
        sys.exit(4)
