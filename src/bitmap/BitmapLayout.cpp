// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "BitmapLayout.h"

#include <QCoreApplication>
#include <QtEndian>

#include <limits>

namespace {

// This file's texts, translated under the context "Carrier".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(Carrier)
};

QString plainBitmapAdvice()
{
    return Texts::tr("Save the image as a plain, uncompressed 24-bit BMP file and open it again.");
}

QString conversionAdvice()
{
    return Texts::tr("veldra-cli carrier PICTURE OUTPUT.bmp makes a 24-bit copy of it.");
}

bool knownHeaderSize(quint32 size)
{
    return size == BitmapInfoHeader::CoreSize || size == BitmapInfoHeader::Size || size == 52
        || size == 56 || size == 108 || size == BitmapInfoHeader::V5Size;
}

QString compressionName(quint32 compression)
{
    switch (compression) {
    case 1:
        return QStringLiteral("RLE8");
    case 2:
        return QStringLiteral("RLE4");
    case 3:
        return Texts::tr("bit fields");
    case 4:
        return QStringLiteral("JPEG");
    case 5:
        return QStringLiteral("PNG");
    case 6:
        return Texts::tr("alpha bit fields");
    case 11:
        return QStringLiteral("CMYK");
    case 12:
        return QStringLiteral("CMYK RLE8");
    case 13:
        return QStringLiteral("CMYK RLE4");
    default:
        return Texts::tr("method %1").arg(compression);
    }
}

// Whether Qt's BMP reader, which "veldra-cli carrier" reads bitmaps with,
// takes one with this info header: a 12-, 40-, 64-, 108- or 124-byte header
// (it reads any other size as a core header, wrongly for 52 and 56 bytes),
// one plane, 1, 4, 8, 16, 24 or 32 bits, plain pixels or RLE4 at 4 bits,
// RLE8 at 8 and bit fields at 16 and 32, and at most 16384 x 16384 pixels.
bool qtReads(const BitmapInfoHeader &info)
{
    const quint32 size = info.biSize();
    if (size != BitmapInfoHeader::CoreSize && size != BitmapInfoHeader::Size && size != 64
        && size != 108 && size != BitmapInfoHeader::V5Size)
        return false;
    const quint16 bits = info.biBitCount();
    const quint32 compression = info.biCompression();
    if (info.biPlanes() != 1
        || (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return false;
    if (!(compression == 0 || (compression == 1 && bits == 8) || (compression == 2 && bits == 4)
            || (compression == 3 && (bits == 16 || bits == 32))))
        return false;
    const qint64 width = info.biWidth();
    const qint64 height = info.biHeight();
    return width > 0 && height != 0 && height != std::numeric_limits<qint32>::min()
        && width * qAbs(height) <= qint64(16384) * 16384;
}

} // namespace

Outcome BitmapLayout::refuseLayout(const QString &reason) const
{
    return Outcome::failure(Outcome::Kind::Unsupported,
        reason + QLatin1Char(' ') + Texts::tr("Hidden data would damage it.") + QLatin1Char(' ')
            + plainBitmapAdvice(),
        refusal == Refusal::Convertible ? conversionAdvice() : QString());
}

Outcome BitmapLayout::read(const char *bytes, qint64 got)
{
    constexpr qint64 Before = BitmapFileHeader::Size; // the info header's offset
    refusal = Refusal::NotABitmap;
    if (got >= 2 && QByteArray(bytes, 2) != "BM")
        return Outcome::failure(
            Outcome::Kind::NotABitmap, Texts::tr("It does not begin with \"BM\"."));
    refusal = Refusal::Unusable;
    if (got < Before + 4) {
        return Outcome::failure(Outcome::Kind::NotABitmap,
            Texts::tr("It is only %1 bytes long, too short for a bitmap's headers.").arg(got));
    }

    // The header's size tells its kind, and so where its fields are: nothing
    // else is read before it is known.
    const quint32 size = qFromLittleEndian<quint32>(bytes + Before);
    info.raw = QByteArray(
        bytes + Before, qMin<qint64>(got - Before, qMin<quint32>(size, BitmapInfoHeader::V5Size)));
    if (!knownHeaderSize(size)) {
        if (info.raw.size() == qint64(size) && qtReads(info))
            refusal = Refusal::Convertible;
        return refuseLayout(
            Texts::tr("This bitmap has a header of an unknown kind (%1 bytes), so where "
                      "its pixels lie cannot be told.")
                .arg(size));
    }
    file = BitmapFileHeader::fromBytes(bytes);
    const bool whole = got >= Before + size;
    refusal = whole && qtReads(info) ? Refusal::Convertible : Refusal::Unusable;
    if (file.bfOffBits < Before + size) {
        return refuseLayout(
            Texts::tr("This bitmap's pixels would start inside its headers (at byte %1; "
                      "the headers take %2 bytes).")
                .arg(file.bfOffBits)
                .arg(Before + size));
    }
    if (!whole) {
        return Outcome::failure(Outcome::Kind::NotABitmap,
            Texts::tr("It is only %1 bytes long; a bitmap's headers alone take %2.")
                .arg(got)
                .arg(Before + size));
    }
    if (info.biCompression() != 0) {
        return refuseLayout(Texts::tr("This bitmap is compressed (%1).")
                                .arg(compressionName(info.biCompression())));
    }
    if (info.biBitCount() != 24) {
        QString detail = Texts::tr("This one has %1 bits per pixel.").arg(info.biBitCount());
        if (refusal == Refusal::Convertible)
            detail += QLatin1Char(' ') + conversionAdvice();
        return Outcome::failure(Outcome::Kind::NotTwentyFourBit, detail);
    }
    if (Outcome placed = placePixels(); !placed)
        return placed;
    refusal = Refusal::None;
    return Outcome::success();
}

Outcome BitmapLayout::checkAgainst(qint64 fileSize) const
{
    if (pixelOffset <= fileSize)
        return Outcome::success();
    QString detail = Texts::tr("Its pixels would start at byte %1, after the end of the file "
                               "(%2 bytes).")
                         .arg(pixelOffset)
                         .arg(fileSize);
    if (qtReads(info))
        detail += QLatin1Char(' ') + conversionAdvice();
    return Outcome::failure(Outcome::Kind::NotABitmap, detail);
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
        return refuseLayout(
            Texts::tr("This bitmap's pixels do not start right after its header (at byte "
                      "%1 instead of 54).")
                .arg(offset));
    }

    const qint64 width = info.biWidth();
    const qint64 height = qAbs(static_cast<qint64>(info.biHeight()));
    refusal = Refusal::Unusable;
    if (width <= 0 || height == 0) {
        return Outcome::failure(Texts::tr("This bitmap's size (%1 x %2 pixels) is not valid.")
                                    .arg(info.biWidth())
                                    .arg(info.biHeight()));
    }
    // width and height are below 2^31 each, so their product fits; the
    // product times 3 may not.
    const qint64 pixels = width * height;
    if (pixels > std::numeric_limits<qint32>::max() / 3) {
        return Outcome::failure(Texts::tr("This bitmap is too large (%1 x %2 pixels): images of "
                                          "2 GiB of pixels or more cannot be used.")
                                    .arg(width)
                                    .arg(height));
    }
    refusal = qtReads(info) ? Refusal::Convertible : Refusal::Unusable;

    // The rows, each padded to four bytes, and the profile, from its offset
    // in the info header, must not share a byte.
    const qint64 pixelEnd = offset + (3 * width + 3) / 4 * 4 * height;
    const qint64 profileStart = BitmapFileHeader::Size + qint64(info.bV5ProfileData());
    const qint64 profileEnd = profileStart + info.bV5ProfileSize();
    if (profileEnd > profileStart && profileStart < pixelEnd && offset < profileEnd) {
        return refuseLayout(
            Texts::tr("This bitmap's colour profile (bytes %1 to %2) lies among its "
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
