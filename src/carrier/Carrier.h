// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "BitmapHeaders.h"
#include "FileIdentity.h"
#include "HiddenStream.h"
#include "Outcome.h"

#include <QByteArray>
#include <QString>

// The one bitmap the open container lives in: its two headers, its pixel
// area and whatever the file holds behind the pixel area.
//
// The pixel area is biWidth x |biHeight| x 3 bytes from file offset 54,
// row fill bytes included; hidden data stored in existing bitmaps depends on
// exactly that placement.
class Carrier {
public:
    static constexpr qint64 PixelOffset = BitmapFileHeader::Size + BitmapInfoHeader::Size;

    // Loads the bitmap at path. On failure the message says why, for the
    // user, and the carrier keeps what it held before.
    Outcome LoadCarrier(const QString &path);

    // Replaces the file at path with the held headers, pixel area and trailing
    // bytes. The file is replaced only once every byte is written; on failure
    // it stays as it was and the message names the reason.
    Outcome SaveCarrier(const QString &path) const;

    // Releases the pixel area (the container was closed); the headers stay.
    void release();

    bool isLoaded() const { return m_loaded; }

    const BitmapFileHeader &fileHeader() const { return m_fileHeader; }
    const BitmapInfoHeader &infoHeader() const { return m_infoHeader; }
    const QByteArray &Pixels() const { return m_pixels; }
    // The file as it was when it was loaded.
    const FileIdentity &identity() const { return m_identity; }

    // The hidden byte stream over the pixel area. Valid while loaded.
    HiddenStream stream() { return HiddenStream(m_pixels); }
    qint32 Capacity() const { return static_cast<qint32>(m_pixels.size() / 8); }

private:
    BitmapFileHeader m_fileHeader;
    BitmapInfoHeader m_infoHeader;
    QByteArray m_pixels;
    QByteArray m_trailing;
    FileIdentity m_identity;
    bool m_loaded = false;
};
