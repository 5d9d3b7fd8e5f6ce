// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "FileMetadata.h"

#include <QList>

#include <cerrno>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// The names of the extended attributes of fd, or of path when fd < 0.
QList<QByteArray> attributeNames(int fd, const char *path)
{
    QByteArray names;
    for (;;) {
        const ssize_t size = fd >= 0 ? ::flistxattr(fd, nullptr, 0) : ::listxattr(path, nullptr, 0);
        if (size <= 0)
            return {};
        names.resize(size);
        const ssize_t got = fd >= 0 ? ::flistxattr(fd, names.data(), names.size())
                                    : ::listxattr(path, names.data(), names.size());
        if (got >= 0) {
            names.truncate(got);
            break;
        }
        if (errno != ERANGE) // ERANGE: one was added meanwhile
            return {};
    }
    QList<QByteArray> list = names.split('\0');
    list.removeAll(QByteArray());
    return list;
}

bool attributeValue(int fd, const char *path, const QByteArray &name, QByteArray *value)
{
    for (;;) {
        const ssize_t size = fd >= 0 ? ::fgetxattr(fd, name.constData(), nullptr, 0)
                                     : ::getxattr(path, name.constData(), nullptr, 0);
        if (size < 0)
            return false;
        value->resize(size);
        const ssize_t got = fd >= 0 ? ::fgetxattr(fd, name.constData(), value->data(), size)
                                    : ::getxattr(path, name.constData(), value->data(), size);
        if (got >= 0) {
            value->truncate(got);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

} // namespace

bool copyMetadata(int fromFd, const QByteArray &fromPath, int toFd)
{
    struct stat original { };
    if (fromFd >= 0 ? ::fstat(fromFd, &original) != 0
                    : ::stat(fromPath.constData(), &original) != 0)
        return false;
    const char *path = fromPath.constData();

    // Owner first: a change of owner may clear the set-id bits of the mode.
    if (::fchown(toFd, original.st_uid, original.st_gid) != 0)
        (void)!::fchown(toFd, static_cast<uid_t>(-1), original.st_gid);

    // The copy may have been given attributes of its own, such as an ACL
    // inherited from the folder's default ACL: those the original lacks go.
    // The system's security labels are its own business.
    const QList<QByteArray> names = attributeNames(fromFd, path);
    for (const QByteArray &name : attributeNames(toFd, nullptr)) {
        if (!names.contains(name) && !name.startsWith("security."))
            ::fremovexattr(toFd, name.constData());
    }
    // Then the original's: setting the access ACL sets the mode's group bits
    // to its mask.
    for (const QByteArray &name : names) {
        QByteArray value;
        if (attributeValue(fromFd, path, name, &value))
            ::fsetxattr(toFd, name.constData(), value.constData(), value.size(), 0);
    }
    // The mode last, as it was: with an ACL its group bits are the mask, so
    // the mask stays too.
    ::fchmod(toFd, original.st_mode & 07777);
    return true;
}
