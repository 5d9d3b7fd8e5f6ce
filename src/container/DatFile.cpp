// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "DatFile.h"

#include "Charset.h"
#include "EntryName.h"
#include "EntryRecord.h"
#include "Scrambler.h"
#include "carrier/AtomicFile.h"
#include "carrier/ByteCount.h"
#include "carrier/FileProbe.h"

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

// Scrambled data go to the hidden stream through a buffer of this size, so
// that no second whole copy of an entry is made.
constexpr qint64 ChunkSize = 64 * 1024;

// Reads source to its end. A size it reports is only a hint: files such as
// those under /proc say 0 and hold more, a file may grow while it is read,
// and a pipe says nothing. More than limit bytes fail with TooLarge.
InjectResult readAll(QIODevice &source, qint64 limit, QByteArray *data)
{
    const auto tooLarge = [limit] {
        return InjectResult {InjectStatus::TooLarge,
            tr("It holds more than the %1 that can still be stored.").arg(formatBytes(limit))};
    };
    const qint64 hint = source.isSequential() ? 0 : source.size();
    if (hint > limit)
        return tooLarge();
    try {
        // One byte more than the size says, so that the end shows without a
        // second allocation.
        QByteArray bytes(hint > 0 ? hint + 1 : 4096, Qt::Uninitialized);
        qint64 total = 0;
        for (;;) {
            if (total == bytes.size()) {
                if (total > limit)
                    return tooLarge();
                bytes.resize(qMin(limit + 1, 2 * total));
            }
            const qint64 n = source.read(bytes.data() + total, bytes.size() - total);
            if (n < 0)
                return {InjectStatus::Unreadable, source.errorString()};
            if (n == 0 && (!source.isSequential() || !source.waitForReadyRead(-1)))
                break;
            total += n;
        }
        if (total > limit)
            return tooLarge();
        bytes.resize(total);
        *data = std::move(bytes);
    } catch (const std::bad_alloc &) {
        return {InjectStatus::Unreadable, tr("There is not enough memory to read the file.")};
    }
    return {};
}

} // namespace

QString LoadReport::message() const
{
    QStringList parts;
    if (!damage.isEmpty())
        parts << damage;
    if (renamedCount > 0) {
        QString list = renamed.join(QStringLiteral(", "));
        if (renamedCount > renamed.size())
            list += tr(" and %1 more").arg(renamedCount - renamed.size());
        parts << tr("Some hidden files had the same name as an earlier one and were renamed: %1.")
                     .arg(list);
    }
    return parts.join(QLatin1Char(' '));
}

bool DatFile::AddEntry(const QString &description, QByteArray data)
{
    const qint64 size = data.size();
    if (!m_colFiles.add(description, std::move(data)))
        return false;
    m_colDescriptions.add(description, description);
    m_storedNames.insert(Charset::fold(EntryRecord::storedForm(description)), description);
    m_totalSize += size;
    m_extractionNames.reset();
    return true;
}

InjectResult DatFile::checkDescription(const QString &Description) const
{
    if (const QString bad = Charset::unrepresentable(Description); !bad.isEmpty())
        return {InjectStatus::Unrepresentable, bad};
    const QString stored = EntryRecord::storedForm(Description);
    // Control characters are refused anywhere in the name, so that the file
    // can be extracted under its full name while the container is open, too.
    QString why = EntryName::whyUnusable(Description);
    if (why.isEmpty())
        why = EntryName::whyUnusable(stored);
    if (!why.isEmpty()) {
        return {InjectStatus::Unusable,
            tr("\"%1\" could not be written back as a file under its stored name \"%2\": %3")
                .arg(Description, stored, why)};
    }
    if (const QString *existing = m_colDescriptions.find(Description)) {
        return {InjectStatus::Duplicate,
            tr("A file named \"%1\" is already hidden in this image.").arg(*existing)};
    }
    const auto taken = m_storedNames.constFind(Charset::fold(stored));
    if (taken != m_storedNames.constEnd()) {
        return {InjectStatus::StoredNameTaken,
            tr("Only the first %1 characters of a name are stored, and \"%2\" would then read "
               "back as \"%3\", the name of a file already hidden. Rename the file and add it "
               "again.")
                .arg(EntryRecord::DescriptionSize)
                .arg(Description, *taken)};
    }
    return {};
}

InjectResult DatFile::Inject(const QString &Description, const QString &FileName, qint64 limit)
{
    if (InjectResult checked = checkDescription(Description); !checked)
        return checked;
    QFile file;
    if (Outcome opened = openRegularFile(FileName, file); !opened)
        return {InjectStatus::Unreadable, opened.message()};
    return InjectFrom(Description, file, limit);
}

InjectResult DatFile::InjectFrom(const QString &Description, QIODevice &source, qint64 limit)
{
    if (InjectResult checked = checkDescription(Description); !checked)
        return checked;
    QByteArray data;
    if (InjectResult read = readAll(source, limit, &data); !read)
        return read;
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
    for (qsizetype i = 1; i <= m_colDescriptions.count(); ++i) {
        const QString &description = m_colDescriptions.item(i);
        if (EntryName::whyUnusable(description).isEmpty()) {
            names.insert(Charset::fold(description), description);
            taken.insert(Charset::fold(description));
        }
    }
    QHash<QString, int> nextNumber;
    for (qsizetype i = 1; i <= m_colDescriptions.count(); ++i) {
        const QString &description = m_colDescriptions.item(i);
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

Outcome DatFile::Extract(const QString &Description, const QString &folder) const
{
    const QByteArray *data = m_colFiles.find(Description);
    if (!data)
        return Outcome::failure(tr("\"%1\" is not hidden in this image.").arg(Description));
    const QString name = extractionName(Description);
    // Every name the plan gives is a plain file name; this guards the rule
    // that nothing is written outside the folder.
    if (const QString why = EntryName::whyUnusable(name); !why.isEmpty())
        return Outcome::failure(why);

    // A link at the output path is replaced, not followed: writing through it
    // would land outside the chosen folder.
    AtomicFile file(QDir(folder).filePath(name), AtomicFile::Mode::Replace);
    if (Outcome opened = file.open(); !opened)
        return opened;
    if (Outcome written = file.write(data->constData(), data->size()); !written)
        return written;
    return file.commit();
}

Outcome DatFile::Remove(const QString &what)
{
    const QString *description = m_colDescriptions.find(what);
    if (!description)
        return Outcome::failure(tr("\"%1\" is not hidden in this image.").arg(what));
    const QString stored = Charset::fold(EntryRecord::storedForm(*description));
    m_totalSize -= m_colFiles.find(what)->size();
    m_storedNames.remove(stored);
    m_colFiles.remove(what);
    m_colDescriptions.remove(what);
    m_extractionNames.reset();
    return Outcome::success();
}

qint64 DatFile::ContainerSize() const
{
    return ContainerHeader::Size + RecordSize * m_colFiles.count() + TotalSize();
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
                                .arg(formatBytes(needed), formatBytes(capacity)));
}

Outcome DatFile::Save(
    HiddenStream &stream, const ContainerHeader &header, const QByteArray &password) const
{
    if (Outcome fits = CheckFits(stream.Capacity()); !fits)
        return fits;

    Scrambler scrambler(header.UsePassword, password);
    QByteArray chunk;
    qint64 offset = ContainerHeader::Size;
    for (qsizetype i = 1; i <= m_colFiles.count(); ++i) {
        const QByteArray &data = m_colFiles.item(i);
        // Every description in the table passed Inject or came from a record,
        // so it has a one-byte form.
        const QByteArray name = Charset::encode(m_colDescriptions.item(i)).value_or(QByteArray());
        const EntryRecord record = EntryRecord::make(name, static_cast<qint32>(data.size()));
        if (Outcome written = stream.WriteHidden(record.toBytes(), RecordSize, offset); !written)
            return written;
        offset += RecordSize;

        if (!scrambler.isActive()) {
            if (Outcome written = stream.WriteHidden(data, data.size(), offset); !written)
                return written;
            offset += data.size();
            continue;
        }
        for (qint64 done = 0; done < data.size();) {
            const qint64 run = qMin(ChunkSize, data.size() - done);
            chunk.resize(run);
            std::memcpy(chunk.data(), data.constData() + done, static_cast<std::size_t>(run));
            scrambler.apply(chunk.data(), run);
            if (Outcome written = stream.WriteHidden(chunk, run, offset); !written)
                return written;
            offset += run;
            done += run;
        }
    }
    return Outcome::success();
}

LoadReport DatFile::Load(
    const HiddenStream &stream, const ContainerHeader &header, const QByteArray &password)
{
    LoadReport report;
    report.expected = qMax(0, header.FileCount);
    const qint64 capacity = stream.Capacity();
    const auto stop = [&report](qint32 read, const QString &why) {
        report.damage = tr("The image says it hides %1 files, but only %2 could be read: %3")
                            .arg(report.expected)
                            .arg(read)
                            .arg(why);
    };

    // First every entry that can be read, then their names: a repeated name
    // must be renamed to one that no entry, earlier or later, holds.
    struct Entry {
        QString description;
        QByteArray data;
    };
    QList<Entry> entries;
    Scrambler scrambler(header.UsePassword, password);
    QByteArray recordBytes(RecordSize, '\0');
    qint64 offset = ContainerHeader::Size;
    for (qint32 i = 0; i < report.expected; ++i) {
        if (capacity - offset < RecordSize) {
            stop(i, tr("the hidden data end early."));
            break;
        }
        if (!stream.ReadHidden(recordBytes, RecordSize, offset))
            break;
        offset += RecordSize;
        const EntryRecord record = EntryRecord::fromBytes(recordBytes.constData());
        if (record.Length < 0 || record.Length > capacity - offset) {
            stop(i,
                tr("the size stored for file %1 (%2) is damaged.")
                    .arg(i + 1)
                    .arg(formatBytes(record.Length)));
            break;
        }
        QByteArray data;
        try {
            data = QByteArray(record.Length, Qt::Uninitialized);
        } catch (const std::bad_alloc &) {
            stop(i, tr("there is not enough memory."));
            break;
        }
        if (!stream.ReadHidden(data, record.Length, offset))
            break;
        scrambler.apply(data.data(), record.Length);
        offset += record.Length;
        entries.append({record.description(), std::move(data)});
    }

    QSet<QString> taken;
    for (qsizetype i = 1; i <= m_colDescriptions.count(); ++i)
        taken.insert(Charset::fold(m_colDescriptions.item(i)));
    for (const Entry &entry : std::as_const(entries))
        taken.insert(Charset::fold(entry.description));
    QSet<QString> kept;
    // Numbering goes on from the last number given to a name, so that a long
    // run of repeated names is renamed in linear time.
    QHash<QString, int> nextNumber;
    for (Entry &entry : entries) {
        QString description = entry.description;
        const QString folded = Charset::fold(description);
        if (kept.contains(folded) || m_colFiles.contains(description)) {
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
