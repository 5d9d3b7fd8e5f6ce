// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TemporaryName.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TemporaryName {

namespace {

// The names of the image lock use the same limit.
constexpr qsizetype LongestReadableName = 200;
constexpr qsizetype RandomLength = 6;
constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool isLetterOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

} // namespace

QByteArray stem(const QByteArray &fileName, Kind kind)
{
    const QByteArray tag = kind == Kind::ImageCopy ? "veldra-" : "veldra-new-";
    if (fileName.size() <= LongestReadableName)
        return '.' + fileName + '.' + tag;
    return '.' + tag + QCryptographicHash::hash(fileName, QCryptographicHash::Sha1).toHex() + '-';
}

QByteArray fresh(const QByteArray &stem)
{
    QByteArray name = stem;
    for (qsizetype i = 0; i < RandomLength; ++i)
        name += Alphabet[QRandomGenerator::system()->bounded(int(sizeof Alphabet - 1))];
    return name;
}

bool matches(const QByteArray &name, const QByteArray &stem)
{
    if (name.size() != stem.size() + RandomLength || !name.startsWith(stem))
        return false;
    for (qsizetype i = stem.size(); i < name.size(); ++i) {
        if (!isLetterOrDigit(name.at(i)))
            return false;
    }
    return true;
}

void removeLeftImageCopies(const QByteArray &folder, const QByteArray &fileName)
{
    const QByteArray pattern = stem(fileName, Kind::ImageCopy);
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent *entry = ::readdir(dir)) {
        if (!matches(QByteArray(entry->d_name), pattern))
            continue;
        struct stat st { };
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace TemporaryName
