// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "FileIntake.h"

#include "base/ByteCount.h"
#include "base/FailureText.h"
#include "base/Prefault.h"
#include "io/FileProbe.h"

#include <QCoreApplication>
#include <QFile>

#include <new>

namespace {

InjectResult tooLarge(qint64 limit)
{
    return {InjectStatus::TooLarge,
        QCoreApplication::translate(
            "FileIntake", "It holds more than the %1 that can still be stored.")
            .arg(bytesText(limit))};
}

// Reads source to its end. A size it reports is only a hint: files such as
// those under /proc say 0 and hold more, a file may grow while it is read,
// and a pipe says nothing.
InjectResult readAll(QIODevice &source, qint64 limit, QByteArray *data)
{
    const qint64 hint = source.isSequential() ? 0 : source.size();
    if (hint > limit)
        return tooLarge(limit);
    try {
        // One byte more than the size says, so that the end shows without a
        // second allocation.
        QByteArray bytes(hint > 0 ? hint + 1 : 4096, Qt::Uninitialized);
        prefault(bytes.data(), static_cast<std::size_t>(bytes.size()));
        qint64 total = 0;
        for (;;) {
            if (total == bytes.size()) {
                if (total > limit)
                    return tooLarge(limit);
                bytes.resize(qMin(limit + 1, 2 * total));
            }
            const qint64 n = source.read(bytes.data() + total, bytes.size() - total);
            if (n < 0)
                return {InjectStatus::Unreadable, source.errorString()};
            if (n == 0)
                break;
            total += n;
        }
        if (total > limit)
            return tooLarge(limit);
        bytes.resize(total);
        *data = std::move(bytes);
    } catch (const std::bad_alloc &) {
        return {InjectStatus::Unreadable,
            QCoreApplication::translate(
                "FileIntake", "There is not enough memory to read the file.")};
    }
    return {};
}

} // namespace

namespace FileIntake {

InjectResult fromFile(const QString &fileName, qint64 limit, Holding holding, EntryData *data)
{
    if (holding == Holding::FromFile) {
        auto source = std::make_shared<FileSource>();
        if (Outcome opened = source->open(fileName); !opened)
            return {InjectStatus::Unreadable, fullText(opened)};
        if (source->size() > limit)
            return tooLarge(limit);
        if (source->size() > 0) {
            data->size = source->size();
            data->file = std::move(source);
            return {};
        }
    }
    QFile file;
    if (Outcome opened = openRegularFile(fileName, file); !opened)
        return {InjectStatus::Unreadable, fullText(opened)};
    return fromDevice(file, limit, data);
}

InjectResult fromDevice(QIODevice &source, qint64 limit, EntryData *data)
{
    QByteArray bytes;
    if (InjectResult read = readAll(source, limit, &bytes); !read)
        return read;
    data->size = bytes.size();
    data->bytes = std::move(bytes);
    return {};
}

} // namespace FileIntake
