// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ContainerSession.h"

#include "EntryExtraction.h"
#include "base/FailureText.h"

#include "PasswordHash.h"
#include "base/ByteCount.h"
#include "io/FileProbe.h"
#include "io/LocalPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// This file's texts, translated under the context "ContainerSession".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(ContainerSession)
};

} // namespace

Outcome ContainerSession::open(const QString &path, const PasswordSource &askPassword)
{
    if (Outcome loaded = m_carrier.LoadCarrier(path); !loaded)
        return loaded;
    m_path = path;
    if (m_carrier.Capacity() < ContainerHeader::Size) {
        return Outcome::failure(
            Texts::tr("This image is too small to hide files in: it must have at "
                      "least %1 bytes of pixels.")
                .arg(ContainerHeader::Size * 8));
    }
    if (Outcome read = m_header.ReadHeader(m_carrier); !read)
        return read;
    m_file = DatFile();
    m_report = LoadReport();
    m_found = m_header.HasSignature();
    if (!m_found) {
        m_header.startFresh();
        m_carrier.finishFingerprint();
        return Outcome::success();
    }
    if (m_header.UsePassword) {
        QString why;
        const std::optional<QByteArray> typed = askPassword(&why);
        if (!typed)
            return Outcome::failure(why);
        if (HashPassword(*typed) != m_header.PasswordHash)
            return Outcome::failure(Outcome::Kind::WrongPassword);
        m_password = *typed;
    }
    m_report = m_file.Load(m_carrier, m_header, m_password);
    m_carrier.finishFingerprint();
    return Outcome::success();
}

Outcome ContainerSession::add(const QString &path, Holding holding)
{
    qint64 size = -1;
    const Outcome probed = probeRegularFile(path, &size);
    if (!probed)
        size = -1;
    const qint64 capacity = m_carrier.Capacity();
    const qint64 free = capacity - m_file.TotalSize();
    if (size > free) {
        return Outcome::failure(Outcome::Kind::NoRoom,
            Texts::tr("The file has %1, but only %2 are free.")
                .arg(bytesText(size), bytesText(free)));
    }
    if (size == -1)
        return Outcome::failure(Outcome::Kind::Refused, fullText(probed));
    // The free figure leaves out the header and the records; the container
    // must fit with them.
    const qint64 room = roomLeft();
    if (size > room) {
        return Outcome::failure(Outcome::Kind::NoRoom,
            Texts::tr(
                "With its name and size the file needs %1, but only %2 more can be stored in this "
                "image.")
                .arg(bytesText(size + DatFile::RecordSize),
                    bytesText(qMax<qint64>(0, capacity - m_file.ContainerSize()))));
    }
    return m_file.Inject(QFileInfo(path).fileName(), path, room, holding).toOutcome();
}

Outcome ContainerSession::addFrom(QIODevice &source, const QString &name)
{
    const qint64 room = roomLeft();
    if (room < 0) {
        return Outcome::failure(Outcome::Kind::NoRoom,
            Texts::tr("Not even an empty file can be stored in this image any more."));
    }
    return m_file.InjectFrom(name, source, room).toOutcome();
}

qint64 ContainerSession::roomLeft() const
{
    return m_carrier.Capacity() - m_file.ContainerSizeWith(0);
}

ContainerSession::Space ContainerSession::space() const
{
    Space space;
    space.capacity = m_carrier.Capacity();
    space.used = m_file.TotalSize();
    space.free = space.capacity - space.used;
    space.room = qMax<qint64>(0, roomLeft());
    return space;
}

Outcome ContainerSession::checkUnchanged(const QString &path) const
{
    return m_carrier.checkUnchanged(path);
}

Outcome ContainerSession::extract(
    const QString &description, const QString &folder, bool keepExisting) const
{
    const QString name = m_file.extractionName(description);
    // Under this name, or through a link, the image itself may be there.
    if (!name.isEmpty()) {
        if (Outcome guarded
            = EntryExtraction::guardImage(name, folder, m_carrier.identity(), m_path);
            !guarded)
            return guarded;
    }
    return m_file.Extract(description, folder, keepExisting);
}
