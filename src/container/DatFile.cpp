// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "DatFile.h"
#include "base/FailureText.h"

#include "Charset.h"
#include "EntryName.h"
#include "EntryRecord.h"
#include "Scrambler.h"
#include "base/ByteCount.h"
#include "base/Prefault.h"
#include "io/AtomicFile.h"
#include "io/FileProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>

#include <cstring>
#include <new>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DatFile", text);
}

// Data read back from the image pass through a buffer of this size.
constexpr qint64 ChunkSize = 1024 * 1024;

InjectResult tooLarge(qint64 limit)
{
    return {InjectStatus::TooLarge,
        tr("It holds more than the %1 that can still be stored.").arg(bytesText(limit))};
}

Outcome notHidden(const QString &name)
{
    return Outcome::failure(tr("\"%1\" is not hidden in this image.").arg(name));
}

// Reads source to its end. A size it reports is only a hint: files such as
// those under /proc say 0 and hold more, a file may grow while it is read,
// and a pipe says nothing. More than limit bytes fail with TooLarge.
InjectResult readAll(QIODevice &source, qint64 limit, QByteArray *data)
{
    const qint64 hint = source.isSequential() ? 0 : source.size();
    if (hint > limit)
        return tooLarge(limit);
    try {
        // One byte more than the size says, so that the end shows without a
        // second allocation.
        QByteArray bytes(hint > 0 ? hint + 1 : 4096, Qt::Uninitialized);
        prefault(bytes.data(), static_cast<std::size_t>(bytes.size()));
        qint64 total = 0;
        for (;;) {
            if (total == bytes.size()) {
                if (total > limit)
                    return tooLarge(limit);
                bytes.resize(qMin(limit + 1, 2 * total));
            }
            const qint64 n = source.read(bytes.data() + total, bytes.size() - total);
            if (n < 0)
                return {InjectStatus::Unreadable, source.errorString()};
            if (n == 0)
                break;
            total += n;
        }
        if (total > limit)
            return tooLarge(limit);
        bytes.resize(total);
        *data = std::move(bytes);
    } catch (const std::bad_alloc &) {
        return {InjectStatus::Unreadable, tr("There is not enough memory to read the file.")};
    }
    return {};
}

} // namespace

void DatFile::AddEntry(const QString &description, EntryData data)
{
    m_table.add(description, std::move(data));
    m_extractionNames.reset();
}

InjectResult DatFile::checkDescription(const QString &Description) const
{
    return m_table.checkDescription(Description);
}

InjectResult DatFile::Inject(
    const QString &Description, const QString &FileName, qint64 limit, Holding holding)
{
    if (InjectResult checked = checkDescription(Description); !checked)
        return checked;
    if (holding == Holding::FromFile) {
        auto source = std::make_shared<FileSource>();
        if (Outcome opened = source->open(FileName); !opened)
            return {InjectStatus::Unreadable, fullText(opened)};
        if (source->size() > limit)
            return tooLarge(limit);
        if (source->size() > 0) {
            EntryData data;
            data.size = source->size();
            data.file = std::move(source);
            AddEntry(Description, std::move(data));
            return {};
        }
    }
    QFile file;
    if (Outcome opened = openRegularFile(FileName, file); !opened)
        return {InjectStatus::Unreadable, fullText(opened)};
    return addRead(Description, file, limit);
}

InjectResult DatFile::InjectFrom(const QString &Description, QIODevice &source, qint64 limit)
{
    if (InjectResult checked = checkDescription(Description); !checked)
        return checked;
    return addRead(Description, source, limit);
}

InjectResult DatFile::addRead(const QString &Description, QIODevice &source, qint64 limit)
{
    EntryData data;
    if (InjectResult read = readAll(source, limit, &data.bytes); !read)
        return read;
    data.size = data.bytes.size();
    AddEntry(Description, std::move(data));
    return {};
}

const QHash<QString, QString> &DatFile::extractionNames() const
{
    if (m_extractionNames)
        return *m_extractionNames;
    QHash<QString, QString> names;
    // Usable names stay as they are and are taken first; a cleaned name is
    // numbered until no other entry's file name is the same.
    QSet<QString> taken;
    for (qsizetype i = 1; i <= m_table.count(); ++i) {
        const QString &description = m_table.item(i).description;
        if (EntryName::whyUnusable(description).isEmpty()) {
            names.insert(Charset::fold(description), description);
            taken.insert(Charset::fold(description));
        }
    }
    QHash<QString, int> nextNumber;
    for (qsizetype i = 1; i <= m_table.count(); ++i) {
        const QString &description = m_table.item(i).description;
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
    m_extractionNames = std::move(names);
    return *m_extractionNames;
}

QString DatFile::extractionName(const QString &Description) const
{
    return extractionNames().value(Charset::fold(Description));
}

Outcome DatFile::readData(const QString &Description, QByteArray *data) const
{
    const TableEntry *row = m_table.find(Description);
    if (!row)
        return notHidden(Description);
    const EntryData *entry = &row->data;
    if (entry->inMemory()) {
        *data = entry->bytes;
        return Outcome::success();
    }
    QByteArray bytes;
    try {
        bytes = QByteArray(entry->size, Qt::Uninitialized);
    } catch (const std::bad_alloc &) {
        return Outcome::failure(tr("There is not enough memory to read \"%1\".").arg(Description));
    }
    char *out = bytes.data();
    const Outcome read = streamData(Description, [&out](const char *piece, qint64 size) {
        std::memcpy(out, piece, static_cast<std::size_t>(size));
        out += size;
        return Outcome::success();
    });
    if (read)
        *data = std::move(bytes);
    return read;
}

Outcome DatFile::streamData(const QString &Description, const DataSink &sink) const
{
    const TableEntry *row = m_table.find(Description);
    if (!row)
        return notHidden(Description);
    const EntryData *entry = &row->data;
    if (entry->inMemory())
        return sink(entry->bytes.constData(), entry->size);
    if (!entry->file && !m_source)
        return Outcome::failure(tr("The image \"%1\" was read from is closed.").arg(Description));
    // From the file it was added from, or unscrambled from the image.
    Scrambler scrambler(m_sourceScrambled, m_sourcePassword);
    const auto read = [&](char *piece, qint64 done, qint64 run) {
        if (entry->file)
            return entry->file->read(piece, done, run);
        const Outcome read = m_source->ReadHidden(piece, run, entry->storedAt + done);
        scrambler.seek(entry->keyStart + done);
        scrambler.apply(piece, run);
        return read;
    };
    QByteArray piece(static_cast<qsizetype>(qMin(entry->size, ChunkSize)), Qt::Uninitialized);
    for (qint64 done = 0; done < entry->size;) {
        const qint64 run = qMin(ChunkSize, entry->size - done);
        if (Outcome got = read(piece.data(), done, run); !got)
            return got;
        if (Outcome taken = sink(piece.constData(), run); !taken)
            return taken;
        done += run;
    }
    return Outcome::success();
}

Outcome DatFile::Extract(const QString &Description, const QString &folder, bool keepExisting) const
{
    if (!m_table.contains(Description))
        return notHidden(Description);
    const QString name = extractionName(Description);
    // Every name the plan gives is a plain file name; this guards the rule
    // that nothing is written outside the folder.
    if (const QString why = EntryName::whyUnusable(name); !why.isEmpty())
        return Outcome::failure(why);

    // A link at the output path is replaced, not followed: writing through it
    // would land outside the chosen folder.
    AtomicFile file(QDir(folder).filePath(name),
        keepExisting ? AtomicFile::Mode::Create : AtomicFile::Mode::Replace);
    const auto kept = [&name]() {
        return Outcome::failure(tr("\"%1\" already exists and was kept.").arg(name));
    };
    if (Outcome opened = file.open(); !opened)
        return file.alreadyExists() ? kept() : opened;
    const Outcome written = streamData(
        Description, [&file](const char *data, qint64 size) { return file.write(data, size); });
    if (!written)
        return written;
    const Outcome committed = file.commit();
    return !committed && file.alreadyExists() ? kept() : committed;
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
    const bool sourceScrambles = m_sourceScrambled && !m_sourcePassword.isEmpty();
    // Data read from the image keep their stored bytes when they stay where
    // they are and the key over them is the same.
    const auto sameBytes = [&](const EntryData &entry, qint64 offset, qint64 key) {
        if (!inPlace || !entry.inImage() || entry.storedAt != offset)
            return false;
        if (!scrambles && !sourceScrambles)
            return true;
        return scrambles && sourceScrambles && password == m_sourcePassword
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
    m_source = &source;
    m_sourceScrambled = header.UsePassword;
    m_sourcePassword = password;

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
