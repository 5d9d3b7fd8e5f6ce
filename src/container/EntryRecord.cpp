// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "EntryRecord.h"

#include <QCoreApplication>

#include <QStringList>
#include <cstring>

#include "Charset.h"

#include <QtEndian>

namespace {

// Trims blanks (and only blanks) at both ends.
QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

EntryRecord EntryRecord::make(const QByteArray &description, qint32 length)
{
    EntryRecord record;
    record.Description = description.left(DescriptionSize).leftJustified(DescriptionSize, ' ');
    record.Length = length;
    return record;
}

EntryRecord EntryRecord::fromBytes(const char *bytes)
{
    EntryRecord record;
    record.Description = QByteArray(bytes, DescriptionSize);
    record.Length = qFromLittleEndian<qint32>(bytes + DescriptionSize);
    return record;
}

QByteArray EntryRecord::toBytes() const
{
    QByteArray bytes(Size, ' ');
    std::memcpy(bytes.data(), Description.leftJustified(DescriptionSize, ' ', true).constData(),
        DescriptionSize);
    qToLittleEndian(Length, bytes.data() + DescriptionSize);
    return bytes;
}

QString EntryRecord::description() const
{
    return trimBlanks(Charset::decode(Description));
}

QString EntryRecord::storedForm(const QString &description)
{
    return trimBlanks(description.left(DescriptionSize));
}

QString EntryRecord::whyStoredDifferently(const QString &description)
{
    if (storedForm(description) == description)
        return {};
    QStringList reasons;
    if (description.size() > DescriptionSize) {
        reasons << QCoreApplication::translate("EntryRecord", "names keep at most %1 characters")
                       .arg(DescriptionSize);
    }
    if (trimBlanks(description.left(DescriptionSize)) != description.left(DescriptionSize)) {
        reasons << QCoreApplication::translate(
            "EntryRecord", "blanks at the start or end of a name are not kept");
    }
    return reasons.join(QStringLiteral("; "));
}
