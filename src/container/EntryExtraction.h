// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "DataReader.h"
#include "EntryTable.h"
#include "base/Outcome.h"

#include <QHash>
#include <QString>

// Taking entries out of the container as files: the name each is written
// under, and the writing itself.
namespace EntryExtraction {

// The file name of every entry of table, by folded description: the
// description itself when it can be a file name, otherwise a cleaned form,
// numbered until no other entry's file name is the same.
QHash<QString, QString> namePlan(const EntryTable &table);

// Writes the data of entry, read through reader, into folder under name,
// replacing a file there once every byte is written. With keepExisting, a
// file already there is kept and the writing fails. description names the
// entry in messages.
Outcome write(const DataReader &reader, const QString &description, const EntryData &entry,
    const QString &name, const QString &folder, bool keepExisting);

} // namespace EntryExtraction
