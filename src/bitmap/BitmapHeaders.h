// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>
#include <QtGlobal>

// The two headers at the start of a BMP file, held exactly as read so that
// they are written back byte for byte.

// BITMAPFILEHEADER: file offsets 0..13, packed, little-endian.
struct BitmapFileHeader {
    static constexpr int Size = 14;

    QByteArray bfType; // two characters, "BM" for a bitmap
    quint32 bfSize = 0;
    quint16 bfReserved1 = 0;
    quint16 bfReserved2 = 0;
    quint32 bfOffBits = 0;

    static BitmapFileHeader fromBytes(const char *bytes);
    QByteArray toBytes() const;
};

// The info header from file offset 14 on, kept as its raw bytes, all biSize
// of them; the fields are read from them on demand. Its size, its first four
// bytes, tells its kind:
//   12: the OS/2 core header (BITMAPCOREHEADER): 16-bit width and height,
//       planes and bit count, and no compression;
//   40: BITMAPINFOHEADER, the usual kind;
//   52, 56, 108, 124: kinds that begin as BITMAPINFOHEADER and add colour
//       masks, a colour space (108) and a colour profile (124).
// Fields a header lacks, or is too short to hold, read as zero.
struct BitmapInfoHeader {
    static constexpr int Size = 40;
    static constexpr int CoreSize = 12;
    static constexpr int V5Size = 124; // the largest kind

    QByteArray raw = QByteArray(Size, '\0');

    quint32 biSize() const;
    bool isCore() const { return biSize() == CoreSize; }
    qint32 biWidth() const;
    qint32 biHeight() const;
    quint16 biPlanes() const;
    quint16 biBitCount() const;
    quint32 biCompression() const;
    // Of a 124-byte header: where its colour profile starts, counted from the
    // header's first byte, and how long it is.
    quint32 bV5ProfileData() const;
    quint32 bV5ProfileSize() const;
};
