// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ImageLock.h"

#include "AtomicFile.h"
#include "base/SystemError.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// This file's texts, translated under the context "ImageLock".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(ImageLock)
};

// Lock names stay well inside the 255 bytes a folder entry allows.
constexpr qsizetype LongestReadableName = 200;

// True when path still names the file open as fd.
bool stillNamed(int fd, const QByteArray &path)
{
    struct stat held { };
    struct stat named { };
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0
        && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

} // namespace

ImageLock::ImageLock() = default;

ImageLock::~ImageLock()
{
    release();
}

QString ImageLock::lockFilePath(const QString &image)
{
    const QFileInfo info(image);
    const QString resolved = info.canonicalFilePath();
    const QFileInfo file(resolved.isEmpty() ? info.absoluteFilePath() : resolved);
    const QString name = file.fileName();
    const QString lockName = QFile::encodeName(name).size() <= LongestReadableName
        ? QStringLiteral(".%1.veldra-lock").arg(name)
        : QStringLiteral(".veldra-%1.lock")
              .arg(QString::fromLatin1(
                  QCryptographicHash::hash(QFile::encodeName(name), QCryptographicHash::Sha1)
                      .toHex()));
    return QDir(file.absolutePath()).filePath(lockName);
}

Outcome ImageLock::acquire(
    const QString &image, std::chrono::milliseconds wait, const WaitCallback &keepWaiting)
{
    release();
    const QString path = lockFilePath(image);
    const QByteArray native = QFile::encodeName(path);
    QDeadlineTimer deadline(wait);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0)
            return cannotCreate(path, errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // The holder before removes the file as it lets go: a lock on a
            // file no longer at the path locks nothing, so try again.
            if (stillNamed(fd, native)) {
                m_fd = fd;
                m_path = native;
                // No other writer of the image can be at work now.
                AtomicFile::removeLeftovers(image);
                return Outcome::success();
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK && error != EINTR) {
            return Outcome::failure(
                Texts::tr("The image cannot be locked for writing."), systemError(error));
        }
        const std::chrono::milliseconds sofar(waited.elapsed());
        const bool timeUp = deadline.hasExpired();
        const bool goOn = keepWaiting ? keepWaiting(sofar, timeUp) : !timeUp;
        if (!goOn) {
            const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sofar).count();
            return Outcome::failure(Texts::tr("Another program is writing this image."),
                seconds > 0 ? Texts::tr(
                    "It did not finish in the time waited (%1 s). Try again when it has finished.")
                                  .arg(seconds)
                            : Texts::tr("Try again when it has finished."));
        }
        if (timeUp)
            deadline.setRemainingTime(wait);
        QThread::msleep(20);
    }
}

Outcome ImageLock::cannotCreate(const QString &path, int error)
{
    const QString why = systemError(error);
    if (error == EACCES || error == EPERM || error == EROFS) {
        return Outcome::failure(
            Texts::tr("The image cannot be written: its folder %1 must be writable.")
                .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())),
            why + QLatin1Char(' ')
                + Texts::tr(
                    "The image is replaced by a complete new copy written beside it, and the "
                    "lock file that keeps two programs from writing it at once lives there "
                    "too."));
    }
    return Outcome::failure(Texts::tr("The image cannot be locked for writing."),
        Texts::tr("The lock file %1 cannot be created: %2")
            .arg(QDir::toNativeSeparators(path), why));
}

void ImageLock::release()
{
    if (m_fd < 0)
        return;
    // Removed while still held, so that nobody locks a file about to go.
    ::unlink(m_path.constData());
    ::close(m_fd);
    m_fd = -1;
}

Outcome ImageLock::whileHeld(const QString &image, std::chrono::milliseconds wait,
    const WaitCallback &keepWaiting, const std::function<Outcome()> &work)
{
    if (!isHeld()) {
        if (Outcome locked = acquire(image, wait, keepWaiting); !locked)
            return locked;
    }
    const Outcome done = work();
    release();
    return done;
}
