// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PixelGrid.h"

#include "bitmap/Carrier.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

PixelGrid PixelGrid::of(const Carrier &carrier)
{
    PixelGrid grid;
    grid.offset = carrier.pixelOffset();
    grid.rowBytes = 3 * qint64(carrier.infoHeader().biWidth());
    grid.stride = (grid.rowBytes + 3) / 4 * 4;
    grid.rows = std::abs(qint64(carrier.infoHeader().biHeight()));
    return grid;
}

namespace {

// Calls copy(fileOffset, pixelIndex, length) for each row segment of pixel
// bytes first .. first + count - 1.
template <typename Copy>
void eachSegment(const PixelGrid &grid, qint64 first, qint64 count, Copy copy)
{
    for (qint64 d = first; d < first + count;) {
        const qint64 inRow = d % grid.rowBytes;
        const qint64 length = std::min(grid.rowBytes - inRow, first + count - d);
        copy(grid.fileOffset(d), d - first, length);
        d += length;
    }
}

} // namespace

void PixelGrid::take(
    const char *piece, qint64 pieceStart, qint64 first, qint64 count, char *pixels) const
{
    eachSegment(*this, first, count, [&](qint64 at, qint64 index, qint64 length) {
        std::memcpy(pixels + index, piece + (at - pieceStart), static_cast<std::size_t>(length));
    });
}

void PixelGrid::put(
    char *piece, qint64 pieceStart, qint64 first, qint64 count, const char *pixels) const
{
    eachSegment(*this, first, count, [&](qint64 at, qint64 index, qint64 length) {
        std::memcpy(piece + (at - pieceStart), pixels + index, static_cast<std::size_t>(length));
    });
}
