// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "DatFile.h"

#include "Charset.h"
#include "EntryExtraction.h"
#include "LayoutBuilder.h"
#include "TableLoader.h"

#include <QCoreApplication>

namespace {

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
    if (!m_extractionNames) {
        QStringList descriptions;
        for (qsizetype i = 1; i <= m_table.count(); ++i)
            descriptions << m_table.item(i).description;
        m_extractionNames = EntryExtraction::namePlan(descriptions, Charset::fold);
    }
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
        [&](const DataSink &sink) { return m_reader.stream(Description, entry->data, sink); },
        extractionName(Description), folder, keepExisting);
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
    return LayoutBuilder::containerSize(m_table.count(), TotalSize());
}

qint64 DatFile::ContainerSizeWith(qint64 fileSize) const
{
    return ContainerSize() + RecordSize + fileSize;
}

Outcome DatFile::CheckFits(qint64 capacity) const
{
    return LayoutBuilder::checkFits(ContainerSize(), capacity);
}

Outcome DatFile::makeLayout(const ContainerHeader &header, const QByteArray &password, bool inPlace,
    ContainerLayout *layout) const
{
    return LayoutBuilder::build(m_table, m_reader, header, password, inPlace, layout);
}

LoadReport DatFile::Load(
    const HiddenSource &source, const ContainerHeader &header, const QByteArray &password)
{
    m_reader = DataReader(&source, header.UsePassword, password);
    LoadReport report = TableLoader::load(source, header, &m_table);
    m_extractionNames.reset();
    return report;
}
