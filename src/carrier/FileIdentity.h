// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "Outcome.h"

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
// modification and change times, and a hash of the parts of it that were
// read. A file replaced by a rename gets a new inode; one written in place
// gets new times, and the hash catches a change that file systems with
// coarse times would hide.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    // The hash of the byte ranges (offset, length) read, in the order read.
    quint64 contentHash = 0;
    QList<std::pair<qint64, qint64>> hashed;

    // The metadata of the open file fd; the hash is left for the reader.
    static std::optional<FileIdentity> ofDescriptor(int fd);

    // True when fd's metadata are still these: nobody wrote to the file.
    bool stillMatches(int fd) const;

    // Succeeds when the file at path is still this one, with the same bytes
    // in the ranges read. The failure says how it changed.
    Outcome verify(const QString &path) const;
};
