// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Writing a new sealed container into a copy of the image: the files' data
// in order, encrypted, stored into the cells chunk by chunk as the copy
// passes, with a new salt and so new keys and positions.

#include "CellOrder.h"
#include "CellStream.h"
#include "PixelGrid.h"
#include "SealedFormat.h"
#include "SealedParts.h"
#include "SealedSession.h"

#include "base/ByteCount.h"
#include "container/ContainerSession.h"

#include <QCoreApplication>

#include <sodium.h>

using namespace SealedFormat;

namespace {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(SealedContainer)
};

// Gives each byte of bytes[from .. to) a random lowest bit, by adding or
// subtracting one where it has the other: a plain container's bits there
// are gone without a trace of their own.
void randomiseLowestBits(char *bytes, qint64 from, qint64 to)
{
    if (from >= to)
        return;
    QByteArray random(static_cast<qsizetype>(to - from), Qt::Uninitialized);
    randombytes_buf(random.data(), std::size_t(random.size()));
    for (qint64 i = from; i < to; ++i) {
        auto &byte = reinterpret_cast<quint8 &>(bytes[i]);
        const quint8 r = quint8(random.at(i - from));
        if ((byte & 1) == (r & 1))
            continue;
        if (byte == 0 || ((r & 2) && byte != 255))
            ++byte;
        else
            --byte;
    }
}

} // namespace

Outcome SealedSession::write(
    const QString &path, QByteArrayView passphrase, const WriteOptions &options)
{
    const PixelGrid grid = PixelGrid::of(m_carrier);
    const qint64 capacity = CellOrder::streamCapacity(grid.count());
    qint64 data = 0;
    for (const SealedEntry &entry : std::as_const(m_entries))
        data += entry.size;
    if (containerBytes(SealedTable::encode(m_entries).size(), data) > capacity) {
        return Outcome::failure(Outcome::Kind::NoRoom,
            Texts::tr("The files need more than the %1 this image can seal.")
                .arg(bytesText(capacity)));
    }
    if (m_carrier.missingPixelBytes() > 0) {
        return Outcome::failure(Outcome::Kind::CutShort, Texts::tr("The image was not written."),
            Texts::tr("The image file is cut short; a sealed container needs all of it."));
    }
    const SealedKeys::Salt salt = SealedKeys::freshSalt();
    const std::optional<SealedKeys::Keys> keys = SealedKeys::derive(passphrase, salt, m_cost);
    if (!keys) {
        return Outcome::failure(Texts::tr("The key cannot be made."),
            Texts::tr("The system cannot give the memory it takes."));
    }

    // The files' data, in table order; stored ones from the image as opened.
    std::unique_ptr<Stored> stored;
    qint64 storedRead = 0;
    qsizetype index = 0;
    qint64 done = 0;
    QByteArray skip;
    const auto next = [&](char *out, qint64 count) -> Outcome {
        while (count > 0) {
            while (index < m_items.size() && done == m_entries.at(index).size) {
                ++index;
                done = 0;
            }
            if (index == m_items.size())
                return Outcome::failure(Texts::tr("The files' data end early."));
            const Item &item = m_items.at(index);
            const qint64 n = std::min(count, m_entries.at(index).size - done);
            if (item.storedAt >= 0) {
                if (!stored) {
                    if (Outcome opened = reopen(&stored, true); !opened)
                        return opened;
                }
                // Files removed since are read past, in order.
                for (; storedRead < item.storedAt + done;) {
                    skip.resize(qsizetype(
                        std::min<qint64>(DataMessageBytes, item.storedAt + done - storedRead)));
                    if (Outcome read = stored->parser->readData(skip.data(), skip.size()); !read)
                        return read;
                    storedRead += skip.size();
                }
                if (Outcome read = stored->parser->readData(out, n); !read)
                    return read;
                storedRead += n;
            } else if (Outcome read = item.read(out, done, n); !read) {
                return read;
            }
            done += n;
            out += n;
            count -= n;
        }
        return Outcome::success();
    };
    StreamComposer composer(keys->encryption, m_entries, next);
    CellWriter cells(grid, keys->positions, salt,
        [&composer](char *out, qint64 count) { return composer.fill(out, count); });
    const qint64 clearFrom = grid.offset;
    const qint64 clearTo = grid.offset + 8 * options.plainBytesToClear;
    m_notes.clear();
    const qint64 links = ContainerSession::linksOf(path);
    const Outcome written = m_carrier.writeCopy(
        path, [&cells](qint64 pos) { return cells.pieceEnd(pos); },
        [&](qint64 pos, char *bytes, qint64 size) {
            randomiseLowestBits(
                bytes, std::max(clearFrom, pos) - pos, std::min(clearTo, pos + size) - pos);
            return cells.change(pos, bytes, size);
        },
        options.progress);
    // The image's other names still hold what it held, a plain container
    // being sealed among it.
    if (const QString note = ContainerSession::otherNamesNote(links, path);
        written && !note.isEmpty())
        m_notes << note;
    return written;
}

std::function<Outcome(qint64, char *, qint64)> SealedSession::saltWiper(
    const Carrier &carrier, qint64 keepBelow)
{
    const PixelGrid grid = PixelGrid::of(carrier);
    // The file offsets of the salt's pixel bytes, in order.
    std::vector<qint64> offsets;
    if (grid.count() >= ChunkBytes) {
        for (const std::uint32_t cell : CellOrder::saltCells(grid.count())) {
            for (int t = 0; t < CellBytes; ++t)
                offsets.push_back(grid.fileOffset(qint64(cell) * CellBytes + t));
        }
    }
    return [offsets, keepBelow](qint64 pos, char *bytes, qint64 size) {
        for (const qint64 at : offsets) {
            if (at >= keepBelow && at >= pos && at < pos + size)
                randomiseLowestBits(bytes, at - pos, at - pos + 1);
        }
        return Outcome::success();
    };
}
