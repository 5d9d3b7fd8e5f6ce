// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"
#include "bitmap/PlainBitmap.h"

#include <QSize>
#include <QString>

// Turns a picture of any format Qt's image readers know (PNG, JPEG, GIF,
// BMP of any depth, TIFF, WebP, ...) into a plain 24-bit BMP that can carry
// hidden files. Transparency is flattened onto white.
namespace PictureCarrier {

struct Made {
    QString format; // of the picture read, as Qt names it: "png", "jpeg"
    bool lossy = false; // the format may have thrown detail away
    QSize size;
    qint64 capacity = 0; // hidden bytes the new bitmap carries
};

// True when path names a regular file that Qt can read as a picture.
bool readable(const QString &path);
// True when the picture at path is in a format that loses detail (JPEG and
// the like).
bool isLossyFormat(const QString &path);

// Writes the picture at source as a 24-bit BMP to target. An existing
// target is refused unless replace is set.
Outcome make(const QString &source, const QString &target, bool replace, Made *made);
// Writes it to sink instead, a stream such as standard output. A failure of
// the sink comes back as it is, with part of the BMP taken.
Outcome stream(const QString &source, const PlainBitmap::Sink &sink, Made *made);

// A name for a BMP copy beside source that nothing has yet: the same name
// with ".bmp", or "name (2).bmp" and so on.
QString freeNameBeside(const QString &source);

} // namespace PictureCarrier
