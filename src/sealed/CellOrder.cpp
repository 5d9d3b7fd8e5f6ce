// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CellOrder.h"

#include <QtEndian>

#include <sodium.h>

#include <algorithm>
#include <numeric>

using namespace SealedFormat;

void CellOrder::shuffle(
    std::vector<std::uint32_t> &cells, const SealedKeys::Key &key, quint64 chunk)
{
    if (cells.size() < 2)
        return;
    unsigned char nonce[crypto_stream_chacha20_ietf_NONCEBYTES] = {};
    for (int i = 0; i < 8; ++i)
        nonce[i] = static_cast<unsigned char>(chunk >> (8 * i));
    std::vector<std::uint32_t> words(cells.size() - 1);
    crypto_stream_chacha20_ietf(reinterpret_cast<unsigned char *>(words.data()),
        words.size() * sizeof(std::uint32_t), nonce, key.data());
    std::size_t next = 0;
    for (std::size_t i = cells.size() - 1; i >= 1; --i) {
        // The keystream's words are little-endian, as is this processor.
        const std::uint64_t r = qFromLittleEndian(words[next++]);
        const std::size_t j = static_cast<std::size_t>((r * (i + 1)) >> 32);
        std::swap(cells[i], cells[j]);
    }
}

qint64 CellOrder::cellsIn(qint64 pixelBytes, qint64 chunk)
{
    const qint64 bytes = std::clamp(pixelBytes - chunk * ChunkBytes, qint64(0), ChunkBytes);
    return bytes / CellBytes;
}

std::vector<std::uint32_t> CellOrder::saltCells(qint64 pixelBytes)
{
    std::vector<std::uint32_t> cells(static_cast<std::size_t>(cellsIn(pixelBytes, 0)));
    std::iota(cells.begin(), cells.end(), 0u);
    shuffle(cells, SealedKeys::saltPositions(), 0);
    cells.resize(std::min<std::size_t>(cells.size(), SaltCells));
    return cells;
}

std::vector<std::uint32_t> CellOrder::secretCells(
    qint64 pixelBytes, quint64 chunk, const SealedKeys::Key &key)
{
    std::vector<std::uint32_t> cells(static_cast<std::size_t>(cellsIn(pixelBytes, qint64(chunk))));
    std::iota(cells.begin(), cells.end(), 0u);
    if (chunk == 0) {
        shuffle(cells, SealedKeys::saltPositions(), 0);
        cells.erase(
            cells.begin(), cells.begin() + std::min<std::ptrdiff_t>(SaltCells, cells.size()));
    }
    shuffle(cells, key, chunk);
    return cells;
}

qint64 CellOrder::secretBlocks(qint64 pixelBytes)
{
    if (pixelBytes < ChunkBytes)
        return 0;
    const qint64 chunks = (pixelBytes + ChunkBytes - 1) / ChunkBytes;
    qint64 cells = (chunks - 1) * CellsPerChunk + cellsIn(pixelBytes, chunks - 1);
    return cells - SaltCells;
}

qint64 CellOrder::streamCapacity(qint64 pixelBytes)
{
    return secretBlocks(pixelBytes) * BitsPerCell / 8;
}
