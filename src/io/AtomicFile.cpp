// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "AtomicFile.h"

#include "FileMetadata.h"
#include "TemporaryName.h"
#include "TemporaryRegistry.h"
#include "base/SystemError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// This file's texts, translated under the context "AtomicFile".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(AtomicFile)
};

// Random names that are taken already are tried again, up to this often.
constexpr int Attempts = 100;

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

// The name under /proc through which linkat() can give the open file fd a
// name, which needs no privilege.
QByteArray procPath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// True when /proc is there and names fd, so that the file can be linked.
bool procNames(int fd)
{
    struct stat held { };
    struct stat named { };
    return ::fstat(fd, &held) == 0 && ::stat(procPath(fd).constData(), &named) == 0
        && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

// The errors of a file system or kernel that cannot make a file without a
// name (older kernels take O_TMPFILE for O_DIRECTORY and say EISDIR).
bool refusesUnnamed(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// The file system cannot make a second link to a file.
bool refusesLinks(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == EMLINK || error == EXDEV;
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

void AtomicFile::forgetName()
{
    TemporaryRegistry::leave(m_ticket);
    m_ticket = -1;
    m_temporary.clear();
}

void AtomicFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    forgetName();
}

Outcome AtomicFile::failWith(int error)
{
    discard();
    if (m_mode == Mode::Create && error == EEXIST) {
        m_exists = true;
        return Outcome::failure(Outcome::Kind::Exists, systemError(error));
    }
    return Outcome::systemError(error);
}

void AtomicFile::removeLeftovers(const QString &image)
{
    const QFileInfo info(image);
    const QString resolved = info.canonicalFilePath();
    const QFileInfo file(resolved.isEmpty() ? info.absoluteFilePath() : resolved);
    TemporaryName::removeLeftImageCopies(
        QFile::encodeName(file.absolutePath()), QFile::encodeName(file.fileName()));
}

Outcome AtomicFile::open()
{
    discard();
    m_exists = false;
    const QByteArray target = QFile::encodeName(m_target);
    if (m_mode == Mode::Edit && ::access(target.constData(), F_OK) == 0
        && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return Outcome::systemError(errno);
    struct stat existing { };
    if (m_mode == Mode::Create && ::lstat(target.constData(), &existing) == 0)
        return failWith(EEXIST);

    const QFileInfo info(m_target);
    m_folder = QFile::encodeName(info.absolutePath());
    m_stem = TemporaryName::stem(QFile::encodeName(info.fileName()),
        m_mode == Mode::Edit ? TemporaryName::Kind::ImageCopy : TemporaryName::Kind::NewFile);
    if (unnamedTemporaries) {
        const int fd = ::open(m_folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0 && procNames(fd)) {
            m_fd = fd;
            return Outcome::success();
        }
        if (fd >= 0)
            ::close(fd);
        else if (!refusesUnnamed(errno))
            return Outcome::systemError(errno);
    }
    return openNamed();
}

Outcome AtomicFile::openNamed()
{
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        // Entered before the file exists, so that a signal never finds a
        // file it does not know of.
        const QByteArray path = m_folder + '/' + TemporaryName::fresh(m_stem);
        const int ticket = TemporaryRegistry::enter(path);
        const int fd
            = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = path;
            m_ticket = ticket;
            return Outcome::success();
        }
        const int error = errno;
        TemporaryRegistry::leave(ticket);
        if (error != EEXIST)
            return Outcome::systemError(error);
    }
    // Every temporary name tried was taken.
    return Outcome::systemError(EEXIST);
}

Outcome AtomicFile::write(const char *data, qint64 size)
{
    if (m_fd < 0)
        return Outcome::failure(Texts::tr("The file is not open for writing."));
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, static_cast<size_t>(qMin<qint64>(size, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return failWith(errno);
        }
        data += n;
        size -= n;
    }
    return Outcome::success();
}

void AtomicFile::applyMetadata(const QByteArray &target)
{
    if (m_mode == Mode::Edit && copyMetadata(m_metadataFd, target, m_fd))
        return;
    ::fchmod(m_fd, 0666 & ~currentUmask());
}

Outcome AtomicFile::commit(const std::function<Outcome()> &lastCheck)
{
    if (m_fd < 0)
        return Outcome::failure(Texts::tr("The file is not open for writing."));
    const QByteArray target = QFile::encodeName(m_target);
    applyMetadata(target);
    if (::fsync(m_fd) != 0)
        return failWith(errno);
    // As late as can be: the sync of a large file takes a while.
    if (lastCheck) {
        if (Outcome checked = lastCheck(); !checked) {
            discard();
            return checked;
        }
    }
    const bool unnamed = m_temporary.isEmpty();
    if (unnamed && m_mode == Mode::Create) {
        // The file gets its final name at once, and only if it is free.
        if (::linkat(AT_FDCWD, procPath(m_fd).constData(), AT_FDCWD, target.constData(),
                AT_SYMLINK_FOLLOW)
            != 0)
            return failWith(errno);
        discard();
        return Outcome::success();
    }
    if (unnamed) {
        if (Outcome named = nameUnnamed(); !named)
            return named;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return failWith(errno);
    const Outcome placed = m_mode == Mode::Create ? createTarget(target) : replaceTarget(target);
    if (placed && m_mode == Mode::Edit)
        syncFolder(m_folder);
    return placed;
}

Outcome AtomicFile::nameUnnamed()
{
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const QByteArray path = m_folder + '/' + TemporaryName::fresh(m_stem);
        const int ticket = TemporaryRegistry::enter(path);
        if (::linkat(
                AT_FDCWD, procPath(m_fd).constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW)
            == 0) {
            m_temporary = path;
            m_ticket = ticket;
            return Outcome::success();
        }
        const int error = errno;
        TemporaryRegistry::leave(ticket);
        if (error != EEXIST)
            return failWith(error);
    }
    return failWith(EEXIST);
}

Outcome AtomicFile::replaceTarget(const QByteArray &target)
{
    if (::rename(m_temporary.constData(), target.constData()) != 0)
        return failWith(errno);
    forgetName();
    return Outcome::success();
}

Outcome AtomicFile::createTarget(const QByteArray &target)
{
    // A second link fails when the name is taken, and only then is the
    // temporary name dropped; a file system without links can still rename
    // without replacing.
    int error = 0;
    if (::link(m_temporary.constData(), target.constData()) == 0) {
        ::unlink(m_temporary.constData());
    } else if (error = errno; refusesLinks(error)) {
        if (::renameat2(
                AT_FDCWD, m_temporary.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE)
            == 0)
            error = 0;
        else if (errno == EEXIST)
            error = EEXIST;
    }
    if (error != 0)
        return failWith(error);
    forgetName();
    return Outcome::success();
}
