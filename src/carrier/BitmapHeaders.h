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

// BITMAPINFOHEADER: file offsets 14..53, kept as its 40 raw bytes; the
// fields are read from them on demand.
struct BitmapInfoHeader {
    static constexpr int Size = 40;

    QByteArray raw = QByteArray(Size, '\0');

    quint32 biSize() const;
    qint32 biWidth() const;
    qint32 biHeight() const;
    quint16 biBitCount() const;
    quint32 biCompression() const;
};
