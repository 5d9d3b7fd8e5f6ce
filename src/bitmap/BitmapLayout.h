// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "BitmapHeaders.h"
#include "base/Outcome.h"

// Where the pixels of a bitmap file lie, read from its headers, or why hidden
// data cannot go into it.
//
// Plain, uncompressed 24-bit bitmaps carry hidden data: with the usual
// 40-byte info header and their pixels at byte 54, with the OS/2 core header,
// and with the 52-, 56-, 108- and 124-byte headers. The hidden data take
// biWidth x |biHeight| x 3 bytes from the first pixel byte (bfOffBits), row
// fill bytes included. Every byte outside them stays as it is: headers,
// colour masks and tables, the gap before the pixels and a colour profile,
// which a 124-byte header may place before or after the pixels.
struct BitmapLayout {
    // The bytes at the start of a file that read() needs at most.
    static constexpr int HeadBytes = BitmapFileHeader::Size + BitmapInfoHeader::V5Size;

    // What a refusal says of the file.
    enum class Refusal {
        None,
        NotABitmap, // not a BMP file: maybe a picture of another format
        Convertible, // a bitmap "veldra-cli carrier" can make a 24-bit copy of
        Unusable, // a bitmap that can neither carry nor be converted
    };

    BitmapFileHeader file;
    BitmapInfoHeader info;
    qint64 pixelOffset = 0; // the file offset of the first pixel byte
    qint64 areaSize = 0; // the pixel bytes that carry hidden bits
    Refusal refusal = Refusal::None;

    // The bytes of both headers, from the start of the file.
    qint64 headerSize() const { return BitmapFileHeader::Size + info.raw.size(); }

    // Reads the layout from the first got bytes of a file (at most HeadBytes
    // of them are looked at). On failure the message says why, for the user,
    // and refusal tells what kind of file was turned away.
    Outcome read(const char *bytes, qint64 got);
    // Refuses a layout whose pixels would start after the end of a file of
    // fileSize bytes: there are none, and a write would fill the gap.
    Outcome checkAgainst(qint64 fileSize) const;

private:
    Outcome refuseLayout(const QString &reason) const;
    Outcome placePixels();
};
