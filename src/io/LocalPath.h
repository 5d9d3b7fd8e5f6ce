// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>

// Qt's file classes take a path that begins with ':' for one of the
// program's built-in resources. Paths users give and names of files they
// hid are never that: these give the form that names the file on disk.
namespace LocalPath {

// path itself, or "./" before it when it begins with ':'.
QString of(const QString &path);

// The file name in folder. Unlike QDir::filePath, a name that begins with
// ':' stays a file in that folder.
QString inFolder(const QString &folder, const QString &name);

} // namespace LocalPath
