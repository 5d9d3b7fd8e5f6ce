// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TableLoader.h"

#include "Charset.h"
#include "EntryName.h"
#include "EntryRecord.h"
#include "base/ByteCount.h"
#include "base/FailureText.h"

#include <QHash>
#include <QSet>

LoadReport TableLoader::load(
    const HiddenSource &source, const ContainerHeader &header, EntryTable *table)
{
    LoadReport report;
    report.expected = qMax(0, header.FileCount);
    report.storedEnd = ContainerHeader::Size;
    // First every record that can be read, then their names: a repeated name
    // must be renamed to one that no entry, earlier or later, holds.
    addRenamed(readRecords(source, &report), table, &report);
    return report;
}

QList<TableEntry> TableLoader::readRecords(const HiddenSource &source, LoadReport *report)
{
    const qint64 capacity = source.Capacity();
    // Bytes past the end of a file cut short are not there: a record or data
    // reaching into them cannot be read.
    const qint64 present = source.presentCapacity();
    const auto stop = [report](qint32 read, const QString &why) {
        report->damage = report->expected == 1
            ? tr("The image says it hides 1 file, but it could not be read: %1").arg(why)
            : tr("The image says it hides %1 files, but only %2 could be read: %3")
                  .arg(report->expected)
                  .arg(read)
                  .arg(why);
    };
    const auto cutShort = [&](qint32 i) {
        stop(i,
            tr("the image file is cut short, and file %1 lies partly beyond its end.").arg(i + 1));
    };
    QList<TableEntry> entries;
    QByteArray recordBytes(EntryRecord::Size, '\0');
    qint64 offset = ContainerHeader::Size;
    qint64 key = 0;
    for (qint32 i = 0; i < report->expected; ++i) {
        if (capacity - offset < EntryRecord::Size) {
            stop(i, tr("the hidden data end early."));
            break;
        }
        if (present - offset < EntryRecord::Size) {
            cutShort(i);
            break;
        }
        if (Outcome read = source.ReadHidden(recordBytes, EntryRecord::Size, offset); !read) {
            stop(i, fullText(read));
            break;
        }
        offset += EntryRecord::Size;
        report->storedEnd = offset;
        const EntryRecord record = EntryRecord::fromBytes(recordBytes.constData());
        if (record.Length < 0 || record.Length > capacity - offset) {
            stop(i,
                tr("the size stored for file %1 (%2) is damaged.")
                    .arg(i + 1)
                    .arg(bytesText(record.Length)));
            break;
        }
        if (record.Length > present - offset) {
            cutShort(i);
            break;
        }
        EntryData data;
        data.size = record.Length;
        data.storedAt = offset;
        data.keyStart = key;
        entries.append({record.description(), std::move(data)});
        offset += record.Length;
        key += record.Length;
        report->storedEnd = offset;
    }
    return entries;
}

void TableLoader::addRenamed(QList<TableEntry> entries, EntryTable *table, LoadReport *report)
{
    QSet<QString> taken;
    for (qsizetype i = 1; i <= table->count(); ++i)
        taken.insert(Charset::fold(table->item(i).description));
    for (const TableEntry &entry : std::as_const(entries))
        taken.insert(Charset::fold(entry.description));
    QSet<QString> kept;
    // Numbering goes on from the last number given to a name, so that a long
    // run of repeated names is renamed in linear time.
    QHash<QString, int> nextNumber;
    for (TableEntry &entry : entries) {
        QString description = entry.description;
        const QString folded = Charset::fold(description);
        if (kept.contains(folded) || table->contains(description)) {
            int &n = nextNumber[folded];
            QString candidate;
            for (n = qMax(n, 2);; ++n) {
                candidate = EntryRecord::storedForm(
                    EntryName::numbered(description, n, EntryRecord::DescriptionSize));
                if (!taken.contains(Charset::fold(candidate)))
                    break;
            }
            taken.insert(Charset::fold(candidate));
            ++report->renamedCount;
            if (report->renamed.size() < LoadReport::RenamedListed)
                report->renamed << QStringLiteral("\"%1\" -> \"%2\"").arg(description, candidate);
            description = candidate;
        }
        kept.insert(Charset::fold(description));
        table->add(description, std::move(entry.data));
        ++report->loaded;
    }
}
