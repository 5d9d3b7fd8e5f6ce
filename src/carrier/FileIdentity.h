// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "Outcome.h"

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

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
// modification and change times, and a hash of its content. A file replaced
// by a rename gets a new inode; one written in place gets new times, and the
// hash catches a change that file systems with coarse times would hide.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
    quint64 contentHash = 0;

    // The metadata of the open file fd; contentHash is left for the reader.
    static std::optional<FileIdentity> ofDescriptor(int fd);

    // Succeeds when the file at path is still this one, byte for byte. The
    // failure says how it changed.
    Outcome verify(const QString &path) const;
};
