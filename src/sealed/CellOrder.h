// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedKeys.h"

#include <QtGlobal>

#include <cstdint>
#include <vector>

// Which cells of a chunk carry which bits: the chunk's cells in an order
// shuffled by a key. Chunk 0 gives its first cells, in the public order, to
// the salt; its other cells and those of every other chunk are shuffled by
// the position key.
namespace CellOrder {

// Fisher-Yates over cells, driven by ChaCha20 under key with the chunk's
// number as nonce.
void shuffle(std::vector<std::uint32_t> &cells, const SealedKeys::Key &key, quint64 chunk);

// The cells of chunk chunk of a picture of pixelBytes pixel bytes: how many.
qint64 cellsIn(qint64 pixelBytes, qint64 chunk);

// The salt's cells, in order.
std::vector<std::uint32_t> saltCells(qint64 pixelBytes);

// The secret order of the cells of chunk chunk.
std::vector<std::uint32_t> secretCells(
    qint64 pixelBytes, quint64 chunk, const SealedKeys::Key &key);

// The secret blocks of a picture: how many, and the stream bytes they carry.
qint64 secretBlocks(qint64 pixelBytes);
qint64 streamCapacity(qint64 pixelBytes);

} // namespace CellOrder
