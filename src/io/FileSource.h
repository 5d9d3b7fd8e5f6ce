// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "FileIdentity.h"
#include "base/Outcome.h"

#include <QString>

// A regular file whose bytes are read when they are needed rather than held
// in memory. Every read checks that the file is still the one first seen,
// unchanged: a file replaced or written to in between is refused, never read
// half old and half new.
class FileSource {
public:
    FileSource() = default;
    ~FileSource();
    FileSource(const FileSource &) = delete;
    FileSource &operator=(const FileSource &) = delete;

    // Looks at the regular file at path and remembers what it is.
    Outcome open(const QString &path);

    const QString &path() const { return m_path; }
    qint64 size() const { return m_identity.size; }

    // Reads exactly count bytes from offset.
    Outcome read(char *out, qint64 offset, qint64 count) const;

private:
    QString m_path;
    FileIdentity m_identity;
    quint64 m_id = 0;
};
