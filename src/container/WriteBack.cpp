// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Writing an open container back into its image: the writer lock, the check
// that the image is still the one opened, the write itself and what it has
// to tell afterwards.

#include "ContainerSession.h"

#include "PasswordHash.h"
#include "base/ByteCount.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

class WriteBackText {
    Q_DECLARE_TR_FUNCTIONS(WriteBack)
public:
    static QString otherNames(qint64 links, const QString &name)
    {
        if (links == 2) {
            return tr("The image had another name (a hard link) besides %1; it still shows the "
                      "image as it was, without these changes.")
                .arg(name);
        }
        return tr("The image had %1 other names (hard links) besides %2; they still show the "
                  "image as it was, without these changes.")
            .arg(links - 1)
            .arg(name);
    }
    static QString cutShort(qint64 missing)
    {
        return tr("The image file is cut short: the last %1 of its pixels are missing. They "
                  "read as black, and hidden data in them are lost.")
            .arg(bytesText(missing));
    }
    static Outcome damaged(qint64 unread)
    {
        return Outcome::failure(Outcome::Kind::Damaged, tr("The image was not changed."),
            tr("Its hidden data are damaged, and writing them back would lose the hidden files "
               "that could not be read (%1).")
                .arg(unread));
    }
    static Outcome notFilled(const QString &warning)
    {
        return Outcome::failure(Outcome::Kind::CutShort, tr("The image was not written."),
            warning + QLatin1Char(' ')
                + tr("Writing it would store the missing part as black pixels, for good."));
    }
};

} // namespace

qint64 ContainerSession::linksOf(const QString &path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_nlink) : 1;
}

QString ContainerSession::otherNamesNote(qint64 links, const QString &path)
{
    return links > 1 ? WriteBackText::otherNames(links, QFileInfo(path).fileName()) : QString();
}

QString ContainerSession::cutShortWarning() const
{
    return missingBytes() > 0 ? WriteBackText::cutShort(missingBytes()) : QString();
}

Outcome ContainerSession::checkWritable() const
{
    return m_report.unread() > 0 ? WriteBackText::damaged(m_report.unread()) : Outcome::success();
}

Outcome ContainerSession::lockImage(
    const QString &path, std::chrono::milliseconds wait, const ImageLock::WaitCallback &keepWaiting)
{
    return m_lock.acquire(path, wait, keepWaiting);
}

Outcome ContainerSession::writeBack(
    const QString &path, bool usePassword, const QByteArray &password, const WriteOptions &options)
{
    return m_lock.whileHeld(path, options.wait, options.keepWaiting, [&] {
        const Outcome unchanged
            = options.overwriteChanged ? Outcome::success() : checkUnchanged(path);
        return unchanged ? write(path, usePassword, password, options) : unchanged;
    });
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
    if (!options.mayLoseUnreadable) {
        if (Outcome writable = checkWritable(); !writable)
            return writable;
    }
    if (missingBytes() > 0 && !options.mayFillMissing)
        return WriteBackText::notFilled(cutShortWarning());
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
    save.alsoChange = options.alsoChange;
    const qint64 links = linksOf(path);
    if (Outcome replaced = m_carrier.SaveCarrier(path, layout.runs(), save); !replaced)
        return replaced;
    m_header = header;
    m_password = password;
    if (const QString note = otherNamesNote(links, path); !note.isEmpty())
        m_notes << note;
    return Outcome::success();
}
