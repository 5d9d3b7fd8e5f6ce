// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// The inside of a SealedSession, shared by the files that make it up.

#include "CellStream.h"
#include "SealedSession.h"

#include <cstring>

struct SealedSession::Stored {
    std::unique_ptr<CellReader> cells;
    std::unique_ptr<StreamParser> parser;
};

struct SealedSession::Item {
    qint64 storedAt = -1; // where its data begin among the stored files' data
    QByteArray bytes; // read when added
    std::shared_ptr<const FileSource> file; // read when written

    Outcome read(char *out, qint64 offset, qint64 count) const
    {
        if (file)
            return file->read(out, offset, count);
        std::memcpy(out, bytes.constData() + offset, std::size_t(count));
        return Outcome::success();
    }
};
