#pragma once

#include <QString>
#include <QtGlobal>

// True exactly when the file at path can be opened for reading. Creates
// nothing, leaves nothing open; a folder, an empty path or an unreadable
// file gives false.
bool FileExists(const QString &path);

// The file's length in bytes, or -1 when it cannot be opened for reading.
qint64 FileSize(const QString &path);
