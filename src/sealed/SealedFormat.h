// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QtGlobal>

// The fixed figures of the sealed container, version 1 (docs/sealed-format.md).
namespace SealedFormat {

constexpr quint8 Version = 1;
// Pixel bytes per chunk; each chunk is shuffled on its own.
constexpr qint64 ChunkBytes = 65536;
// The Hamming code: blocks of CellBytes pixel bytes carry BitsPerCell bits.
constexpr int BitsPerCell = 5;
constexpr int CellBytes = (1 << BitsPerCell) - 1;
constexpr qint64 CellsPerChunk = ChunkBytes / CellBytes;
// The salt, in the first cells of chunk 0 in the public order.
constexpr int SaltBytes = 16;
constexpr int SaltCells = (8 * SaltBytes + BitsPerCell - 1) / BitsPerCell;
// What the secretstream adds: its header, and to every message.
constexpr qint64 StreamHeaderBytes = 24;
constexpr qint64 MessageOverhead = 17;
// The head: version, three reserved bytes, table length, data length.
constexpr qint64 HeadBytes = 16;
// File data go in messages of at most this many bytes.
constexpr qint64 DataMessageBytes = 65536;
// Names are UTF-8, 1 to this many bytes.
constexpr int LongestName = 255;
// The passphrase's UTF-8 form, at most.
constexpr qsizetype LongestPassphrase = 4096;

// The stream bytes a container of tableBytes of table and dataBytes of data
// takes, padding left out.
constexpr qint64 containerBytes(qint64 tableBytes, qint64 dataBytes)
{
    const qint64 dataMessages = (dataBytes + DataMessageBytes - 1) / DataMessageBytes;
    return StreamHeaderBytes + HeadBytes + MessageOverhead + tableBytes + MessageOverhead
        + dataBytes + dataMessages * MessageOverhead;
}

} // namespace SealedFormat
