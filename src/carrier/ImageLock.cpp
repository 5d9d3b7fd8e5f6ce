// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ImageLock.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ImageLock", text);
}

// Lock names stay well inside the 255 bytes a folder entry allows, also with
// the suffix QLockFile adds while it removes a stale lock.
constexpr qsizetype LongestReadableName = 200;

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

Outcome ImageLock::acquire(const QString &image, std::chrono::milliseconds wait)
{
    release();
    const QString path = lockFilePath(image);
    auto lock = std::make_unique<QLockFile>(path);
    // Staleness is judged by whether the holder still runs, never by age: a
    // long write of a large image must not lose its lock.
    lock->setStaleLockTime(std::chrono::milliseconds::zero());
    if (lock->tryLock(wait)) {
        m_lock = std::move(lock);
        return Outcome::success();
    }
    if (lock->error() == QLockFile::LockFailedError) {
        return Outcome::failure(tr("Another program is writing this image."),
            tr("It did not finish within %1 seconds. Try again when it has finished; if no "
               "program is writing the image, delete the lock file %2.")
                .arg(std::chrono::duration_cast<std::chrono::seconds>(wait).count())
                .arg(QDir::toNativeSeparators(path)));
    }
    return Outcome::failure(tr("The image cannot be locked for writing."),
        (lock->error() == QLockFile::PermissionError
                ? tr("Permission denied: the lock file %1 "
                     "cannot be created in the image's folder.")
                : tr("The lock file %1 cannot be created."))
            .arg(QDir::toNativeSeparators(path)));
}

void ImageLock::release()
{
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}
