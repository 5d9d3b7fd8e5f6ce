// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "BitmapLayout.h"

#include <QCoreApplication>
#include <QtEndian>

#include <limits>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Carrier", text);
}

QString plainBitmapAdvice()
{
    return tr("Save the image as a plain, uncompressed 24-bit BMP file and open it again.");
}

bool knownHeaderSize(quint32 size)
{
    return size == BitmapInfoHeader::CoreSize || size == BitmapInfoHeader::Size || size == 52
        || size == 56 || size == 108 || size == BitmapInfoHeader::V5Size;
}

} // namespace

Outcome BitmapLayout::refuseLayout(const QString &reason) const
{
    return Outcome::failure(reason + QLatin1Char(' ') + tr("Hidden data would damage it.")
        + QLatin1Char(' ') + plainBitmapAdvice());
}

Outcome BitmapLayout::read(const char *bytes, qint64 got)
{
    constexpr qint64 Before = BitmapFileHeader::Size; // the info header's offset
    otherKind = true;
    if (got >= 2 && QByteArray(bytes, 2) != "BM")
        return Outcome::failure(tr("File isn't a bitmap!"), tr("It does not begin with \"BM\"."));
    if (got < Before + 4) {
        return Outcome::failure(tr("File isn't a bitmap!"),
            tr("It is only %1 bytes long, too short for a bitmap's headers.").arg(got));
    }

    // The header's size tells its kind, and so where its fields are: nothing
    // else is read before it is known.
    const quint32 size = qFromLittleEndian<quint32>(bytes + Before);
    info.raw = QByteArray(
        bytes + Before, qMin<qint64>(got - Before, qMin<quint32>(size, BitmapInfoHeader::V5Size)));
    if (!knownHeaderSize(size)) {
        return refuseLayout(tr("This bitmap has a header of an unknown kind (%1 bytes), so where "
                               "its pixels lie cannot be told.")
                                .arg(size));
    }
    file = BitmapFileHeader::fromBytes(bytes);
    const bool whole = got >= Before + size;
    if (file.bfOffBits < Before + size) {
        return refuseLayout(tr("This bitmap's pixels would start inside its headers (at byte %1; "
                               "the headers take %2 bytes).")
                                .arg(file.bfOffBits)
                                .arg(Before + size));
    }
    if (!whole) {
        return Outcome::failure(tr("File isn't a bitmap!"),
            tr("It is only %1 bytes long; a bitmap's headers alone take %2.")
                .arg(got)
                .arg(Before + size));
    }
    if (info.biCompression() != 0) {
        return refuseLayout(tr("This bitmap is compressed."));
    }
    if (info.biBitCount() != 24) {
        return Outcome::failure(tr("File must be a 24-bit bitmap!"),
            tr("This one has %1 bits per pixel.").arg(info.biBitCount()));
    }
    if (Outcome placed = placePixels(); !placed)
        return placed;
    otherKind = false;
    return Outcome::success();
}

// Finds the pixels at bfOffBits, which lies past the headers, apart from a
// colour profile, and the size of the area that carries hidden bits.
Outcome BitmapLayout::placePixels()
{
    const qint64 offset = file.bfOffBits;
    // The usual header has always had its hidden data from byte 54, and
    // files of that kind whose pixels lie elsewhere have always been turned
    // away: for it the place stays fixed.
    constexpr qint64 UsualOffset = BitmapFileHeader::Size + BitmapInfoHeader::Size;
    if (info.biSize() == BitmapInfoHeader::Size && offset != UsualOffset) {
        return refuseLayout(tr("This bitmap's pixels do not start right after its header (at byte "
                               "%1 instead of 54).")
                                .arg(offset));
    }

    const qint64 width = info.biWidth();
    const qint64 height = qAbs(static_cast<qint64>(info.biHeight()));
    otherKind = false; // a bitmap of the right kind, but of a size it cannot have
    if (width <= 0 || height == 0) {
        return Outcome::failure(tr("This bitmap's size (%1 x %2 pixels) is not valid.")
                                    .arg(info.biWidth())
                                    .arg(info.biHeight()));
    }
    // width and height are below 2^31 each, so their product fits; the
    // product times 3 may not.
    const qint64 pixels = width * height;
    if (pixels > std::numeric_limits<qint32>::max() / 3) {
        return Outcome::failure(tr("This bitmap is too large (%1 x %2 pixels): images of "
                                   "2 GiB of pixels or more cannot be used.")
                                    .arg(width)
                                    .arg(height));
    }
    otherKind = true;

    // The rows, each padded to four bytes, and the profile, from its offset
    // in the info header, must not share a byte.
    const qint64 pixelEnd = offset + (3 * width + 3) / 4 * 4 * height;
    const qint64 profileStart = BitmapFileHeader::Size + qint64(info.bV5ProfileData());
    const qint64 profileEnd = profileStart + info.bV5ProfileSize();
    if (profileEnd > profileStart && profileStart < pixelEnd && offset < profileEnd) {
        return refuseLayout(tr("This bitmap's colour profile (bytes %1 to %2) lies among its "
                               "pixels (bytes %3 to %4).")
                                .arg(profileStart)
                                .arg(profileEnd - 1)
                                .arg(offset)
                                .arg(pixelEnd - 1));
    }
    pixelOffset = offset;
    areaSize = pixels * 3;
    return Outcome::success();
}
