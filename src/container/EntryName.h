// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QString>

// Hidden files' names as names of files on disk. On this system only '/'
// separates folders, so ':' and '\' are ordinary characters of a name.
namespace EntryName {

// Why name cannot be written as a file inside a folder, or an empty text
// when it can: it is empty, "." or "..", or holds '/' or a control character.
QString whyUnusable(const QString &name);

// name with each '/' and control character replaced by '_'; an empty name,
// "." and ".." become "unnamed".
QString cleaned(const QString &name);

// name with " (n)" before its extension: "a (2).txt". With a limit, the
// part before the number is shortened so that the result has at most limit
// characters.
QString numbered(const QString &name, int n, qsizetype limit = -1);

} // namespace EntryName
