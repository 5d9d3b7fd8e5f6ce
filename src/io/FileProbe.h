// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QString>
#include <QtGlobal>

class QFile;

// Paths the user names are judged from their metadata before anything is
// opened: a named pipe, a device or a socket would block the reader or lie
// about its size, so only regular files are ever opened.

// Succeeds when path names a regular file this process may read; on failure
// the message says what is there instead ("It is a named pipe (FIFO), not a
// regular file.", "Permission denied."). *size receives the file's length.
Outcome probeRegularFile(const QString &path, qint64 *size = nullptr);

// True exactly when path names a readable regular file. Opens nothing.
bool FileExists(const QString &path);

// The length of the readable regular file at path, or -1.
qint64 FileSize(const QString &path);

// Opens path for reading, without ever blocking, when it is a regular file;
// the check is repeated on the opened file, so a file swapped for a pipe in
// between is refused as well.
Outcome openRegularFile(const QString &path, QFile &file);

// Makes sure files can be written into the folder at path, creating it and
// any folders above it that are missing. The failure names the folder once
// and says why ("… is not a folder.", "Permission denied.").
Outcome prepareFolder(const QString &path);
