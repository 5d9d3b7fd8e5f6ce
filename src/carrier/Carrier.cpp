// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Carrier.h"

#include "BitPlane.h"
#include "FileProbe.h"
#include "ReadAt.h"
#include "SystemError.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
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
Outcome computeAreaSize(const BitmapInfoHeader &info, qint64 *size)
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

// Pixel bytes read at a time when hidden bytes are gathered from the file.
constexpr qint64 ReadBlock = 1 << 20;

} // namespace

struct Carrier::Fingerprint {
    ContentHasher hasher;
    QList<std::pair<qint64, qint64>> ranges;
};

Carrier::Carrier() = default;
Carrier::~Carrier() = default;

Outcome Carrier::LoadCarrier(const QString &path)
{
    m_formatRefused = false;
    // A file of another kind than a plain 24-bit bitmap.
    const auto refuse = [this](Outcome why) {
        m_formatRefused = true;
        return why;
    };
    auto file = std::make_unique<QFile>();
    if (Outcome opened = openRegularFile(path, *file); !opened)
        return Outcome::failure(tr("Bitmap file not found!"), opened.message());
    std::optional<FileIdentity> identity = FileIdentity::ofDescriptor(file->handle());
    if (!identity)
        return Outcome::failure(tr("Bitmap file not found!"), file->errorString());

    char headers[PixelOffset];
    qint64 got = 0;
    if (!readAt(file->handle(), headers, 0, PixelOffset, &got))
        return Outcome::failure(tr("The bitmap could not be read."), systemError(errno));
    if (got < PixelOffset) {
        return refuse(Outcome::failure(tr("File isn't a bitmap!"),
            tr("It is only %1 bytes long; a bitmap's headers alone take 54.").arg(got)));
    }

    const BitmapFileHeader fileHeader = BitmapFileHeader::fromBytes(headers);
    if (fileHeader.bfType != "BM") {
        return refuse(
            Outcome::failure(tr("File isn't a bitmap!"), tr("It does not begin with \"BM\".")));
    }

    BitmapInfoHeader infoHeader;
    infoHeader.raw = QByteArray(headers + BitmapFileHeader::Size, BitmapInfoHeader::Size);
    if (infoHeader.biBitCount() != 24) {
        return refuse(Outcome::failure(tr("File must be a 24-bit bitmap!"),
            tr("This one has %1 bits per pixel.").arg(infoHeader.biBitCount())));
    }

    if (Outcome layout = checkLayout(fileHeader, infoHeader); !layout)
        return refuse(layout);
    qint64 size = 0;
    if (Outcome sized = computeAreaSize(infoHeader, &size); !sized)
        return sized;

    auto fingerprint = std::make_unique<Fingerprint>();
    fingerprint->hasher.add(headers, PixelOffset);
    fingerprint->ranges.append({0, PixelOffset});

    m_file = std::move(file);
    m_fileHeader = fileHeader;
    m_infoHeader = infoHeader;
    m_pixelAreaSize = size;
    m_identity = *identity;
    m_verifiedStamp = FileIdentity();
    m_fingerprint = std::move(fingerprint);
    return Outcome::success();
}

bool Carrier::isLoaded() const
{
    return m_file != nullptr;
}

int Carrier::handle() const
{
    return m_file ? m_file->handle() : -1;
}

void Carrier::release()
{
    m_file.reset();
    m_pixelAreaSize = 0;
    m_fingerprint.reset();
}

qint32 Carrier::Capacity() const
{
    return static_cast<qint32>(m_pixelAreaSize / 8);
}

qint64 Carrier::presentPixelBytes() const
{
    return std::clamp(m_identity.size - PixelOffset, qint64(0), m_pixelAreaSize);
}

qint64 Carrier::presentCapacity() const
{
    return presentPixelBytes() / 8;
}

Outcome Carrier::readPixels(char *out, qint64 offset, qint64 count) const
{
    if (!isLoaded())
        return Outcome::failure(tr("No bitmap is open."));
    qint64 got = 0;
    if (!readAt(handle(), out, PixelOffset + offset, count, &got))
        return Outcome::failure(tr("The bitmap could not be read."), systemError(errno));
    if (m_fingerprint && got > 0) {
        m_fingerprint->hasher.add(out, got);
        m_fingerprint->ranges.append({PixelOffset + offset, got});
    }
    // A file cut short inside its pixels: the missing bytes read as zero.
    std::memset(out + got, 0, static_cast<std::size_t>(count - got));
    return Outcome::success();
}

Outcome Carrier::ReadHidden(char *buffer, qint64 count, qint64 start) const
{
    if (Outcome run = checkRun(count, start); !run)
        return run;
    // Bytes from a file another program wrote into meanwhile would be wrong.
    if (Outcome intact = checkIntact(); !intact)
        return intact;
    QByteArray pixels(static_cast<qsizetype>(qMin(8 * count, ReadBlock)), Qt::Uninitialized);
    for (qint64 done = 0; done < count;) {
        const qint64 run = qMin(count - done, ReadBlock / 8);
        if (Outcome read = readPixels(pixels.data(), 8 * (start + done), 8 * run); !read)
            return read;
        BitPlane::gather(reinterpret_cast<const std::uint8_t *>(pixels.constData()),
            reinterpret_cast<std::uint8_t *>(buffer + done), static_cast<std::size_t>(run));
        done += run;
    }
    return Outcome::success();
}

void Carrier::finishFingerprint()
{
    if (!m_fingerprint)
        return;
    m_identity.contentHash = m_fingerprint->hasher.digest();
    m_identity.hashed = std::move(m_fingerprint->ranges);
    m_fingerprint.reset();
}

Outcome Carrier::checkUnchanged(const QString &path) const
{
    return m_identity.verify(path);
}

Outcome Carrier::checkIntact() const
{
    if (!isLoaded())
        return Outcome::failure(tr("No bitmap is open."));
    // Renaming, linking or deleting the file, or changing its permissions,
    // leaves the open file's bytes alone. Only a write into it counts: a new
    // size or modification time, unless the bytes read are still the same
    // (a touch).
    const std::optional<FileIdentity> now = FileIdentity::ofDescriptor(handle());
    if (now && (now->sameStamp(m_identity) || now->sameStamp(m_verifiedStamp)))
        return Outcome::success();
    if (now && now->size == m_identity.size && m_identity.contentMatches(handle())) {
        m_verifiedStamp = *now;
        return Outcome::success();
    }
    return Outcome::failure(Outcome::Kind::ChangedOnDisk,
        tr("The image was changed while it was open."),
        tr("Another program wrote into the file, so the hidden files in it can no longer be "
           "read. Close the image and open it again."));
}
