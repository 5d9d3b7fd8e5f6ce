// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CellStream.h"

#include "CellOrder.h"
#include "Syndrome.h"
#include "bitmap/BitPlane.h"
#include "bitmap/Carrier.h"

#include <QCoreApplication>
#include <QtEndian>

#include <sodium.h>

#include <algorithm>
#include <cstring>

using namespace SealedFormat;

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(SealedContainer)
public:
    static Outcome endsEarly()
    {
        return Outcome::failure(Outcome::Kind::Damaged, tr("The sealed container is damaged."),
            tr("Its data reach past what the image can hold."));
    }
};

qint64 chunksOf(const PixelGrid &grid)
{
    return (grid.count() + ChunkBytes - 1) / ChunkBytes;
}

qint64 chunkBytes(const PixelGrid &grid, quint64 chunk)
{
    return std::min(ChunkBytes, grid.count() - qint64(chunk) * ChunkBytes);
}

// Reads the pixel bytes of a chunk from the bitmap on disk.
Outcome readChunk(
    const Carrier &carrier, const PixelGrid &grid, quint64 chunk, std::vector<std::uint8_t> *pixels)
{
    const qint64 first = qint64(chunk) * ChunkBytes;
    const qint64 count = chunkBytes(grid, chunk);
    const qint64 start = grid.fileOffset(first);
    QByteArray piece(static_cast<qsizetype>(grid.fileEnd(first, count) - start), Qt::Uninitialized);
    if (Outcome read = carrier.readPixels(piece.data(), start - grid.offset, piece.size()); !read)
        return read;
    pixels->resize(static_cast<std::size_t>(count));
    grid.take(piece.constData(), start, first, count, reinterpret_cast<char *>(pixels->data()));
    return Outcome::success();
}

} // namespace

CellReader::CellReader(const Carrier &carrier, const SealedKeys::Key &positions)
    : m_carrier(carrier),
      m_grid(PixelGrid::of(carrier)),
      m_key(positions)
{
}

Outcome CellReader::readSalt(const Carrier &carrier, SealedKeys::Salt *salt)
{
    const PixelGrid grid = PixelGrid::of(carrier);
    std::vector<std::uint8_t> pixels;
    if (Outcome read = readChunk(carrier, grid, 0, &pixels); !read)
        return read;
    salt->fill(0);
    int bit = 0;
    for (const std::uint32_t cell : CellOrder::saltCells(grid.count())) {
        const int bits = Syndrome::of(pixels.data() + std::size_t(cell) * CellBytes);
        for (int j = 0; j < BitsPerCell && bit < 8 * SaltBytes; ++j, ++bit)
            (*salt)[std::size_t(bit / 8)] |= std::uint8_t(((bits >> j) & 1) << (bit % 8));
    }
    return Outcome::success();
}

Outcome CellReader::loadChunk()
{
    if (qint64(m_chunk) >= chunksOf(m_grid))
        return Texts::endsEarly();
    std::vector<std::uint8_t> pixels;
    if (Outcome read = readChunk(m_carrier, m_grid, m_chunk, &pixels); !read)
        return read;
    const std::vector<std::uint32_t> cells = CellOrder::secretCells(m_grid.count(), m_chunk, m_key);
    m_bytes.remove(0, m_used);
    m_used = 0;
    m_bytes.reserve(m_bytes.size() + qsizetype(cells.size()) * BitsPerCell / 8 + 1);
    for (const std::uint32_t cell : cells) {
        m_bits |= quint32(Syndrome::of(pixels.data() + std::size_t(cell) * CellBytes))
            << m_bitCount;
        m_bitCount += BitsPerCell;
        while (m_bitCount >= 8) {
            m_bytes.append(char(m_bits & 0xFF));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }
    ++m_chunk;
    return Outcome::success();
}

Outcome CellReader::read(char *out, qint64 count)
{
    while (count > 0) {
        if (m_used == m_bytes.size()) {
            if (Outcome loaded = loadChunk(); !loaded)
                return loaded;
            continue;
        }
        const qint64 n = std::min<qint64>(count, m_bytes.size() - m_used);
        std::memcpy(out, m_bytes.constData() + m_used, static_cast<std::size_t>(n));
        m_used += n;
        out += n;
        count -= n;
    }
    return Outcome::success();
}

CellWriter::CellWriter(const PixelGrid &grid, const SealedKeys::Key &positions,
    const SealedKeys::Salt &salt, Source next)
    : m_grid(grid),
      m_key(positions),
      m_salt(salt),
      m_next(std::move(next))
{
}

namespace {

// The first pixel byte at or after file offset pos.
qint64 pixelAtOrAfter(const PixelGrid &grid, qint64 pos)
{
    const qint64 row = (pos - grid.offset) / grid.stride;
    const qint64 inRow = (pos - grid.offset) % grid.stride;
    return row * grid.rowBytes + std::min(inRow, grid.rowBytes);
}

// Chunks go to the copy a few at a time, so that a piece is about as large
// as the plain writer's.
constexpr quint64 ChunksPerPiece = 4;

} // namespace

qint64 CellWriter::pieceEnd(qint64 pos) const
{
    if (pos < m_grid.offset)
        return m_grid.offset;
    const qint64 d = pixelAtOrAfter(m_grid, pos);
    if (d >= m_grid.count())
        return pos + (1 << 20);
    const quint64 last = std::min<quint64>(
        quint64(d / ChunkBytes) + ChunksPerPiece - 1, quint64((m_grid.count() - 1) / ChunkBytes));
    return m_grid.fileEnd(qint64(last) * ChunkBytes, chunkBytes(m_grid, last));
}

Outcome CellWriter::change(qint64 pos, char *bytes, qint64 size)
{
    if (pos < m_grid.offset || size <= 0)
        return Outcome::success();
    // Every chunk whose pixel bytes all lie in the piece: pieces are cut so.
    for (qint64 d = pixelAtOrAfter(m_grid, pos); d < m_grid.count();) {
        const quint64 chunk = quint64(d / ChunkBytes);
        const qint64 first = qint64(chunk) * ChunkBytes;
        const qint64 count = chunkBytes(m_grid, chunk);
        if (m_grid.fileEnd(first, count) > pos + size)
            break;
        if (m_grid.stride == m_grid.rowBytes) {
            // Rows without fill bytes: the chunk's pixel bytes lie side by side.
            auto *pixels
                = reinterpret_cast<std::uint8_t *>(bytes + (m_grid.fileOffset(first) - pos));
            if (Outcome stored = storeChunk(chunk, pixels); !stored)
                return stored;
        } else {
            m_pixels.resize(std::size_t(count));
            m_grid.take(bytes, pos, first, count, reinterpret_cast<char *>(m_pixels.data()));
            if (Outcome stored = storeChunk(chunk, m_pixels.data()); !stored)
                return stored;
            m_grid.put(bytes, pos, first, count, reinterpret_cast<const char *>(m_pixels.data()));
        }
        d = first + count;
    }
    return Outcome::success();
}

Outcome CellWriter::nextBits(int *bits)
{
    while (m_bitCount < BitsPerCell) {
        if (m_used == m_bytes.size()) {
            m_bytes.resize(4096);
            m_used = 0;
            if (Outcome got = m_next(m_bytes.data(), m_bytes.size()); !got)
                return got;
        }
        m_bits |= quint32(quint8(m_bytes.at(m_used++))) << m_bitCount;
        m_bitCount += 8;
    }
    *bits = int(m_bits & ((1u << BitsPerCell) - 1));
    m_bits >>= BitsPerCell;
    m_bitCount -= BitsPerCell;
    return Outcome::success();
}

Outcome CellWriter::storeChunk(quint64 chunk, std::uint8_t *pixels)
{
    // First what each cell takes, in the order of the stream; then the
    // cells are stored in the order of the pixel bytes, which the processor
    // reads ahead.
    const qint64 cellsHere = CellOrder::cellsIn(m_grid.count(), qint64(chunk));
    constexpr std::uint8_t Nothing = 0xFF;
    m_carried.assign(std::size_t(cellsHere), Nothing);
    if (chunk == 0) {
        int bit = 0;
        for (const std::uint32_t cell : CellOrder::saltCells(m_grid.count())) {
            int bits = 0;
            for (int j = 0; j < BitsPerCell; ++j, ++bit) {
                if (bit < 8 * SaltBytes)
                    bits |= ((m_salt[std::size_t(bit / 8)] >> (bit % 8)) & 1) << j;
            }
            m_carried[cell] = std::uint8_t(bits);
        }
    }
    for (const std::uint32_t cell : CellOrder::secretCells(m_grid.count(), chunk, m_key)) {
        int bits = 0;
        if (Outcome got = nextBits(&bits); !got)
            return got;
        m_carried[cell] = std::uint8_t(bits);
    }
    m_signs.resize(static_cast<qsizetype>(cellsHere / 8 + 1));
    randombytes_buf(m_signs.data(), std::size_t(m_signs.size()));
    const auto *signs = reinterpret_cast<const std::uint8_t *>(m_signs.constData());
    // The lowest bits of the cells' bytes, gathered eight bytes at a time,
    // and eight bytes to spare for reading a cell's 31 bits as one word.
    const std::size_t bytes = std::size_t(cellsHere) * CellBytes;
    m_lowest.assign(bytes / 8 + 16, 0);
    BitPlane::gather(pixels, m_lowest.data(), bytes / 8);
    for (std::size_t t = bytes / 8 * 8; t < bytes; ++t)
        m_lowest[t / 8] |= std::uint8_t((pixels[t] & 1) << (t % 8));
    for (qint64 cell = 0; cell < cellsHere; ++cell) {
        if (m_carried[std::size_t(cell)] == Nothing)
            continue;
        const std::size_t first = std::size_t(cell) * CellBytes;
        std::uint64_t word = 0;
        std::memcpy(&word, m_lowest.data() + first / 8, sizeof word);
        const auto odd = std::uint32_t(qFromLittleEndian(word) >> (first % 8)) & 0x7FFFFFFFu;
        const bool upward = (signs[cell / 8] >> (cell % 8)) & 1;
        Syndrome::store(pixels + first, odd, m_carried[std::size_t(cell)], upward);
    }
    return Outcome::success();
}
