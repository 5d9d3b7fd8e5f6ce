// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "Outcome.h"

#include <QString>
#include <QtGlobal>

// Writes a file's new content beside it and puts it in place only once the
// content is complete and on disk: the temporary file is synced and renamed
// over the target. Until commit() succeeds the target stays as it was, and a
// failure, or destruction without commit(), removes the temporary file.
//
// The temporary file has a short name of its own, so a target whose name
// takes the whole 255 bytes a folder entry allows can still be replaced.
// Failures come back with the system's words for them.
class AtomicFile {
public:
    enum class Mode {
        // The target is edited: a link is followed to the file it names, the
        // file must be writable, and its owner, group and mode are kept where
        // the system allows. The rename itself is synced too.
        Edit,
        // The target is replaced: a link or a file at the path gives way to a
        // new file with the usual permissions.
        Replace,
    };

    AtomicFile(QString path, Mode mode);
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    Outcome open();
    Outcome write(const char *data, qint64 size);
    Outcome commit();

private:
    void discard();

    QString m_target;
    Mode m_mode;
    QByteArray m_temporary;
    int m_fd = -1;
};
