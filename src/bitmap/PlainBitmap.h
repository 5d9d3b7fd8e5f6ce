// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QString>

#include <functional>

// A new plain 24-bit bitmap: the 54-byte headers, then the rows bottom-up,
// each padded with zeros to a multiple of four bytes. Such a file is a
// carrier: its pixel area starts right after the headers.
struct PlainBitmap {
    qint32 width = 0;
    qint32 height = 0;
    // The resolution across and down; 2835 is 72 dots per inch.
    qint32 pixelsPerMetreX = 2835;
    qint32 pixelsPerMetreY = 2835;

    // Gives row y (0 the top row) as width x 3 bytes in blue, green, red order.
    using RowSource = std::function<void(qint32 y, char *bgr)>;
    // Takes the file's bytes, a piece at a time, in order.
    using Sink = std::function<Outcome(const char *data, qint64 size)>;

    // The hidden bytes such a bitmap carries.
    qint64 capacity() const { return qint64(width) * height * 3 / 8; }

    // Writes the bitmap to path, which is replaced only once every byte is
    // written and synced; without replace, a file there by then is kept and
    // the writing fails (Kind::Exists). Refuses sizes a carrier cannot have.
    Outcome write(const QString &path, const RowSource &row, bool replace = true) const;
    // Writes the bitmap to sink, which may have taken part of it when a
    // piece fails. Refuses sizes a carrier cannot have before the first.
    Outcome writeTo(const Sink &sink, const RowSource &row) const;

private:
    Outcome checkSize() const;
};
