// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Builds a random file table from the input, writes it into a random
// carrier with or without a password and reads it back: every entry must
// come back with the same stored name and the same bytes, in order.

#include "InMemoryContainer.h"
#include "container/ContainerHeader.h"
#include "container/DatFile.h"
#include "container/EntryRecord.h"
#include "container/PasswordHash.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) { }

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    QByteArray bytes(std::size_t n)
    {
        n = std::min(n, m_size - m_pos);
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), static_cast<qsizetype>(n));
        m_pos += n;
        return out;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

QTemporaryDir &scratch()
{
    static int argc = 1;
    static char name[] = "fuzz_roundtrip";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir;
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input in(data, size);
    QTemporaryDir &dir = scratch();

    const int entries = in.byte() % 6;
    const bool usePassword = in.byte() & 1;
    const QByteArray password = in.bytes(in.byte() % 12);
    const qint64 capacity = (in.byte() << 4) + in.byte();

    DatFile table;
    for (int i = 0; i < entries; ++i) {
        // Names of any of the 256 one-byte codes, decoded as a reader would.
        const QByteArray raw = in.bytes(in.byte() % 34);
        const QString name = EntryRecord::fromBytes(
            (raw.leftJustified(28, ' ', true) + QByteArray(4, '\0')).constData())
                                 .description();
        const QString path = dir.filePath(QStringLiteral("entry%1").arg(i));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(in.bytes(in.byte() * 2));
        file.close();
        (void)table.Inject(name, path); // duplicates are refused, that is fine
    }

    QByteArray pixels(capacity * 8 + in.byte() % 8, '\x5A');
    HiddenStream stream(pixels);
    ContainerHeader header;
    header.startFresh();
    header.FileCount = static_cast<qint32>(table.colFiles().count());
    header.UsePassword = usePassword;
    header.PasswordHash = HashPassword(password);
    const bool fits = table.ContainerSize() <= stream.Capacity();
    const QByteArray before = pixels;
    const bool headerWritten = writeHeader(stream, header).ok();
    if (headerWritten != (stream.Capacity() >= ContainerHeader::Size))
        std::abort();
    const Outcome saved = saveEntries(table, stream, header, password);
    if (saved.ok() != fits)
        std::abort();
    if (!fits) {
        // Only the header may have changed, and only in bit 0.
        for (qsizetype i = 0; i < pixels.size(); ++i)
            if (((pixels[i] ^ before[i]) & 0xFE)
                || (i >= 8 * ContainerHeader::Size && pixels[i] != before[i]))
                std::abort();
        return 0;
    }

    ContainerHeader read;
    if (!read.ReadHeader(stream) || read.toBytes() != header.toBytes())
        std::abort();
    DatFile back;
    const LoadReport report = back.Load(stream, read, password);
    if (!report.isComplete() || report.loaded != header.FileCount)
        std::abort();
    for (qsizetype i = 1; i <= table.colFiles().count(); ++i) {
        if (back.colDescriptions().item(i)
            != EntryRecord::storedForm(table.colDescriptions().item(i)))
            std::abort();
        QByteArray original;
        QByteArray recovered;
        if (!table.readData(table.colDescriptions().item(i), &original)
            || !back.readData(back.colDescriptions().item(i), &recovered) || recovered != original)
            std::abort();
    }
    return 0;
}
