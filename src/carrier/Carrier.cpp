// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Carrier.h"

#include "AtomicFile.h"
#include "ByteCount.h"
#include "FileProbe.h"

#include <QCoreApplication>
#include <QFile>

#include <cstring>
#include <limits>
#include <new>
#include <optional>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Carrier", text);
}

QString plainBitmapAdvice()
{
    return tr("Save the image as a plain, uncompressed 24-bit BMP file and open it again.");
}

// Refuses layouts in which the bytes from offset 54 on are not the pixels:
// hidden bits would land in header, colour-table or compressed data.
Outcome checkLayout(const BitmapFileHeader &file, const BitmapInfoHeader &info)
{
    QString reason;
    if (info.biSize() != BitmapInfoHeader::Size)
        reason = tr("This bitmap has a header of an unusual kind (%1 bytes instead of 40).")
                     .arg(info.biSize());
    else if (info.biCompression() != 0)
        reason = tr("This bitmap is compressed.");
    else if (file.bfOffBits != Carrier::PixelOffset)
        reason = tr("This bitmap's pixels do not start right after its header (at byte %1 "
                    "instead of 54).")
                     .arg(file.bfOffBits);
    if (reason.isEmpty())
        return Outcome::success();
    return Outcome::failure(reason + QLatin1Char(' ') + tr("Hidden data would damage it.")
        + QLatin1Char(' ') + plainBitmapAdvice());
}

// Computes the pixel area's size, biWidth x |biHeight| x 3, or refuses it.
Outcome pixelAreaSize(const BitmapInfoHeader &info, qint64 *size)
{
    const qint64 width = info.biWidth();
    const qint64 height = qAbs(static_cast<qint64>(info.biHeight()));
    if (width <= 0 || height == 0) {
        return Outcome::failure(tr("This bitmap's size (%1 x %2 pixels) is not valid.")
                                    .arg(info.biWidth())
                                    .arg(info.biHeight()));
    }
    // width and height are below 2^31 each, so their product fits; the
    // product times 3 may not.
    const qint64 area = width * height;
    if (area > std::numeric_limits<qint32>::max() / 3) {
        return Outcome::failure(tr("This bitmap is too large (%1 x %2 pixels): images of "
                                   "2 GiB of pixels or more cannot be used.")
                                    .arg(width)
                                    .arg(height));
    }
    *size = area * 3;
    return Outcome::success();
}

// Reads up to count bytes, stopping quietly at the end of the file.
bool readFully(QFile &file, char *into, qint64 count, qint64 *got)
{
    qint64 total = 0;
    while (total < count) {
        const qint64 n = file.read(into + total, count - total);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        total += n;
    }
    *got = total;
    return true;
}

} // namespace

Outcome Carrier::LoadCarrier(const QString &path)
{
    QFile file;
    if (Outcome opened = openRegularFile(path, file); !opened)
        return Outcome::failure(tr("Bitmap file not found!"), opened.message());
    std::optional<FileIdentity> identity = FileIdentity::ofDescriptor(file.handle());
    if (!identity)
        return Outcome::failure(tr("Bitmap file not found!"), file.errorString());
    const auto unreadable = [&file] {
        return Outcome::failure(tr("The bitmap could not be read."), file.errorString());
    };

    char headers[PixelOffset];
    qint64 got = 0;
    if (!readFully(file, headers, PixelOffset, &got))
        return unreadable();
    if (got < PixelOffset) {
        return Outcome::failure(tr("File isn't a bitmap!"),
            tr("It is only %1 bytes long; a bitmap's headers alone take 54.").arg(got));
    }

    const BitmapFileHeader fileHeader = BitmapFileHeader::fromBytes(headers);
    if (fileHeader.bfType != "BM")
        return Outcome::failure(tr("File isn't a bitmap!"), tr("It does not begin with \"BM\"."));

    BitmapInfoHeader infoHeader;
    infoHeader.raw = QByteArray(headers + BitmapFileHeader::Size, BitmapInfoHeader::Size);
    if (infoHeader.biBitCount() != 24) {
        return Outcome::failure(tr("File must be a 24-bit bitmap!"),
            tr("This one has %1 bits per pixel.").arg(infoHeader.biBitCount()));
    }

    if (Outcome layout = checkLayout(fileHeader, infoHeader); !layout)
        return layout;
    qint64 size = 0;
    if (Outcome sized = pixelAreaSize(infoHeader, &size); !sized)
        return sized;

    QByteArray pixels;
    QByteArray trailing;
    ContentHasher hasher;
    hasher.add(headers, PixelOffset);
    try {
        pixels = QByteArray(size, Qt::Uninitialized);
        if (!readFully(file, pixels.data(), size, &got))
            return unreadable();
        hasher.add(pixels.constData(), got);
        // A file cut short inside its pixels: the missing bytes read as zero.
        std::memset(pixels.data() + got, 0, static_cast<std::size_t>(size - got));
        if (got == size) {
            trailing = file.readAll();
            hasher.add(trailing.constData(), trailing.size());
        }
    } catch (const std::bad_alloc &) {
        return Outcome::failure(tr("There is not enough memory to open this bitmap (%1 of pixels).")
                                    .arg(formatBytes(size)));
    }
    if (file.error() != QFileDevice::NoError)
        return unreadable();
    identity->contentHash = hasher.digest();

    m_fileHeader = fileHeader;
    m_infoHeader = infoHeader;
    m_pixels = std::move(pixels);
    m_trailing = std::move(trailing);
    m_identity = *identity;
    m_loaded = true;
    return Outcome::success();
}

Outcome Carrier::SaveCarrier(const QString &path) const
{
    if (!m_loaded)
        return Outcome::failure(tr("No bitmap is open."));

    // Writes beside the bitmap and renames over it only when all is written,
    // so a failure at any point leaves the user's image as it was.
    AtomicFile file(path, AtomicFile::Mode::Edit);
    const auto failed = [](const Outcome &why) {
        return Outcome::failure(tr("The bitmap could not be written."),
            why.message() + QLatin1Char(' ') + tr("The image on disk was left unchanged."));
    };
    if (Outcome opened = file.open(); !opened)
        return failed(opened);
    const QByteArray fileHeader = m_fileHeader.toBytes();
    for (const QByteArray *block : {&fileHeader, &m_infoHeader.raw, &m_pixels, &m_trailing}) {
        if (Outcome written = file.write(block->constData(), block->size()); !written)
            return failed(written); // the unfinished copy is discarded with `file`
    }
    if (Outcome committed = file.commit(); !committed)
        return failed(committed);
    return Outcome::success();
}

void Carrier::release()
{
    m_pixels = QByteArray();
    m_trailing = QByteArray();
    m_loaded = false;
}
