#include "DatFile.h"

#include "Charset.h"
#include "EntryRecord.h"
#include "Scrambler.h"
#include "carrier/FileProbe.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

#include <cstring>
#include <limits>
#include <new>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DatFile", text);
}

// Scrambled data go to the hidden stream through a buffer of this size, so
// that no second whole copy of an entry is made.
constexpr qint64 ChunkSize = 64 * 1024;

Outcome readWhole(const QString &path, QByteArray *data)
{
    if (!FileExists(path))
        return Outcome::failure(tr("The file cannot be opened for reading."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Outcome::failure(file.errorString());
    const qint64 size = file.size();
    if (size > std::numeric_limits<qint32>::max())
        return Outcome::failure(tr("The file is too large: 2 GiB or more."));
    try {
        QByteArray bytes(size, Qt::Uninitialized);
        qint64 total = 0;
        while (total < size) {
            const qint64 n = file.read(bytes.data() + total, size - total);
            if (n <= 0)
                return Outcome::failure(
                    n < 0 ? file.errorString() : tr("The file could not be read whole."));
            total += n;
        }
        *data = std::move(bytes);
    } catch (const std::bad_alloc &) {
        return Outcome::failure(tr("There is not enough memory to read the file."));
    }
    return Outcome::success();
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
    if (!m_colFiles.add(description, std::move(data)))
        return false;
    m_colDescriptions.add(description, description);
    return true;
}

InjectResult DatFile::Inject(const QString &Description, const QString &FileName)
{
    if (const QString bad = Charset::unrepresentable(Description); !bad.isEmpty())
        return {InjectStatus::Unrepresentable, bad};
    if (m_colFiles.contains(Description))
        return {InjectStatus::Duplicate,
            tr("\"%1\" is already hidden in this image.").arg(Description)};
    const QString stored = EntryRecord::storedForm(Description);
    for (qsizetype i = 1; i <= m_colDescriptions.count(); ++i) {
        const QString &other = m_colDescriptions.item(i);
        if (Charset::sameIgnoringCase(EntryRecord::storedForm(other), stored)) {
            return {InjectStatus::StoredNameTaken,
                tr("Only the first %1 characters of a name are stored, and \"%2\" would "
                   "then read back as \"%3\", the name of a file already hidden. Rename the "
                   "file and add it again.")
                    .arg(EntryRecord::DescriptionSize)
                    .arg(Description, other)};
        }
    }
    QByteArray data;
    if (Outcome read = readWhole(FileName, &data); !read)
        return {InjectStatus::Unreadable, read.message()};
    AddEntry(Description, std::move(data));
    return {};
}

QString DatFile::unsafeFileName(const QString &description)
{
    if (description.isEmpty() || description == QLatin1String(".")
        || description == QLatin1String("..")) {
        return tr("\"%1\" is not a usable file name.").arg(description);
    }
    for (QChar c : description) {
        const char16_t u = c.unicode();
        if (u == '/' || u == '\\' || u == ':' || u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
            return tr("\"%1\" is not a plain file name: it holds a folder separator, a drive "
                      "mark or a control character, and was not written.")
                .arg(description);
    }
    return {};
}

Outcome DatFile::Extract(const QString &Description, const QString &FileName) const
{
    if (const QString bad = unsafeFileName(Description); !bad.isEmpty())
        return Outcome::failure(bad);
    const QByteArray *data = m_colFiles.find(Description);
    if (!data)
        return Outcome::failure(tr("\"%1\" is not hidden in this image.").arg(Description));

    // A link at the output path is replaced, not followed: writing through it
    // would land outside the chosen folder.
    if (QFileInfo(FileName).isSymLink() && !QFile::remove(FileName))
        return Outcome::failure(tr("The link at %1 could not be replaced.").arg(FileName));
    QSaveFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || file.write(*data) != data->size() || !file.flush() || !file.commit())
        return Outcome::failure(file.errorString());
    return Outcome::success();
}

Outcome DatFile::Remove(const QString &what)
{
    if (!m_colFiles.remove(what))
        return Outcome::failure(tr("\"%1\" is not hidden in this image.").arg(what));
    m_colDescriptions.remove(what);
    return Outcome::success();
}

qint64 DatFile::TotalSize() const
{
    qint64 total = 0;
    for (qsizetype i = 1; i <= m_colFiles.count(); ++i)
        total += m_colFiles.item(i).size();
    return total;
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
    return Outcome::failure(tr("The hidden files need %1 bytes with their names and sizes, but "
                               "the image can hold only %2. Remove some files.")
                                .arg(needed)
                                .arg(capacity));
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

QString DatFile::distinctDescription(
    const QString &description, QHash<QString, int> *nextNumber) const
{
    const qsizetype dot = description.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? description.left(dot) : description;
    const QString extension = dot > 0 ? description.mid(dot) : QString();
    // Numbering goes on from the last number given to this name, so that a
    // long run of repeated names is renamed in linear time.
    int &n = (*nextNumber)[Charset::fold(description)];
    for (n = qMax(n, 2);; ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n) + extension;
        const qsizetype room = qMax<qsizetype>(0, EntryRecord::DescriptionSize - suffix.size());
        const QString candidate = EntryRecord::storedForm(base.left(room) + suffix);
        if (!m_colFiles.contains(candidate))
            return candidate;
    }
}

LoadReport DatFile::Load(
    const HiddenStream &stream, const ContainerHeader &header, const QByteArray &password)
{
    LoadReport report;
    report.expected = qMax(0, header.FileCount);
    const qint64 capacity = stream.Capacity();
    const auto stop = [&report](const QString &why) {
        report.damage = tr("The image says it hides %1 files, but only %2 could be read: %3")
                            .arg(report.expected)
                            .arg(report.loaded)
                            .arg(why);
    };

    Scrambler scrambler(header.UsePassword, password);
    QByteArray recordBytes(RecordSize, '\0');
    QHash<QString, int> nextNumber;
    qint64 offset = ContainerHeader::Size;
    for (qint32 i = 0; i < report.expected; ++i) {
        if (capacity - offset < RecordSize) {
            stop(tr("the hidden data end early."));
            break;
        }
        if (!stream.ReadHidden(recordBytes, RecordSize, offset))
            break;
        offset += RecordSize;
        const EntryRecord record = EntryRecord::fromBytes(recordBytes.constData());
        if (record.Length < 0 || record.Length > capacity - offset) {
            stop(tr("the size stored for file %1 (%2 bytes) is damaged.")
                     .arg(i + 1)
                     .arg(record.Length));
            break;
        }
        QByteArray data;
        try {
            data = QByteArray(record.Length, Qt::Uninitialized);
        } catch (const std::bad_alloc &) {
            stop(tr("there is not enough memory."));
            break;
        }
        if (!stream.ReadHidden(data, record.Length, offset))
            break;
        scrambler.apply(data.data(), record.Length);
        offset += record.Length;

        QString description = record.description();
        if (m_colFiles.contains(description)) {
            const QString distinct = distinctDescription(description, &nextNumber);
            ++report.renamedCount;
            if (report.renamed.size() < LoadReport::RenamedListed)
                report.renamed << QStringLiteral("\"%1\" -> \"%2\"").arg(description, distinct);
            description = distinct;
        }
        AddEntry(description, std::move(data));
        ++report.loaded;
    }
    return report;
}
