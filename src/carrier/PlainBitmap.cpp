// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PlainBitmap.h"

#include "AtomicFile.h"
#include "BitmapHeaders.h"

#include <QCoreApplication>
#include <QtEndian>

#include <limits>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PlainBitmap", text);
}

} // namespace

Outcome PlainBitmap::write(const QString &path, const RowSource &row) const
{
    if (width <= 0 || height <= 0
        || qint64(width) * height > std::numeric_limits<qint32>::max() / 3) {
        return Outcome::failure(tr("A bitmap of %1 x %2 pixels cannot carry hidden files: its "
                                   "pixels must take fewer than 2 GiB.")
                                    .arg(width)
                                    .arg(height));
    }
    const qint64 stride = (qint64(width) * 3 + 3) / 4 * 4;
    const qint64 pixels = stride * height;
    if (54 + pixels > std::numeric_limits<quint32>::max())
        return Outcome::failure(tr("The bitmap would be too large for its header."));

    QByteArray headers(54, '\0');
    char *h = headers.data();
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(quint32(54 + pixels), h + 2);
    qToLittleEndian<quint32>(54, h + 10);
    qToLittleEndian<quint32>(BitmapInfoHeader::Size, h + 14);
    qToLittleEndian<qint32>(width, h + 18);
    qToLittleEndian<qint32>(height, h + 22); // positive: bottom-up
    qToLittleEndian<quint16>(1, h + 26);
    qToLittleEndian<quint16>(24, h + 28);
    qToLittleEndian<quint32>(quint32(pixels), h + 34);
    qToLittleEndian<qint32>(pixelsPerMetre, h + 38);
    qToLittleEndian<qint32>(pixelsPerMetre, h + 42);

    AtomicFile file(path, AtomicFile::Mode::Replace);
    if (Outcome opened = file.open(); !opened)
        return opened;
    if (Outcome written = file.write(headers.constData(), headers.size()); !written)
        return written;
    QByteArray line(static_cast<qsizetype>(stride), '\0');
    for (qint32 y = height - 1; y >= 0; --y) {
        row(y, line.data());
        if (Outcome written = file.write(line.constData(), line.size()); !written)
            return written;
    }
    return file.commit();
}
