// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QtGlobal>

class Carrier;

// The pixel bytes of a bitmap as a sealed container numbers them: the
// 3 x width bytes of each row, rows in file order, fill bytes left out.
// Pixel byte d lies at file offset fileOffset(d).
struct PixelGrid {
    qint64 offset = 0; // of the first row in the file
    qint64 rowBytes = 0; // 3 x width
    qint64 stride = 0; // rowBytes rounded up to a multiple of 4
    qint64 rows = 0;

    static PixelGrid of(const Carrier &carrier);

    qint64 count() const { return rowBytes * rows; }
    qint64 fileOffset(qint64 d) const { return offset + (d / rowBytes) * stride + d % rowBytes; }
    // Where the file bytes of pixel bytes first .. first + count - 1 end.
    qint64 fileEnd(qint64 first, qint64 count) const { return fileOffset(first + count - 1) + 1; }

    // Copies pixel bytes first .. first + count - 1 out of the file bytes in
    // piece, which start at file offset pieceStart, into pixels; put()
    // copies them back.
    void take(const char *piece, qint64 pieceStart, qint64 first, qint64 count, char *pixels) const;
    void put(char *piece, qint64 pieceStart, qint64 first, qint64 count, const char *pixels) const;
};
