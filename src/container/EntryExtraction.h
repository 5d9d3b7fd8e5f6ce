// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

struct FileIdentity;

// Taking entries out of a container as files: the name each is written
// under, and the writing itself. Plain and sealed containers alike.
namespace EntryExtraction {

using Fold = QString (*)(const QString &);

// The file name of every one of names, by its folded form: the name itself
// when it can be a file name, otherwise a cleaned form, numbered until no
// other name's file name is the same (under fold, as the container tells
// names apart).
QHash<QString, QString> namePlan(const QStringList &names, Fold fold);

// Fails when the file name in folder is the image the entries are read
// from (as opened, or what its path names now), under any name or link:
// extracting there would replace it.
Outcome guardImage(const QString &name, const QString &folder, const FileIdentity &opened,
    const QString &imagePath);

// Hands the entry's data to a sink, piece by piece.
using Sink = std::function<Outcome(const char *data, qint64 size)>;
using Stream = std::function<Outcome(const Sink &sink)>;

// Writes what stream gives into folder under name, replacing a file there
// once every byte is written. With keepExisting, a file already there is
// kept and the writing fails (Kind::Exists).
Outcome write(const Stream &stream, const QString &name, const QString &folder, bool keepExisting);

} // namespace EntryExtraction
