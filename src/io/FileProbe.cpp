// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "FileProbe.h"

#include "base/SystemError.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// This file's texts, translated under the context "FileProbe".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(FileProbe)
};

// Why a file of this mode cannot be read as a plain file, or nothing when it
// is one.
QString kindProblem(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return Texts::tr("It is a folder, not a file.");
    if (S_ISFIFO(mode))
        return Texts::tr("It is a named pipe (FIFO), not a regular file.");
    if (S_ISCHR(mode))
        return Texts::tr("It is a character device, not a regular file.");
    if (S_ISBLK(mode))
        return Texts::tr("It is a block device, not a regular file.");
    if (S_ISSOCK(mode))
        return Texts::tr("It is a socket, not a regular file.");
    return Texts::tr("It is not a regular file.");
}

} // namespace

Outcome probeRegularFile(const QString &path, qint64 *size)
{
    if (path.isEmpty())
        return Outcome::failure(Texts::tr("No file was named."));
    const QByteArray native = QFile::encodeName(path);
    struct stat st { };
    if (::stat(native.constData(), &st) != 0) {
        // File names are bytes; one that is not valid UTF-8 arrives here with
        // replacement characters and names no file.
        if (errno == ENOENT && path.contains(QChar::ReplacementCharacter)) {
            return Outcome::failure(
                Texts::tr("Its name is not valid UTF-8 text, so it cannot be read. "
                          "Rename the file and try again."));
        }
        return Outcome::systemError(errno);
    }
    if (const QString problem = kindProblem(st.st_mode); !problem.isEmpty())
        return Outcome::failure(problem);
    if (::faccessat(AT_FDCWD, native.constData(), R_OK, AT_EACCESS) != 0)
        return Outcome::systemError(errno);
    if (size)
        *size = st.st_size;
    return Outcome::success();
}

bool FileExists(const QString &path)
{
    return probeRegularFile(path).ok();
}

qint64 FileSize(const QString &path)
{
    qint64 size = -1;
    return probeRegularFile(path, &size) ? size : -1;
}

Outcome openRegularFile(const QString &path, QFile &file)
{
    if (Outcome probed = probeRegularFile(path); !probed)
        return probed;
    // O_NONBLOCK keeps the open itself from waiting on a pipe that replaced
    // the file since the probe; it is cleared once the file is known plain.
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Outcome::systemError(errno);
    struct stat st { };
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return Outcome::systemError(error);
    }
    if (const QString problem = kindProblem(st.st_mode); !problem.isEmpty()) {
        ::close(fd);
        return Outcome::failure(problem);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Outcome::failure(file.errorString());
    }
    return Outcome::success();
}

Outcome prepareFolder(const QString &path)
{
    const auto cannot = [&path](const QString &why) {
        return Outcome::failure(
            Texts::tr("Files cannot be written into the folder %1.").arg(path), why);
    };
    const QByteArray native = QFile::encodeName(path.isEmpty() ? QStringLiteral(".") : path);
    struct stat st { };
    if (::stat(native.constData(), &st) != 0) {
        if (errno != ENOENT)
            return cannot(systemError(errno));
        // A name that is not valid UTF-8 names no folder: one made from it
        // would hold replacement characters instead.
        if (path.contains(QChar::ReplacementCharacter))
            return cannot(Texts::tr("Its name is not valid UTF-8 text."));
        // Made one level at a time, so that the reason of a failure is known.
        QByteArray made;
        for (const QByteArray &part : native.split('/')) {
            made += part;
            if (!part.isEmpty() && ::mkdir(made.constData(), 0777) != 0 && errno != EEXIST)
                return cannot(systemError(errno));
            made += '/';
        }
        if (::stat(native.constData(), &st) != 0)
            return cannot(systemError(errno));
    }
    if (!S_ISDIR(st.st_mode))
        return cannot(Texts::tr("It is not a folder."));
    if (::faccessat(AT_FDCWD, native.constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return cannot(systemError(errno));
    return Outcome::success();
}
