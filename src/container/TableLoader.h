// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerHeader.h"
#include "EntryData.h"
#include "EntryTable.h"
#include "LoadReport.h"
#include "bitmap/HiddenSource.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

// Reads a stored container's records into an entry table: every record it
// can, stopping at the first that is damaged or missing, then their names,
// renaming one that repeats an earlier name.
class TableLoader {
    Q_DECLARE_TR_FUNCTIONS(TableLoader)

public:
    // Reads the records of header.FileCount entries from hidden offset 14
    // and adds them to table; their data stay in source. Never reads past
    // the source; keeps every entry it could read. A name repeated in the
    // container, or taken in the table, is given one that no other entry
    // holds.
    static LoadReport load(
        const HiddenSource &source, const ContainerHeader &header, EntryTable *table);

private:
    // Every record from hidden offset 14 that can be read, with where its
    // data lie; the report says where and why the walk stopped.
    static QList<TableEntry> readRecords(const HiddenSource &source, LoadReport *report);
    // Adds entries to table, renaming those whose name is taken.
    static void addRenamed(QList<TableEntry> entries, EntryTable *table, LoadReport *report);
};
