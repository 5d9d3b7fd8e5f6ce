// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "EntryData.h"
#include "InjectResult.h"
#include "KeyedColumn.h"
#include "KeyedList.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>

// The container's entries, in stored order followed by the order of adding,
// reached by position or by description regardless of letter case; and the
// rules a new description must pass. Besides the descriptions it knows the
// form each is stored under, so that no two entries read back the same.
class EntryTable {
    Q_DECLARE_TR_FUNCTIONS(EntryTable)

public:
    // The entries' data, and their descriptions, as lists of their own.
    using Files = KeyedColumn<TableEntry, EntryData, &TableEntry::data>;
    using Descriptions = KeyedColumn<TableEntry, QString, &TableEntry::description>;

    Files files() const { return Files(m_entries); }
    Descriptions descriptions() const { return Descriptions(m_entries); }

    qsizetype count() const { return m_entries.count(); }
    // position counts from 1.
    const TableEntry &item(qsizetype position) const { return m_entries.item(position); }
    const TableEntry *find(const QString &description) const { return m_entries.find(description); }
    bool contains(const QString &description) const { return m_entries.contains(description); }

    // The sum of the entries' data lengths.
    qint64 totalSize() const { return m_totalSize; }

    // Why description cannot be added, or success: a character the character
    // set lacks, a name that cannot be a file name (as given or as stored),
    // a description already in the table, or one whose stored form another
    // entry's takes.
    InjectResult checkDescription(const QString &description) const;

    // Appends an entry; false, changing nothing, when the description is
    // already in the table. The rules above are the caller's to apply.
    bool add(const QString &description, EntryData data);
    // Removes the entry under description; false when there is none.
    bool remove(const QString &description);

private:
    KeyedList<TableEntry> m_entries;
    // Folded stored form of every description -> the description.
    QHash<QString, QString> m_storedNames;
    qint64 m_totalSize = 0;
};
