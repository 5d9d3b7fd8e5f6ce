// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PlainContainer.h"

#include "base/ByteCount.h"
#include "container/EntryRecord.h"

PlainContainer::PlainContainer(std::unique_ptr<ContainerSession> session)
    : m_session(std::move(session))
{
}

QList<OpenContainer::Entry> PlainContainer::entries() const
{
    QList<Entry> out;
    const DatFile &table = m_session->file();
    const auto descriptions = table.colDescriptions();
    for (qsizetype i = 1, n = descriptions.count(); i <= n; ++i) {
        Entry entry;
        entry.name = descriptions.item(i);
        entry.size = table.colFiles().item(i).size;
        entry.whyStoredAs = EntryRecord::whyStoredDifferently(entry.name);
        if (!entry.whyStoredAs.isEmpty())
            entry.storedAs = EntryRecord::storedForm(entry.name);
        out << entry;
    }
    return out;
}

OpenContainer::Space PlainContainer::space() const
{
    return m_session->space();
}

QString PlainContainer::overheadNote() const
{
    return tr("Every file also needs %1 for its name and size, and the container %2 of its own.")
        .arg(bytesText(DatFile::RecordSize), bytesText(ContainerHeader::Size));
}

OpenContainer::Condition PlainContainer::condition() const
{
    Condition condition;
    const LoadReport &report = m_session->report();
    condition.unread = report.unread();
    condition.damage = report.damage;
    if (!report.isComplete())
        condition.damageWarning = report.message();
    condition.missingBytes = m_session->missingBytes();
    condition.cutShortWarning = m_session->cutShortWarning();
    return condition;
}

Outcome PlainContainer::add(const QString &path)
{
    return m_session->add(path);
}

Outcome PlainContainer::remove(const QString &name)
{
    return m_session->file().Remove(name);
}

Outcome PlainContainer::extract(const QString &name, const QString &folder) const
{
    return m_session->extract(name, folder);
}

QString PlainContainer::extractionName(const QString &name) const
{
    return m_session->file().extractionName(name);
}

Outcome PlainContainer::writeBack(const QString &path, const WriteSettings &settings)
{
    ContainerSession::WriteOptions options;
    options.mayLoseUnreadable = settings.mayLoseUnreadable;
    options.mayFillMissing = settings.mayFillMissing;
    options.overwriteChanged = settings.overwriteChanged;
    options.wait = settings.wait;
    options.keepWaiting = settings.keepWaiting;
    options.progress = settings.progress;
    return m_session->writeBack(path, settings.usePassword, settings.password, options);
}

bool PlainContainer::stillIntact() const
{
    return m_session->carrier().checkIntact().ok();
}
