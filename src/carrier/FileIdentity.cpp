// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "FileIdentity.h"

#include "FileProbe.h"

#include <QCoreApplication>
#include <QFile>

#include <new>

#include <sys/stat.h>
#include <xxhash.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("FileIdentity", text);
}

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
    identity.changedNs = nanoseconds(st.st_ctim);
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

bool FileIdentity::stillMatches(int fd) const
{
    const std::optional<FileIdentity> now = ofDescriptor(fd);
    return now && now->device == device && now->inode == inode && now->size == size
        && now->modifiedNs == modifiedNs && now->changedNs == changedNs;
}

Outcome FileIdentity::verify(const QString &path) const
{
    const auto changed = [](const QString &how) {
        return Outcome::failure(tr("The image was changed on disk since it was opened."), how);
    };
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return changed(tr("It is no longer there."));
    const FileIdentity now = identityOf(st);
    if (now.device != device || now.inode != inode)
        return changed(tr("Another file was put in its place."));
    if (now.size != size || now.modifiedNs != modifiedNs || now.changedNs != changedNs)
        return changed(tr("Another program wrote to it."));

    QFile file;
    if (Outcome opened = openRegularFile(path, file); !opened)
        return changed(opened.message());
    ContentHasher hasher;
    QByteArray buffer;
    for (const auto &[offset, length] : hashed) {
        buffer.resize(length);
        if (!file.seek(offset) || file.read(buffer.data(), length) != length)
            return changed(tr("Its content is not what was read when it was opened."));
        hasher.add(buffer.constData(), length);
    }
    if (hasher.digest() != contentHash)
        return changed(tr("Its content is not what was read when it was opened."));
    return Outcome::success();
}
