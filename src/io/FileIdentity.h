// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <utility>

// Hashes a file's bytes as they are read, in pieces of any size; the result
// depends only on the bytes and their order.
class ContentHasher {
public:
    ContentHasher();
    ~ContentHasher();
    ContentHasher(const ContentHasher &) = delete;
    ContentHasher &operator=(const ContentHasher &) = delete;

    void add(const char *data, qint64 size);
    quint64 digest() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// What a file on disk was when it was read: where it lives, its size, its
// modification time, and a hash of the parts of it that were read. A file
// replaced by a rename has another inode; one written in place has another
// size or modification time. Renaming, linking, chmod and the like change
// neither, so they do not count as a change. Where the times moved without
// the bytes (a touch, or a file system with coarse times), the hash of the
// ranges read decides.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    // The hash of the byte ranges (offset, length) read, in the order read.
    quint64 contentHash = 0;
    QList<std::pair<qint64, qint64>> hashed;

    // The metadata of the open file fd; the hash is left for the reader.
    static std::optional<FileIdentity> ofDescriptor(int fd);
    // The metadata of the file at path, links followed.
    static std::optional<FileIdentity> ofPath(const QString &path);

    bool sameFile(const FileIdentity &other) const
    {
        return device == other.device && inode == other.inode;
    }
    // The same file with the same size and modification time.
    bool sameStamp(const FileIdentity &other) const
    {
        return sameFile(other) && size == other.size && modifiedNs == other.modifiedNs;
    }

    // True when fd is still this file, with the same size and modification
    // time: nobody wrote to it.
    bool stillMatches(int fd) const;
    // True when the ranges read hash as they did, read again from fd.
    bool contentMatches(int fd) const;

    // Succeeds when the file at path is still this one, with the same bytes
    // in the ranges read. The failure (Kind::ChangedOnDisk) says how it
    // changed.
    Outcome verify(const QString &path) const;
};
