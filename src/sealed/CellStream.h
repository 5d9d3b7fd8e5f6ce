// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "PixelGrid.h"
#include "SealedKeys.h"
#include "base/Outcome.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <vector>

class Carrier;

// The stream of bytes the secret cells of a picture carry, read chunk by
// chunk from the bitmap on disk, in fixed memory whatever its size.
class CellReader {
public:
    CellReader(const Carrier &carrier, const SealedKeys::Key &positions);

    // The salt, from the public cells of chunk 0.
    static Outcome readSalt(const Carrier &carrier, SealedKeys::Salt *salt);

    // The next count bytes of the stream; fails past its capacity.
    Outcome read(char *out, qint64 count);

private:
    Outcome loadChunk();

    const Carrier &m_carrier;
    PixelGrid m_grid;
    SealedKeys::Key m_key;
    quint64 m_chunk = 0; // the next chunk to read
    QByteArray m_bytes; // stream bytes read but not yet given out
    qsizetype m_used = 0;
    quint32 m_bits = 0; // bits carried over to the next byte
    int m_bitCount = 0;
};

// Stores a stream into the cells of a picture, chunk by chunk, as a copy of
// the bitmap passes by (Carrier::writeCopy). The stream's bytes come from
// next, a piece at a time, in order.
class CellWriter {
public:
    using Source = std::function<Outcome(char *out, qint64 count)>;

    CellWriter(const PixelGrid &grid, const SealedKeys::Key &positions,
        const SealedKeys::Salt &salt, Source next);

    // Where the piece of the copy that starts at pos should end: pieces hold
    // whole chunks.
    qint64 pieceEnd(qint64 pos) const;
    // Stores the cells whose pixel bytes lie in the piece.
    Outcome change(qint64 pos, char *bytes, qint64 size);

private:
    Outcome storeChunk(quint64 chunk, std::uint8_t *pixels);
    // The next three bits of the stream.
    Outcome nextBits(int *bits);

    PixelGrid m_grid;
    SealedKeys::Key m_key;
    SealedKeys::Salt m_salt;
    Source m_next;
    QByteArray m_bytes;
    qsizetype m_used = 0;
    quint32 m_bits = 0;
    int m_bitCount = 0;
    std::vector<std::uint8_t> m_pixels;
    QByteArray m_signs; // random bits: up or down
    std::vector<std::uint8_t> m_carried; // the bits each cell of a chunk takes
    std::vector<std::uint8_t> m_lowest; // a chunk's lowest bits, byte t at bit t
};
