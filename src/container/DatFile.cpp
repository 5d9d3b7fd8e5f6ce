// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "DatFile.h"

#include "Charset.h"
#include "EntryExtraction.h"
#include "EntryName.h"
#include "EntryRecord.h"
#include "Scrambler.h"
#include "base/ByteCount.h"
#include "base/FailureText.h"

#include <QCoreApplication>
#include <QSet>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DatFile", text);
}

Outcome notHidden(const QString &name)
{
    return Outcome::failure(
        QCoreApplication::translate("DatFile", "\"%1\" is not hidden in this image.").arg(name));
}

} // namespace

InjectResult DatFile::checkDescription(const QString &Description) const
{
    return m_table.checkDescription(Description);
}

InjectResult DatFile::Inject(
    const QString &Description, const QString &FileName, qint64 limit, Holding holding)
{
    if (InjectResult checked = checkDescription(Description); !checked)
        return checked;
    EntryData data;
    if (InjectResult read = FileIntake::fromFile(FileName, limit, holding, &data); !read)
        return read;
    AddEntry(Description, std::move(data));
    return {};
}

InjectResult DatFile::InjectFrom(const QString &Description, QIODevice &source, qint64 limit)
{
    if (InjectResult checked = checkDescription(Description); !checked)
        return checked;
    EntryData data;
    if (InjectResult read = FileIntake::fromDevice(source, limit, &data); !read)
        return read;
    AddEntry(Description, std::move(data));
    return {};
}

void DatFile::AddEntry(const QString &description, EntryData data)
{
    m_table.add(description, std::move(data));
    m_extractionNames.reset();
}

const QHash<QString, QString> &DatFile::extractionNames() const
{
    if (!m_extractionNames)
        m_extractionNames = EntryExtraction::namePlan(m_table);
    return *m_extractionNames;
}

QString DatFile::extractionName(const QString &Description) const
{
    return extractionNames().value(Charset::fold(Description));
}

Outcome DatFile::readData(const QString &Description, QByteArray *data) const
{
    const TableEntry *entry = m_table.find(Description);
    return entry ? m_reader.read(Description, entry->data, data) : notHidden(Description);
}

Outcome DatFile::streamData(const QString &Description, const DataSink &sink) const
{
    const TableEntry *entry = m_table.find(Description);
    return entry ? m_reader.stream(Description, entry->data, sink) : notHidden(Description);
}

Outcome DatFile::Extract(const QString &Description, const QString &folder, bool keepExisting) const
{
    const TableEntry *entry = m_table.find(Description);
    if (!entry)
        return notHidden(Description);
    return EntryExtraction::write(
        m_reader, Description, entry->data, extractionName(Description), folder, keepExisting);
}

Outcome DatFile::Remove(const QString &what)
{
    if (!m_table.remove(what))
        return notHidden(what);
    m_extractionNames.reset();
    return Outcome::success();
}

qint64 DatFile::ContainerSize() const
{
    return ContainerHeader::Size + RecordSize * m_table.count() + TotalSize();
}

qint64 DatFile::ContainerSizeWith(qint64 fileSize) const
{
    return ContainerSize() + RecordSize + fileSize;
}

Outcome DatFile::CheckFits(qint64 capacity) const
{
    const qint64 needed = ContainerSize();
    if (needed <= capacity)
        return Outcome::success();
    return Outcome::failure(tr("The hidden files need %1 with their names and sizes, but the "
                               "image can hold only %2. Remove some files.")
                                .arg(bytesText(needed), bytesText(capacity)));
}

Outcome DatFile::makeLayout(const ContainerHeader &header, const QByteArray &password, bool inPlace,
    ContainerLayout *layout) const
{
    const bool scrambles = header.UsePassword && !password.isEmpty();
    const bool sourceScrambles = m_reader.scrambles();
    // Data read from the image keep their stored bytes when they stay where
    // they are and the key over them is the same.
    const auto sameBytes = [&](const EntryData &entry, qint64 offset, qint64 key) {
        if (!inPlace || !entry.inImage() || entry.storedAt != offset)
            return false;
        if (!scrambles && !sourceScrambles)
            return true;
        return scrambles && sourceScrambles && password == m_reader.password()
            && entry.keyStart % password.size() == key % password.size();
    };

    layout->m_scrambler = std::make_shared<Scrambler>(header.UsePassword, password);
    layout->addFixed(ContainerHeader::Offset, header.toBytes());
    qint64 offset = ContainerHeader::Size;
    qint64 key = 0;
    for (qsizetype i = 1; i <= m_table.count(); ++i) {
        const TableEntry &row = m_table.item(i);
        const EntryData &entry = row.data;
        // Every description in the table passed Inject or came from a record,
        // so it has a one-byte form.
        const QByteArray name = Charset::encode(row.description).value_or(QByteArray());
        layout->addFixed(
            offset, EntryRecord::make(name, static_cast<qint32>(entry.size)).toBytes());
        offset += RecordSize;
        if (entry.size > 0 && sameBytes(entry, offset, key)) {
            layout->m_keepsStoredBits = true;
        } else if (entry.size > 0) {
            if (entry.inMemory()) {
                layout->addData(offset, &entry.bytes, key);
            } else if (entry.file) {
                layout->addFile(offset, entry.file, key);
            } else {
                QByteArray data;
                if (Outcome read = readData(row.description, &data); !read)
                    return read;
                layout->addOwnedData(offset, std::move(data), key);
            }
        }
        offset += entry.size;
        key += entry.size;
    }
    return Outcome::success();
}

LoadReport DatFile::Load(
    const HiddenSource &source, const ContainerHeader &header, const QByteArray &password)
{
    LoadReport report;
    report.expected = qMax(0, header.FileCount);
    report.storedEnd = ContainerHeader::Size;
    const qint64 capacity = source.Capacity();
    const auto stop = [&report](qint32 read, const QString &why) {
        report.damage = tr("The image says it hides %1 files, but only %2 could be read: %3")
                            .arg(report.expected)
                            .arg(read)
                            .arg(why);
    };
    m_reader = DataReader(&source, header.UsePassword, password);

    // First every record that can be read, then their names: a repeated name
    // must be renamed to one that no entry, earlier or later, holds.
    QList<TableEntry> entries;
    QByteArray recordBytes(RecordSize, '\0');
    qint64 offset = ContainerHeader::Size;
    qint64 key = 0;
    // Bytes past the end of a file cut short are not there: a record or data
    // reaching into them cannot be read.
    const qint64 present = source.presentCapacity();
    const auto cutShort = [&](qint32 i) {
        stop(i,
            tr("the image file is cut short, and file %1 lies partly beyond its end.").arg(i + 1));
    };
    for (qint32 i = 0; i < report.expected; ++i) {
        if (capacity - offset < RecordSize) {
            stop(i, tr("the hidden data end early."));
            break;
        }
        if (present - offset < RecordSize) {
            cutShort(i);
            break;
        }
        if (Outcome read = source.ReadHidden(recordBytes, RecordSize, offset); !read) {
            stop(i, fullText(read));
            break;
        }
        offset += RecordSize;
        report.storedEnd = offset;
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
        report.storedEnd = offset;
    }

    QSet<QString> taken;
    for (qsizetype i = 1; i <= m_table.count(); ++i)
        taken.insert(Charset::fold(m_table.item(i).description));
    for (const TableEntry &entry : std::as_const(entries))
        taken.insert(Charset::fold(entry.description));
    QSet<QString> kept;
    // Numbering goes on from the last number given to a name, so that a long
    // run of repeated names is renamed in linear time.
    QHash<QString, int> nextNumber;
    for (TableEntry &entry : entries) {
        QString description = entry.description;
        const QString folded = Charset::fold(description);
        if (kept.contains(folded) || m_table.contains(description)) {
            int &n = nextNumber[folded];
            QString candidate;
            for (n = qMax(n, 2);; ++n) {
                candidate = EntryRecord::storedForm(
                    EntryName::numbered(description, n, EntryRecord::DescriptionSize));
                if (!taken.contains(Charset::fold(candidate)))
                    break;
            }
            taken.insert(Charset::fold(candidate));
            ++report.renamedCount;
            if (report.renamed.size() < LoadReport::RenamedListed)
                report.renamed << QStringLiteral("\"%1\" -> \"%2\"").arg(description, candidate);
            description = candidate;
        }
        kept.insert(Charset::fold(description));
        AddEntry(description, std::move(entry.data));
        ++report.loaded;
    }
    return report;
}
