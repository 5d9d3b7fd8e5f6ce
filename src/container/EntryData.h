// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "io/FileSource.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

// An entry's data: in memory; where they lie in the image the table was
// loaded from; or in the file they were added from. The last two are read
// when they are needed.
struct EntryData {
    qint64 size = 0;
    QByteArray bytes; // in memory
    qint64 storedAt = -1; // the hidden offset in the loaded image, or -1
    qint64 keyStart = 0; // the password key's position at the first byte there
    std::shared_ptr<const FileSource> file; // the file added, when read later

    bool inMemory() const { return storedAt < 0 && !file; }
    bool inImage() const { return storedAt >= 0; }
};

// One row of the container's table: the name the file is hidden under, and
// its data.
struct TableEntry {
    QString description;
    EntryData data;
};
