// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "AtomicFile.h"

#include "SystemError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("AtomicFile", text);
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Syncs a folder, so that a rename inside it survives a crash.
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

AtomicFile::AtomicFile(QString path, Mode mode) : m_target(std::move(path)), m_mode(mode)
{
    if (m_mode == Mode::Edit) {
        const QString resolved = QFileInfo(m_target).canonicalFilePath();
        if (!resolved.isEmpty())
            m_target = resolved;
    }
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
}

Outcome AtomicFile::open()
{
    discard();
    const QByteArray target = QFile::encodeName(m_target);
    if (m_mode == Mode::Edit && ::access(target.constData(), F_OK) == 0
        && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return Outcome::failure(systemError(errno));

    const QString folder = QFileInfo(m_target).absolutePath();
    QByteArray pattern = QFile::encodeName(folder) + "/.veldra-XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return Outcome::failure(systemError(errno));
    m_fd = fd;
    m_temporary = pattern;
    return Outcome::success();
}

Outcome AtomicFile::write(const char *data, qint64 size)
{
    if (m_fd < 0)
        return Outcome::failure(tr("The file is not open for writing."));
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, static_cast<size_t>(qMin<qint64>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            discard();
            return Outcome::failure(systemError(error));
        }
        data += n;
        size -= n;
    }
    return Outcome::success();
}

Outcome AtomicFile::commit()
{
    if (m_fd < 0)
        return Outcome::failure(tr("The file is not open for writing."));
    const QByteArray target = QFile::encodeName(m_target);
    struct stat existing { };
    if (m_mode == Mode::Edit && ::stat(target.constData(), &existing) == 0) {
        // Owner first: a change of owner may clear the set-id bits of the mode.
        if (::fchown(m_fd, existing.st_uid, existing.st_gid) != 0)
            (void)!::fchown(m_fd, static_cast<uid_t>(-1), existing.st_gid);
        ::fchmod(m_fd, existing.st_mode & 07777);
    } else {
        ::fchmod(m_fd, 0666 & ~currentUmask());
    }
    const int synced = ::fsync(m_fd) == 0 ? 0 : errno;
    const int closed = ::close(m_fd) == 0 ? 0 : errno;
    m_fd = -1;
    if (synced != 0 || closed != 0) {
        discard();
        return Outcome::failure(systemError(synced != 0 ? synced : closed));
    }
    if (::rename(m_temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        discard();
        return Outcome::failure(systemError(error));
    }
    m_temporary.clear();
    if (m_mode == Mode::Edit)
        syncFolder(QFile::encodeName(QFileInfo(m_target).absolutePath()));
    return Outcome::success();
}
