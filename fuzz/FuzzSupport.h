// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// What the fuzz targets share: reading choices from the input, the Qt
// application and a scratch folder they need, file helpers, and bitmaps of
// every kind the loader takes, made from the input.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace Fuzz {

// Stops the run: libFuzzer keeps the input that got here.
[[noreturn]] inline void fail()
{
    std::abort();
}

inline void require(bool condition)
{
    if (!condition)
        fail();
}

// The input read front to back; past its end every byte reads as zero.
class Input {
public:
    Input(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) { }

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    bool flag() { return byte() & 1; }
    // A number from 0 to below limit, from two bytes.
    std::uint32_t below(std::uint32_t limit)
    {
        const std::uint32_t n = std::uint32_t(byte()) << 8 | byte();
        return limit == 0 ? 0 : n % limit;
    }
    QByteArray bytes(std::size_t n)
    {
        n = std::min(n, m_size - m_pos);
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), static_cast<qsizetype>(n));
        m_pos += n;
        return out;
    }
    // n bytes that cost the input one byte: a pseudo-random sequence from it.
    QByteArray noise(qsizetype n)
    {
        QByteArray out(n, Qt::Uninitialized);
        std::uint32_t x = 2654435761u * (byte() + 1u);
        for (char &c : out) {
            x = x * 1664525u + 1013904223u;
            c = static_cast<char>(x >> 24);
        }
        return out;
    }
    // n bytes, taken from the input or made up, as the input says.
    QByteArray payload(qsizetype n) { return flag() ? bytes(n).leftJustified(n, '\0') : noise(n); }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// On a memory file system where there is one: writes are synced, which on
// a disk would take most of the time.
inline QString scratchTemplate(const char *name)
{
    const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
        ? QStringLiteral("/dev/shm")
        : QDir::tempPath();
    return base + QLatin1Char('/') + QLatin1String(name) + QStringLiteral("-XXXXXX");
}

// The application object Qt's file and text code expects, and a scratch
// folder that lives as long as the process.
inline QTemporaryDir &scratch(const char *name)
{
    static int argc = 1;
    static char *argv[] = {const_cast<char *>(name), nullptr};
    static QCoreApplication app(argc, argv);
    static QTemporaryDir dir(scratchTemplate(name));
    require(dir.isValid());
    return dir;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(bytes) == bytes.size());
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// A bitmap the loader takes, and where its pixels are.
struct Bitmap {
    QByteArray bytes;
    qint64 pixelOffset = 0;
    qint64 areaSize = 0; // width x height x 3
    qint64 rowBytes = 0; // width x 3, then fill up to stride
    qint64 stride = 0;
};

// A 24-bit bitmap of minWidth x minHeight up to maxWidth x maxHeight pixels
// with any header kind the loader takes (12, 40, 52, 56, 108 or 124 bytes,
// bottom-up or top-down), arbitrary header fields it does not look at, a gap
// before the pixels, arbitrary row fill bytes, and a file that may be cut
// short or go on past its pixels.
inline Bitmap arbitraryBitmap(
    Input &in, int maxWidth = 48, int maxHeight = 24, int minWidth = 1, int minHeight = 1)
{
    static constexpr quint32 Kinds[] = {40, 12, 52, 56, 108, 124};
    const quint32 size = Kinds[in.byte() % 6];
    const bool core = size == 12;
    const qint32 width = minWidth + qint32(in.below(quint32(maxWidth - minWidth + 1)));
    qint32 height = minHeight + qint32(in.below(quint32(maxHeight - minHeight + 1)));
    if (!core && in.flag())
        height = -height;
    const qint64 gap = size == 40 ? 0 : in.byte() % 24;
    const qint64 offset = 14 + size + gap;
    const qint64 stride = (3 * qint64(width) + 3) / 4 * 4;
    const qint64 pixelEnd = offset + stride * qAbs(height);

    QByteArray info = in.payload(size);
    char *p = info.data();
    qToLittleEndian<quint32>(size, p);
    if (core) {
        qToLittleEndian<quint16>(quint16(width), p + 4);
        qToLittleEndian<quint16>(quint16(height), p + 6);
        qToLittleEndian<quint16>(1, p + 8);
        qToLittleEndian<quint16>(24, p + 10);
    } else {
        qToLittleEndian<qint32>(width, p + 4);
        qToLittleEndian<qint32>(height, p + 8);
        qToLittleEndian<quint16>(1, p + 12);
        qToLittleEndian<quint16>(24, p + 14);
        qToLittleEndian<quint32>(0, p + 16);
    }
    const qint64 trailing = in.byte() % 40;
    if (size == 124) {
        // A colour profile after the pixels, or none.
        const bool profile = in.flag();
        qToLittleEndian<quint32>(profile ? quint32(pixelEnd - 14) : 0, p + 112);
        qToLittleEndian<quint32>(profile ? quint32(trailing) : 0, p + 116);
    }
    QByteArray file = in.payload(14);
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(offset), file.data() + 10);

    Bitmap bitmap;
    bitmap.bytes
        = file + info + in.payload(gap) + in.payload(pixelEnd - offset) + in.payload(trailing);
    if (in.byte() % 4 == 0) {
        // Cut short anywhere after the headers.
        const qint64 headers = 14 + size;
        bitmap.bytes.truncate(headers + in.below(bitmap.bytes.size() - headers + 1));
    }
    bitmap.pixelOffset = offset;
    bitmap.areaSize = 3 * qint64(width) * qAbs(height);
    bitmap.rowBytes = 3 * qint64(width);
    bitmap.stride = stride;
    return bitmap;
}

// A bitmap written with hidden bytes: every byte as it was before (those a
// file cut short lacked, zero) but the lowest bits of the pixel bytes that
// carry hidden bytes, areaSize / 8 x 8 from pixelOffset on.
inline void requireOnlyHiddenBitsChanged(
    const QByteArray &before, const QByteArray &after, qint64 pixelOffset, qint64 areaSize)
{
    QByteArray whole = before;
    whole.resize(qMax<qint64>(before.size(), pixelOffset + areaSize), '\0');
    require(after.size() == whole.size());
    const qint64 end = pixelOffset + areaSize / 8 * 8;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        const int differ = (whole[i] ^ after[i]) & 0xFF;
        require(differ == 0 || (i >= pixelOffset && i < end && differ == 1));
    }
}

} // namespace Fuzz
