// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "DataReader.h"

#include "Scrambler.h"

#include <cstring>
#include <new>

namespace {

// Data read back from the image pass through a buffer of this size.
constexpr qint64 ChunkSize = 1024 * 1024;

} // namespace

DataReader::DataReader(const HiddenSource *source, bool scrambled, QByteArray password)
    : m_source(source),
      m_scrambled(scrambled),
      m_password(std::move(password))
{
}

Outcome DataReader::read(const QString &description, const EntryData &entry, QByteArray *data) const
{
    if (entry.inMemory()) {
        *data = entry.bytes;
        return Outcome::success();
    }
    QByteArray bytes;
    try {
        bytes = QByteArray(entry.size, Qt::Uninitialized);
    } catch (const std::bad_alloc &) {
        return Outcome::failure(tr("There is not enough memory to read \"%1\".").arg(description));
    }
    char *out = bytes.data();
    const Outcome read = stream(description, entry, [&out](const char *piece, qint64 size) {
        std::memcpy(out, piece, static_cast<std::size_t>(size));
        out += size;
        return Outcome::success();
    });
    if (read)
        *data = std::move(bytes);
    return read;
}

Outcome DataReader::stream(
    const QString &description, const EntryData &entry, const Sink &sink) const
{
    if (entry.inMemory())
        return sink(entry.bytes.constData(), entry.size);
    if (!entry.file && !m_source)
        return Outcome::failure(tr("The image \"%1\" was read from is closed.").arg(description));
    // From the file it was added from, or unscrambled from the image.
    Scrambler scrambler(m_scrambled, m_password);
    const auto read = [&](char *piece, qint64 done, qint64 run) {
        if (entry.file)
            return entry.file->read(piece, done, run);
        const Outcome read = m_source->ReadHidden(piece, run, entry.storedAt + done);
        scrambler.seek(entry.keyStart + done);
        scrambler.apply(piece, run);
        return read;
    };
    QByteArray piece(static_cast<qsizetype>(qMin(entry.size, ChunkSize)), Qt::Uninitialized);
    for (qint64 done = 0; done < entry.size;) {
        const qint64 run = qMin(ChunkSize, entry.size - done);
        if (Outcome got = read(piece.data(), done, run); !got)
            return got;
        if (Outcome taken = sink(piece.constData(), run); !taken)
            return taken;
        done += run;
    }
    return Outcome::success();
}
