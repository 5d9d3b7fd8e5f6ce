// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ContainerSession.h"

#include "PasswordHash.h"
#include "base/ByteCount.h"
#include "io/FileProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ContainerSession", text);
}

// Add's messages for what Inject made of a file.
Outcome outcomeOf(const InjectResult &injected)
{
    if (injected)
        return Outcome::success();
    return Outcome::failure(injected.status == InjectStatus::TooLarge
            ? QStringLiteral("Not enough free space!")
            : QStringLiteral("Error!"),
        injected.message);
}

} // namespace

Outcome ContainerSession::open(const QString &path, const PasswordSource &askPassword)
{
    if (Outcome loaded = m_carrier.LoadCarrier(path); !loaded)
        return loaded;
    m_path = path;
    if (m_carrier.Capacity() < ContainerHeader::Size) {
        return Outcome::failure(tr("This image is too small to hide files in: it must have at "
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
        if (HashPassword(*typed) != m_header.PasswordHash) {
            m_passwordRefused = true;
            return Outcome::failure(QStringLiteral("Invalid password!"));
        }
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
        return Outcome::failure(QStringLiteral("Not enough free space!"),
            tr("The file has %1, but only %2 are free.").arg(bytesText(size), bytesText(free)));
    }
    if (size == -1)
        return Outcome::failure(QStringLiteral("Error!"), probed.message());
    // The free figure leaves out the header and the records; the container
    // must fit with them.
    const qint64 room = roomLeft();
    if (size > room) {
        return Outcome::failure(QStringLiteral("Not enough free space!"),
            tr("With its name and size the file needs %1, but only %2 more can be stored in this "
               "image.")
                .arg(bytesText(size + DatFile::RecordSize),
                    bytesText(qMax<qint64>(0, capacity - m_file.ContainerSize()))));
    }
    return outcomeOf(m_file.Inject(QFileInfo(path).fileName(), path, room, holding));
}

Outcome ContainerSession::addFrom(QIODevice &source, const QString &name)
{
    const qint64 room = roomLeft();
    if (room < 0) {
        return Outcome::failure(QStringLiteral("Not enough free space!"),
            tr("Not even an empty file can be stored in this image any more."));
    }
    return outcomeOf(m_file.InjectFrom(name, source, room));
}

qint64 ContainerSession::roomLeft() const
{
    return m_carrier.Capacity() - m_file.ContainerSizeWith(0);
}

qint64 ContainerSession::room() const
{
    return qMax<qint64>(0, roomLeft());
}

Outcome ContainerSession::checkUnchanged(const QString &path) const
{
    return m_carrier.checkUnchanged(path);
}

QString ContainerSession::cutShortWarning() const
{
    if (missingBytes() <= 0)
        return {};
    return tr("The image file is cut short: the last %1 of its pixels are missing. They read "
              "as black, and hidden data in them are lost.")
        .arg(bytesText(missingBytes()));
}

Outcome ContainerSession::write(
    const QString &path, bool usePassword, const QByteArray &password, const WriteOptions &options)
{
    m_notes.clear();
    ContainerHeader header = m_header;
    header.FileCount = static_cast<qint32>(m_file.colFiles().count());
    header.UsePassword = usePassword;
    header.PasswordHash = HashPassword(password);

    if (Outcome fits = m_file.CheckFits(m_carrier.Capacity()); !fits)
        return fits;
    if (missingBytes() > 0 && !options.mayFillMissing) {
        return Outcome::failure(Outcome::Kind::CutShort, tr("The image was not written."),
            cutShortWarning() + QLatin1Char(' ')
                + tr("Writing it would store the missing part as black pixels, for good."));
    }
    // The new copy streams from the image as it was opened; data that stay
    // in their place are copied along with it.
    ContainerLayout layout;
    if (Outcome made = m_file.makeLayout(header, password, true, &layout); !made)
        return made;
    // What the old container took beyond the new one would still hold a
    // removed file's name and bytes.
    if (const qint64 end = m_file.ContainerSize(); m_report.storedEnd > end)
        layout.addRandom(end, m_report.storedEnd - end);
    Carrier::SaveOptions save;
    save.reliance = layout.keepsStoredBits() ? Carrier::Reliance::KeepsHiddenBits
                                             : Carrier::Reliance::PictureOnly;
    save.progress = options.progress;
    const std::optional<FileIdentity> target = FileIdentity::ofPath(path);
    qint64 links = 1;
    if (target) {
        struct stat st { };
        if (::stat(QFile::encodeName(path).constData(), &st) == 0)
            links = qint64(st.st_nlink);
    }
    if (Outcome replaced = m_carrier.SaveCarrier(path, layout.runs(), save); !replaced)
        return replaced;
    m_header = header;
    m_password = password;
    if (links > 1) {
        const QString name = QFileInfo(path).fileName();
        m_notes << (links == 2
                ? tr("The image had another name (a hard link) besides %1; it still shows the "
                     "image as it was, without these changes.")
                      .arg(name)
                : tr("The image had %1 other names (hard links) besides %2; they still show the "
                     "image as it was, without these changes.")
                      .arg(links - 1)
                      .arg(name));
    }
    return Outcome::success();
}

Outcome ContainerSession::extract(
    const QString &description, const QString &folder, bool keepExisting) const
{
    const QString name = m_file.extractionName(description);
    if (!name.isEmpty()) {
        // Under this name, or through a link, the image itself may be there.
        const std::optional<FileIdentity> there = FileIdentity::ofPath(QDir(folder).filePath(name));
        const std::optional<FileIdentity> image = FileIdentity::ofPath(m_path);
        if (there
            && (there->sameFile(m_carrier.identity()) || (image && there->sameFile(*image)))) {
            return Outcome::failure(tr("\"%1\" was not written.").arg(name),
                tr("It would replace the image the hidden files are read from."));
        }
    }
    return m_file.Extract(description, folder, keepExisting);
}
