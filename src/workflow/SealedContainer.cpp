// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SealedContainer.h"

#include "sealed/SealedKeys.h"

#include "base/ByteCount.h"

// Every entry of a sealed table takes a byte for its name's length and
// eight for its size, besides the name itself.
constexpr qint64 SealedEntryBytes = 1 + 8;

SealedContainer::SealedContainer(std::unique_ptr<SealedSession> session, QByteArray passphrase,
    std::unique_ptr<ContainerSession> replaced)
    : m_session(std::move(session)),
      m_passphrase(std::move(passphrase)),
      m_replaced(std::move(replaced))
{
}

SealedContainer::~SealedContainer()
{
    SealedKeys::wipe(m_passphrase.data(), std::size_t(m_passphrase.size()));
}

QList<OpenContainer::Entry> SealedContainer::entries() const
{
    QList<Entry> out;
    for (const SealedEntry &entry : m_session->entries())
        out.append({entry.name, entry.size, {}, {}});
    return out;
}

OpenContainer::Space SealedContainer::space() const
{
    return m_session->space();
}

QString SealedContainer::overheadNote() const
{
    return tr("Every file also needs %1 and the bytes of its name (UTF-8) for its name and size.")
        .arg(bytesText(SealedEntryBytes));
}

OpenContainer::Condition SealedContainer::condition() const
{
    // Nothing of a sealed container is written into a cut image: Write &
    // Close refuses it rather than asking to fill it.
    Condition condition;
    if (m_session->carrier().missingPixelBytes() > 0) {
        condition.cutShortWarning = tr("The image file is cut short: a sealed container needs "
                                       "all of it, so this one cannot be written back.");
    }
    return condition;
}

Outcome SealedContainer::add(const QString &path)
{
    return m_session->add(path);
}

Outcome SealedContainer::remove(const QString &name)
{
    return m_session->remove(name);
}

Outcome SealedContainer::extract(const QString &name, const QString &folder) const
{
    return m_session->extract(name, folder);
}

QString SealedContainer::extractionName(const QString &name) const
{
    return m_session->extractionName(name);
}

Outcome SealedContainer::writeBack(const QString &path, const WriteSettings &settings)
{
    // The session of a new container has read nothing of the image: what
    // the plain container it replaces was read from must be as it was.
    if (m_replaced && !settings.overwriteChanged) {
        if (Outcome same = m_replaced->checkUnchanged(path); !same)
            return same;
    }
    SealedSession::WriteOptions options;
    options.overwriteChanged = settings.overwriteChanged;
    options.wait = settings.wait;
    options.keepWaiting = settings.keepWaiting;
    options.progress = settings.progress;
    if (m_replaced && m_replaced->foundContainer())
        options.plainBytesToClear = m_replaced->report().storedEnd;
    return m_session->writeBack(path, m_passphrase, options);
}

bool SealedContainer::stillIntact() const
{
    return m_session->carrier().checkIntact().ok();
}
