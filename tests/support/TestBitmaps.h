// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// Small bitmap fixtures made by code, and file helpers, for the tests.

#include "bitmap/HiddenRun.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/resource.h>

#include <csignal>
#include <cstring>

struct BitmapShape {
    qint32 width = 4;
    qint32 height = 2;
    quint16 bitCount = 24;
    quint32 offBits = 54;
    quint32 infoSize = 40;
    quint32 compression = 0;
    QByteArray type = "BM";
};

// The 54 header bytes of a bitmap of the given shape.
inline QByteArray bitmapHeaders(const BitmapShape &shape, quint32 fileSize)
{
    QByteArray h(54, '\0');
    char *p = h.data();
    p[0] = shape.type.at(0);
    p[1] = shape.type.at(1);
    qToLittleEndian<quint32>(fileSize, p + 2);
    qToLittleEndian<quint16>(0x1234, p + 6); // reserved words, to see them kept
    qToLittleEndian<quint16>(0x5678, p + 8);
    qToLittleEndian<quint32>(shape.offBits, p + 10);
    qToLittleEndian<quint32>(shape.infoSize, p + 14);
    qToLittleEndian<qint32>(shape.width, p + 18);
    qToLittleEndian<qint32>(shape.height, p + 22);
    qToLittleEndian<quint16>(1, p + 26);
    qToLittleEndian<quint16>(shape.bitCount, p + 28);
    qToLittleEndian<quint32>(shape.compression, p + 30);
    qToLittleEndian<qint32>(2835, p + 38);
    qToLittleEndian<qint32>(2835, p + 42);
    return h;
}

// A complete bitmap file: headers, then rows padded to four bytes, filled
// with random bytes from seed.
inline QByteArray makeBitmap(const BitmapShape &shape, quint32 seed = 1)
{
    const qint64 rowBytes = ((qint64(shape.width) * 3 + 3) / 4) * 4;
    const qint64 pixelBytes = rowBytes * qAbs(qint64(shape.height));
    QByteArray pixels(pixelBytes, '\0');
    QRandomGenerator rng(seed);
    for (char &c : pixels)
        c = static_cast<char>(rng.bounded(256));
    return bitmapHeaders(shape, quint32(54 + pixelBytes)) + pixels;
}

inline QByteArray makeBitmap(qint32 width, qint32 height, quint32 seed = 1)
{
    BitmapShape shape;
    shape.width = width;
    shape.height = height;
    return makeBitmap(shape, seed);
}

inline QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator rng(seed);
    for (char &c : bytes)
        c = static_cast<char>(rng.bounded(256));
    return bytes;
}

// A bitmap with an info header of any kind (12 bytes: the OS/2 core header),
// gap bytes between the headers and the pixels and tail bytes after them.
// Every byte but the header fields set here is random, to see it kept.
struct BitmapVariant {
    quint32 infoSize = 124;
    qint32 width = 7;
    qint32 height = 5;
    quint16 bitCount = 24;
    quint32 compression = 0;
    qint64 gap = 0;
    qint64 tail = 0;
    qint64 offBits = -1; // -1: right after the gap
    qint64 profileAt = 0; // a 124-byte header's colour profile, as a file offset
    quint32 profileSize = 0;

    qint64 pixelOffset() const { return offBits >= 0 ? offBits : 14 + infoSize + gap; }
    qint64 area() const { return qint64(width) * qAbs(height) * 3; }
    QByteArray bytes(quint32 seed = 1) const
    {
        const qint64 rows = (qint64(width) * 3 + 3) / 4 * 4 * qAbs(height);
        QByteArray b = randomBytes(14 + infoSize + gap + rows + tail, seed);
        char *p = b.data();
        p[0] = 'B';
        p[1] = 'M';
        qToLittleEndian<quint32>(quint32(b.size()), p + 2);
        qToLittleEndian<quint32>(quint32(pixelOffset()), p + 10);
        qToLittleEndian<quint32>(infoSize, p + 14);
        if (infoSize == 12) {
            const quint16 core[] = {quint16(width), quint16(height), 1, bitCount};
            qToLittleEndian<quint16>(core, 4, p + 18);
            return b;
        }
        qToLittleEndian<qint32>(width, p + 18);
        qToLittleEndian<qint32>(height, p + 22);
        qToLittleEndian<quint16>(1, p + 26);
        qToLittleEndian<quint16>(bitCount, p + 28);
        qToLittleEndian<quint32>(compression, p + 30);
        qToLittleEndian<quint32>(0, p + 46); // colours used: all the depth has
        if (infoSize == 124) {
            qToLittleEndian<quint32>(profileAt ? quint32(profileAt - 14) : 0, p + 14 + 112);
            qToLittleEndian<quint32>(profileSize, p + 14 + 116);
        }
        return b;
    }
};

// A run of hidden bytes that stores bytes from hidden offset start.
inline HiddenRun runOf(qint64 start, const QByteArray &bytes)
{
    return {start, bytes.size(), [bytes](char *out, qint64 from, qint64 count) {
                std::memcpy(out, bytes.constData() + from, static_cast<std::size_t>(count));
                return Outcome::success();
            }};
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Writes bytes over the file at path in place, as a program saving with
// "truncate and write" does, and dates the write clearly later than now: a
// file system whose clock ticks coarsely would otherwise leave the time as
// it was, and the change unseen.
inline bool writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size()
        && f.setFileTime(
            QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The whole hidden stream of a bitmap with its pixels at byte 54, as bytes:
// what anyone reading the lowest bits finds there.
inline QByteArray hiddenStreamOf(const QString &bitmap)
{
    const QByteArray file = readFile(bitmap);
    QByteArray hidden(qMax<qsizetype>(0, file.size() - 54) / 8, '\0');
    for (qsizetype k = 0; k < hidden.size(); ++k) {
        int byte = 0;
        for (int j = 0; j < 8; ++j)
            byte |= (file.at(54 + 8 * k + j) & 1) << j;
        hidden[k] = char(byte);
    }
    return hidden;
}

// Whether haystack holds any 16-byte run of data: a removed file's bytes
// left readable.
inline bool holdsAnyRunOf(const QByteArray &haystack, const QByteArray &data)
{
    for (qsizetype at = 0; at + 16 <= data.size(); ++at) {
        if (haystack.contains(data.mid(at, 16)))
            return true;
    }
    return false;
}

// A temporary folder for a test's files, removed with it.
class ScratchFolder {
public:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString root() const { return m_dir.path(); }
    // Writes bytes into the file name in the folder; gives its path.
    QString put(const QString &name, const QByteArray &bytes) const
    {
        if (!writeFile(path(name), bytes))
            qFatal("cannot write fixture %s", qPrintable(path(name)));
        return path(name);
    }

private:
    QTemporaryDir m_dir;
};

// While alive, no file of this process can grow beyond limit bytes: writes
// past it fail with EFBIG. Root cannot write past it either, so it stands in
// for a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_saved;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_saved {};
    void (*m_oldHandler)(int) = nullptr;
};
