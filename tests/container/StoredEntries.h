// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// Containers written by hand into pixel areas in memory, and what a table
// read from them holds, for the tests of the entry table.

#include "HiddenStream.h"
#include "TestBitmaps.h"
#include "container/ContainerHeader.h"
#include "container/DatFile.h"
#include "container/PasswordHash.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtEndian>

// A fresh pixel area with room for capacity hidden bytes.
inline QByteArray pixelArea(qint64 capacity, quint32 seed = 11)
{
    return randomBytes(capacity * 8, seed);
}

inline QByteArray hiddenRun(QByteArray &pixels, qint64 count, qint64 start)
{
    QByteArray out(count, '\0');
    if (!HiddenStream(pixels).ReadHidden(out, count, start).ok())
        qFatal("hidden run out of range");
    return out;
}

inline QByteArray record(const QByteArray &name, qint32 length)
{
    QByteArray bytes = name.leftJustified(28, ' ', true);
    bytes.resize(32);
    qToLittleEndian(length, bytes.data() + 28);
    return bytes;
}

inline ContainerHeader headerFor(qint32 files, bool usePassword, const QByteArray &password = {})
{
    ContainerHeader header;
    header.startFresh();
    header.FileCount = files;
    header.UsePassword = usePassword;
    header.PasswordHash = HashPassword(password);
    return header;
}

// The data of the entry at position, read back as extraction reads them.
inline QByteArray dataOf(const DatFile &table, qsizetype position)
{
    QByteArray data;
    if (!table.readData(table.colDescriptions().item(position), &data))
        qFatal("cannot read the data of entry %lld", qint64(position));
    return data;
}

inline QStringList descriptions(const DatFile &table)
{
    QStringList out;
    for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i)
        out << table.colDescriptions().item(i);
    return out;
}
