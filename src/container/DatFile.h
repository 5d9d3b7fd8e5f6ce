// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerHeader.h"
#include "KeyedList.h"
#include "carrier/HiddenStream.h"
#include "carrier/Outcome.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

// Why Inject turned a file away.
enum class InjectStatus {
    Injected,
    Unreadable, // missing, not a regular file, unreadable, or not read whole
    Duplicate, // the description is already in the table
    Unrepresentable, // a character of the description cannot be stored
    Unusable, // stored, the name could not be written back as a file
    StoredNameTaken, // stored, it would read back as an existing entry's name
    TooLarge, // the file holds more bytes than the limit allows
};

struct [[nodiscard]] InjectResult {
    InjectStatus status = InjectStatus::Injected;
    QString message;

    explicit operator bool() const { return status == InjectStatus::Injected; }
};

// What Load could make of the stored entries.
struct LoadReport {
    qint32 expected = 0; // the entries the header announces (0 when it announces none)
    qint32 loaded = 0;
    static constexpr qsizetype RenamedListed = 10;

    QString damage; // why the walk stopped early; empty when it did not
    qint64 renamedCount = 0; // entries renamed because their name was taken
    QStringList renamed; // "stored name" -> "name given", the first few of them

    bool isComplete() const { return damage.isEmpty() && renamedCount == 0; }
    // Entries the header announces that could not be read.
    qint64 unread() const { return damage.isEmpty() ? 0 : qint64(expected) - loaded; }
    // One text telling the user what happened, empty when complete.
    QString message() const;
};

// The open container's entries in memory: for each its description and data,
// in stored order followed by the order of adding.
class DatFile {
public:
    static constexpr qint64 RecordSize = 32;
    static constexpr qint64 NoLimit = std::numeric_limits<qint32>::max();

    const KeyedList<QByteArray> &colFiles() const { return m_colFiles; }
    const KeyedList<QString> &colDescriptions() const { return m_colDescriptions; }

    // Adds the whole content of the regular file FileName under Description,
    // refusing a file of more than limit bytes.
    InjectResult Inject(
        const QString &Description, const QString &FileName, qint64 limit = NoLimit);
    // Adds everything source gives, to its end, under Description.
    InjectResult InjectFrom(const QString &Description, QIODevice &source, qint64 limit = NoLimit);
    // The test Inject makes of a description before it reads anything.
    InjectResult checkDescription(const QString &Description) const;

    // Writes the data of entry Description into folder, under the name
    // extractionName() gives it, replacing a file there. The replacement
    // happens only once every byte is written; nothing is written anywhere
    // but directly inside folder.
    Outcome Extract(const QString &Description, const QString &folder) const;
    // The file name entry Description is extracted under: the description
    // itself when it can be a file name, otherwise a cleaned form that no
    // other entry's file name takes.
    QString extractionName(const QString &Description) const;

    Outcome Remove(const QString &what);
    // The sum of the entries' data lengths; header and records not counted.
    qint64 TotalSize() const { return m_totalSize; }

    // Hidden bytes the whole container takes: header, records and data;
    // ContainerSizeWith adds one more file of fileSize bytes.
    qint64 ContainerSize() const;
    qint64 ContainerSizeWith(qint64 fileSize) const;
    // Fails when the container does not fit into capacity hidden bytes.
    Outcome CheckFits(qint64 capacity) const;

    // Writes every entry from hidden offset 14, after the header, scrambling
    // the data with password when the header says so. Refuses, writing
    // nothing, a container that does not fit.
    Outcome Save(
        HiddenStream &stream, const ContainerHeader &header, const QByteArray &password) const;
    // Reads header.FileCount entries from hidden offset 14 into this table.
    // Never reads past the stream; keeps every entry it could read. A name
    // repeated in the container is given one that no other entry holds.
    LoadReport Load(
        const HiddenStream &stream, const ContainerHeader &header, const QByteArray &password);

private:
    bool AddEntry(const QString &description, QByteArray data);
    const QHash<QString, QString> &extractionNames() const;

    KeyedList<QByteArray> m_colFiles;
    KeyedList<QString> m_colDescriptions;
    qint64 m_totalSize = 0;
    // Folded stored form of every description -> the description.
    QHash<QString, QString> m_storedNames;
    // Folded description -> file name; built on demand, dropped on change.
    mutable std::optional<QHash<QString, QString>> m_extractionNames;
};
