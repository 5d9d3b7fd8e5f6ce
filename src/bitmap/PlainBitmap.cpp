// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PlainBitmap.h"

#include "BitmapHeaders.h"
#include "io/AtomicFile.h"

#include <QCoreApplication>
#include <QtEndian>

#include <limits>

namespace {

// This file's texts, translated under the context "PlainBitmap".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(PlainBitmap)
};

} // namespace

Outcome PlainBitmap::checkSize() const
{
    if (width <= 0 || height <= 0
        || qint64(width) * height > std::numeric_limits<qint32>::max() / 3) {
        return Outcome::failure(
            Texts::tr("A bitmap of %1 x %2 pixels cannot carry hidden files: its "
                      "pixels must take fewer than 2 GiB.")
                .arg(width)
                .arg(height));
    }
    return Outcome::success();
}

Outcome PlainBitmap::write(const QString &path, const RowSource &row, bool replace) const
{
    AtomicFile file(path, replace ? AtomicFile::Mode::Replace : AtomicFile::Mode::Create);
    if (Outcome opened = file.open(); !opened)
        return opened;
    const Outcome written
        = writeTo([&file](const char *data, qint64 size) { return file.write(data, size); }, row);
    return written ? file.commit() : written;
}

Outcome PlainBitmap::writeTo(const Sink &sink, const RowSource &row) const
{
    if (Outcome fits = checkSize(); !fits)
        return fits;
    const qint64 stride = (qint64(width) * 3 + 3) / 4 * 4;
    const qint64 pixels = stride * height;
    if (54 + pixels > std::numeric_limits<quint32>::max())
        return Outcome::failure(Texts::tr("The bitmap would be too large for its header."));

    BitmapFileHeader fileHeader;
    fileHeader.bfType = QByteArrayLiteral("BM");
    fileHeader.bfSize = quint32(54 + pixels);
    fileHeader.bfOffBits = 54;
    BitmapInfoHeader info;
    char *i = info.raw.data();
    qToLittleEndian<quint32>(BitmapInfoHeader::Size, i);
    qToLittleEndian<qint32>(width, i + 4);
    qToLittleEndian<qint32>(height, i + 8); // positive: bottom-up
    qToLittleEndian<quint16>(1, i + 12);
    qToLittleEndian<quint16>(24, i + 14);
    qToLittleEndian<quint32>(quint32(pixels), i + 20);
    qToLittleEndian<qint32>(pixelsPerMetreX, i + 24);
    qToLittleEndian<qint32>(pixelsPerMetreY, i + 28);
    const QByteArray headers = fileHeader.toBytes() + info.raw;

    if (Outcome written = sink(headers.constData(), headers.size()); !written)
        return written;
    QByteArray line(static_cast<qsizetype>(stride), '\0');
    for (qint32 y = height - 1; y >= 0; --y) {
        row(y, line.data());
        if (Outcome written = sink(line.constData(), line.size()); !written)
            return written;
    }
    return Outcome::success();
}
