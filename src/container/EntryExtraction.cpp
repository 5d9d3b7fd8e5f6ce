// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "EntryExtraction.h"

#include "Charset.h"
#include "EntryName.h"
#include "io/AtomicFile.h"
#include "io/LocalPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QSet>

namespace EntryExtraction {

QHash<QString, QString> namePlan(const EntryTable &table)
{
    QHash<QString, QString> names;
    // Usable names stay as they are and are taken first; a cleaned name is
    // numbered until no other entry's file name is the same.
    QSet<QString> taken;
    for (qsizetype i = 1; i <= table.count(); ++i) {
        const QString &description = table.item(i).description;
        if (EntryName::whyUnusable(description).isEmpty()) {
            names.insert(Charset::fold(description), description);
            taken.insert(Charset::fold(description));
        }
    }
    QHash<QString, int> nextNumber;
    for (qsizetype i = 1; i <= table.count(); ++i) {
        const QString &description = table.item(i).description;
        if (EntryName::whyUnusable(description).isEmpty())
            continue;
        QString name = EntryName::cleaned(description);
        if (taken.contains(Charset::fold(name))) {
            int &n = nextNumber[Charset::fold(name)];
            for (n = qMax(n, 2); taken.contains(Charset::fold(EntryName::numbered(name, n))); ++n) {
            }
            name = EntryName::numbered(name, n);
        }
        taken.insert(Charset::fold(name));
        names.insert(Charset::fold(description), name);
    }
    return names;
}

Outcome write(const DataReader &reader, const QString &description, const EntryData &entry,
    const QString &name, const QString &folder, bool keepExisting)
{
    // Every name the plan gives is a plain file name; this guards the rule
    // that nothing is written outside the folder.
    if (const QString why = EntryName::whyUnusable(name); !why.isEmpty())
        return Outcome::failure(why);

    // A link at the output path is replaced, not followed: writing through it
    // would land outside the chosen folder.
    AtomicFile file(LocalPath::inFolder(folder, name),
        keepExisting ? AtomicFile::Mode::Create : AtomicFile::Mode::Replace);
    const auto kept = [&name]() {
        return Outcome::failure(
            QCoreApplication::translate("EntryExtraction", "\"%1\" already exists and was kept.")
                .arg(name));
    };
    if (Outcome opened = file.open(); !opened)
        return file.alreadyExists() ? kept() : opened;
    const Outcome written = reader.stream(description, entry,
        [&file](const char *data, qint64 size) { return file.write(data, size); });
    if (!written)
        return written;
    const Outcome committed = file.commit();
    return !committed && file.alreadyExists() ? kept() : committed;
}

} // namespace EntryExtraction
