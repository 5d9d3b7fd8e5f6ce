// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SealedSession.h"

#include "container/EntryExtraction.h"

#include "SealedParts.h"

#include "CellOrder.h"
#include "CellStream.h"
#include "PixelGrid.h"
#include "SealedFormat.h"
#include "base/ByteCount.h"
#include "base/FailureText.h"
#include "container/EntryName.h"
#include "container/FileIntake.h"
#include "io/AtomicFile.h"
#include "io/FileIdentity.h"
#include "io/FileProbe.h"
#include "io/LocalPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <sodium.h>

using namespace SealedFormat;

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(SealedContainer)
public:
    static Outcome tooSmall()
    {
        return Outcome::failure(Outcome::Kind::NoRoom,
            tr("This image is too small for a sealed container: it needs at least %1 pixels.")
                .arg((ChunkBytes + 2) / 3));
    }
};

// The most data bytes a container whose table takes tableBytes can hold in
// a stream of capacity bytes; below 0 when not even the table fits.
qint64 dataRoom(qint64 capacity, qint64 tableBytes)
{
    const qint64 rest = capacity - containerBytes(tableBytes, 0);
    if (rest < 0)
        return -1;
    const qint64 whole = rest / (DataMessageBytes + MessageOverhead);
    const qint64 left = rest - whole * (DataMessageBytes + MessageOverhead);
    return whole * DataMessageBytes + std::max<qint64>(0, left - MessageOverhead);
}

qint64 tableBytes(const QList<SealedEntry> &entries)
{
    return SealedTable::encode(entries).size();
}

} // namespace

SealedSession::SealedSession() = default;
SealedSession::~SealedSession() = default;

Outcome SealedSession::startNew(const QString &path)
{
    const Outcome loaded = load(path);
    m_carrier.finishFingerprint();
    return loaded;
}

Outcome SealedSession::load(const QString &path)
{
    if (!SealedKeys::ready())
        return Outcome::failure(Texts::tr("The system offers no secure random numbers."));
    if (Outcome loaded = m_carrier.LoadCarrier(path); !loaded)
        return loaded;
    m_path = path;
    m_keys.reset();
    m_entries.clear();
    m_items.clear();
    m_extractionNames.reset();
    if (PixelGrid::of(m_carrier).count() < ChunkBytes)
        return Texts::tooSmall();
    return Outcome::success();
}

Outcome SealedSession::open(const QString &path, QByteArrayView passphrase)
{
    // The pixels read to open the container are fingerprinted: a write into
    // them by another program is found before the container is written.
    if (Outcome started = load(path); !started) {
        return started.kind() == Outcome::Kind::NoRoom
            ? Outcome::failure(Outcome::Kind::NoSealedContainer)
            : started;
    }
    SealedKeys::Salt salt {};
    if (Outcome read = CellReader::readSalt(m_carrier, &salt); !read)
        return read;
    m_keys = SealedKeys::derive(passphrase, salt, m_cost);
    if (!m_keys) {
        return Outcome::failure(Texts::tr("The key cannot be made."),
            Texts::tr("The system cannot give the memory it takes."));
    }
    std::unique_ptr<Stored> stored;
    if (Outcome head = reopen(&stored, false); !head) {
        m_keys.reset();
        return head;
    }
    QList<SealedEntry> entries;
    if (Outcome table = stored->parser->readTable(&entries); !table)
        return table;
    qint64 at = 0;
    for (const SealedEntry &entry : std::as_const(entries)) {
        Item item;
        item.storedAt = at;
        at += entry.size;
        m_items.append(std::move(item));
    }
    m_entries = entries;
    m_extractionNames.reset();
    m_carrier.finishFingerprint();
    return Outcome::success();
}

Outcome SealedSession::reopen(std::unique_ptr<Stored> *stored, bool atData) const
{
    auto made = std::make_unique<Stored>();
    made->cells = std::make_unique<CellReader>(m_carrier, m_keys->positions);
    CellReader *cells = made->cells.get();
    made->parser = std::make_unique<StreamParser>(
        m_keys->encryption, [cells](char *out, qint64 count) { return cells->read(out, count); });
    const qint64 capacity = CellOrder::streamCapacity(PixelGrid::of(m_carrier).count());
    if (Outcome head = made->parser->openHead(capacity); !head)
        return head;
    if (atData) {
        QList<SealedEntry> skipped;
        if (Outcome table = made->parser->readTable(&skipped); !table)
            return table;
    }
    *stored = std::move(made);
    return Outcome::success();
}

qint64 SealedSession::roomFor(qint64 nameBytes) const
{
    const qint64 capacity = CellOrder::streamCapacity(PixelGrid::of(m_carrier).count());
    const qint64 table = tableBytes(m_entries) + 1 + nameBytes + 8;
    qint64 used = 0;
    for (const SealedEntry &entry : m_entries)
        used += entry.size;
    return dataRoom(capacity, table) - used;
}

SealedSession::Space SealedSession::space() const
{
    Space space;
    const qint64 capacity = CellOrder::streamCapacity(PixelGrid::of(m_carrier).count());
    space.capacity = std::max<qint64>(0, dataRoom(capacity, 4));
    for (const SealedEntry &entry : m_entries)
        space.used += entry.size;
    space.free = space.capacity - space.used;
    space.room = std::max<qint64>(0, roomFor(1));
    return space;
}

Outcome SealedSession::roomIn(const QString &path, qint64 *room)
{
    SealedSession session;
    if (Outcome started = session.startNew(path); !started)
        return started;
    *room = session.space().room;
    return Outcome::success();
}

Outcome SealedSession::admits(const QString &name, qint64 size) const
{
    QString why = SealedTable::whyUnusable(name);
    if (why.isEmpty())
        why = EntryName::whyUnusable(name);
    if (!why.isEmpty())
        return Outcome::failure(Outcome::Kind::Refused, why);
    for (const SealedEntry &entry : m_entries) {
        if (entry.name.toCaseFolded() == name.toCaseFolded()) {
            return Outcome::failure(Outcome::Kind::Refused,
                Texts::tr("A file named \"%1\" is already hidden in this image.").arg(entry.name));
        }
    }
    const qint64 room = roomFor(name.toUtf8().size());
    if (size > room) {
        return Outcome::failure(Outcome::Kind::NoRoom,
            Texts::tr("The file has %1, but only %2 can still be sealed into this image.")
                .arg(bytesText(size), bytesText(std::max<qint64>(0, room))));
    }
    return Outcome::success();
}

Outcome SealedSession::add(const QString &path, bool readNow)
{
    qint64 size = -1;
    if (Outcome probed = probeRegularFile(path, &size); !probed)
        return Outcome::failure(Outcome::Kind::Refused, fullText(probed));
    const QString name = QFileInfo(path).fileName();
    if (Outcome admitted = admits(name, size); !admitted)
        return admitted;
    EntryData data;
    const InjectResult read = FileIntake::fromFile(path, roomFor(name.toUtf8().size()),
        readNow ? Holding::InMemory : Holding::FromFile, &data);
    return take(name, read, std::move(data));
}

Outcome SealedSession::addFrom(QIODevice &source, const QString &name)
{
    if (Outcome admitted = admits(name, 0); !admitted)
        return admitted;
    EntryData data;
    const InjectResult read = FileIntake::fromDevice(source, roomFor(name.toUtf8().size()), &data);
    return take(name, read, std::move(data));
}

Outcome SealedSession::take(const QString &name, const InjectResult &read, EntryData data)
{
    if (!read)
        return read.toOutcome();
    Item item;
    item.bytes = std::move(data.bytes);
    item.file = data.file;
    m_entries.append({name, data.size});
    m_items.append(std::move(item));
    m_extractionNames.reset();
    return Outcome::success();
}

Outcome SealedSession::remove(const QString &name)
{
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).name.toCaseFolded() == name.toCaseFolded()) {
            m_entries.removeAt(i);
            m_items.removeAt(i);
            m_extractionNames.reset();
            return Outcome::success();
        }
    }
    return Outcome::failure(Texts::tr("\"%1\" is not hidden in this image.").arg(name));
}

Outcome SealedSession::streamData(const QString &name, const Sink &sink) const
{
    qsizetype index = -1;
    for (qsizetype i = 0; i < m_entries.size() && index < 0; ++i) {
        if (m_entries.at(i).name.toCaseFolded() == name.toCaseFolded())
            index = i;
    }
    if (index < 0)
        return Outcome::failure(Texts::tr("\"%1\" is not hidden in this image.").arg(name));
    const Item &item = m_items.at(index);
    const qint64 size = m_entries.at(index).size;
    QByteArray piece(static_cast<qsizetype>(std::min<qint64>(size, DataMessageBytes)), '\0');
    std::unique_ptr<Stored> stored;
    if (item.storedAt >= 0) {
        if (Outcome opened = reopen(&stored, true); !opened)
            return opened;
        // The data before it are read and checked too: the stream is one.
        QByteArray skipped(static_cast<qsizetype>(DataMessageBytes), Qt::Uninitialized);
        for (qint64 done = 0; done < item.storedAt;) {
            const qint64 n = std::min<qint64>(skipped.size(), item.storedAt - done);
            if (Outcome read = stored->parser->readData(skipped.data(), n); !read)
                return read;
            done += n;
        }
    }
    for (qint64 done = 0; done < size;) {
        const qint64 n = std::min<qint64>(piece.size(), size - done);
        const Outcome read
            = stored ? stored->parser->readData(piece.data(), n) : item.read(piece.data(), done, n);
        if (!read)
            return read;
        if (Outcome taken = sink(piece.constData(), n); !taken)
            return taken;
        done += n;
    }
    return Outcome::success();
}

QString SealedSession::extractionName(const QString &name) const
{
    if (!m_extractionNames) {
        QStringList names;
        for (const SealedEntry &entry : m_entries)
            names << entry.name;
        m_extractionNames = EntryExtraction::namePlan(
            names, [](const QString &text) { return text.toCaseFolded(); });
    }
    return m_extractionNames->value(name.toCaseFolded());
}

Outcome SealedSession::extract(const QString &name, const QString &folder, bool keepExisting) const
{
    const QString target = extractionName(name);
    if (target.isEmpty())
        return Outcome::failure(Texts::tr("\"%1\" is not hidden in this image.").arg(name));
    if (Outcome guarded = EntryExtraction::guardImage(target, folder, m_carrier.identity(), m_path);
        !guarded)
        return guarded;
    return EntryExtraction::write(
        [&](const EntryExtraction::Sink &sink) { return streamData(name, sink); }, target, folder,
        keepExisting);
}

Outcome SealedSession::lockImage(
    const QString &path, std::chrono::milliseconds wait, const ImageLock::WaitCallback &keepWaiting)
{
    return m_lock.acquire(path, wait, keepWaiting);
}

Outcome SealedSession::writeBack(
    const QString &path, QByteArrayView passphrase, const WriteOptions &options)
{
    return m_lock.whileHeld(path, options.wait, options.keepWaiting, [&] {
        const Outcome unchanged
            = options.overwriteChanged ? Outcome::success() : m_carrier.checkUnchanged(path);
        return unchanged ? write(path, passphrase, options) : unchanged;
    });
}
