// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "EntryTable.h"

#include "Charset.h"
#include "EntryName.h"
#include "EntryRecord.h"

InjectResult EntryTable::checkDescription(const QString &description) const
{
    if (const QString bad = Charset::unrepresentable(description); !bad.isEmpty())
        return {InjectStatus::Unrepresentable, bad};
    const QString stored = EntryRecord::storedForm(description);
    // Control characters are refused anywhere in the name, so that the file
    // can be extracted under its full name while the container is open, too.
    QString why = EntryName::whyUnusable(description);
    if (why.isEmpty())
        why = EntryName::whyUnusable(stored);
    if (!why.isEmpty()) {
        return {InjectStatus::Unusable,
            tr("\"%1\" could not be written back as a file under its stored name \"%2\": %3")
                .arg(description, stored, why)};
    }
    if (const TableEntry *existing = m_entries.find(description)) {
        return {InjectStatus::Duplicate,
            tr("A file named \"%1\" is already hidden in this image.").arg(existing->description)};
    }
    const auto taken = m_storedNames.constFind(Charset::fold(stored));
    if (taken != m_storedNames.constEnd()) {
        return {InjectStatus::StoredNameTaken,
            tr("Only the first %1 characters of a name are stored, and \"%2\" would then read "
               "back as \"%3\", the name of a file already hidden. Rename the file and add it "
               "again.")
                .arg(EntryRecord::DescriptionSize)
                .arg(description, *taken)};
    }
    return {};
}

bool EntryTable::add(const QString &description, EntryData data)
{
    const qint64 size = data.size;
    if (!m_entries.add(description, {description, std::move(data)}))
        return false;
    m_storedNames.insert(Charset::fold(EntryRecord::storedForm(description)), description);
    m_totalSize += size;
    return true;
}

bool EntryTable::remove(const QString &description)
{
    const TableEntry *entry = m_entries.find(description);
    if (!entry)
        return false;
    m_storedNames.remove(Charset::fold(EntryRecord::storedForm(entry->description)));
    m_totalSize -= entry->data.size;
    m_entries.remove(description);
    return true;
}
