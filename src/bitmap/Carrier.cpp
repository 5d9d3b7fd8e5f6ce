// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Carrier.h"
#include "base/FailureText.h"

#include "BitPlane.h"
#include "BitmapLayout.h"
#include "io/FileProbe.h"
#include "io/ReadAt.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace {

// This file's texts, translated under the context "Carrier".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(Carrier)
};

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
    auto file = std::make_unique<QFile>();
    if (Outcome opened = openRegularFile(path, *file); !opened)
        return Outcome::failure(Outcome::Kind::BitmapNotFound, fullText(opened));
    std::optional<FileIdentity> identity = FileIdentity::ofDescriptor(file->handle());
    if (!identity)
        return Outcome::failure(Outcome::Kind::BitmapNotFound, file->errorString());

    char head[BitmapLayout::HeadBytes];
    qint64 got = 0;
    if (!readAt(file->handle(), head, 0, BitmapLayout::HeadBytes, &got))
        return Outcome::systemError(errno, Texts::tr("The bitmap could not be read."));
    BitmapLayout layout;
    if (Outcome read = layout.read(head, got); !read)
        return read;
    if (Outcome placed = layout.checkAgainst(identity->size); !placed)
        return placed;

    // The headers say where the pixels are: they are the bytes whose change
    // would move them. The bytes between the headers and the pixels carry
    // nothing hidden and are copied as they are when the file is written.
    auto fingerprint = std::make_unique<Fingerprint>();
    fingerprint->hasher.add(head, layout.headerSize());
    fingerprint->ranges.append({0, layout.headerSize()});

    m_file = std::move(file);
    m_fileHeader = layout.file;
    m_infoHeader = layout.info;
    m_pixelOffset = layout.pixelOffset;
    m_pixelAreaSize = layout.areaSize;
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
    return std::clamp(m_identity.size - m_pixelOffset, qint64(0), m_pixelAreaSize);
}

qint64 Carrier::presentCapacity() const
{
    return presentPixelBytes() / 8;
}

Outcome Carrier::readPixels(char *out, qint64 offset, qint64 count) const
{
    if (!isLoaded())
        return Outcome::failure(Texts::tr("No bitmap is open."));
    qint64 got = 0;
    if (!readAt(handle(), out, m_pixelOffset + offset, count, &got))
        return Outcome::systemError(errno, Texts::tr("The bitmap could not be read."));
    if (m_fingerprint && got > 0) {
        m_fingerprint->hasher.add(out, got);
        m_fingerprint->ranges.append({m_pixelOffset + offset, got});
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
        return Outcome::failure(Texts::tr("No bitmap is open."));
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
        Texts::tr("The image was changed while it was open."),
        Texts::tr("Another program wrote into the file, so the hidden files in it can no longer be "
                  "read. Close the image and open it again."));
}
