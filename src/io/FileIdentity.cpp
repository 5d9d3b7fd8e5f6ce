// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "FileIdentity.h"
#include "base/FailureText.h"

#include "FileProbe.h"
#include "ReadAt.h"

#include <QCoreApplication>
#include <QFile>

#include <new>

#include <sys/stat.h>
#include <xxhash.h>

namespace {

// This file's texts, translated under the context "FileIdentity".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(FileIdentity)
};

qint64 nanoseconds(const timespec &t)
{
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

FileIdentity identityOf(const struct stat &st)
{
    FileIdentity identity;
    identity.device = st.st_dev;
    identity.inode = st.st_ino;
    identity.size = st.st_size;
    identity.modifiedNs = nanoseconds(st.st_mtim);
    return identity;
}

} // namespace

struct ContentHasher::State {
    XXH3_state_t *xxh = XXH3_createState();
    ~State() { XXH3_freeState(xxh); }
};

ContentHasher::ContentHasher() : m_state(std::make_unique<State>())
{
    if (!m_state->xxh)
        throw std::bad_alloc();
    XXH3_64bits_reset(m_state->xxh);
}

ContentHasher::~ContentHasher() = default;

void ContentHasher::add(const char *data, qint64 size)
{
    XXH3_64bits_update(m_state->xxh, data, static_cast<size_t>(size));
}

quint64 ContentHasher::digest() const
{
    return XXH3_64bits_digest(m_state->xxh);
}

std::optional<FileIdentity> FileIdentity::ofDescriptor(int fd)
{
    struct stat st { };
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

std::optional<FileIdentity> FileIdentity::ofPath(const QString &path)
{
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

bool FileIdentity::stillMatches(int fd) const
{
    const std::optional<FileIdentity> now = ofDescriptor(fd);
    return now && sameStamp(*now);
}

bool FileIdentity::contentMatches(int fd) const
{
    ContentHasher hasher;
    QByteArray buffer;
    for (const auto &[offset, length] : hashed) {
        buffer.resize(length);
        qint64 got = 0;
        if (!readAt(fd, buffer.data(), offset, length, &got) || got != length)
            return false;
        hasher.add(buffer.constData(), length);
    }
    return hasher.digest() == contentHash;
}

Outcome FileIdentity::verify(const QString &path) const
{
    const auto changed = [](const QString &how) {
        return Outcome::failure(Outcome::Kind::ChangedOnDisk,
            Texts::tr("The image was changed on disk since it was opened."), how);
    };
    const std::optional<FileIdentity> now = ofPath(path);
    if (!now)
        return changed(Texts::tr("It is no longer there."));
    if (!sameFile(*now))
        return changed(Texts::tr("Another file was put in its place."));
    if (sameStamp(*now))
        return Outcome::success();
    QFile file;
    if (Outcome opened = openRegularFile(path, file); !opened)
        return changed(fullText(opened));
    if (now->size != size || !contentMatches(file.handle()))
        return changed(Texts::tr("Another program wrote to it."));
    return Outcome::success();
}
