// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerHeader.h"
#include "ContainerLayout.h"
#include "DataReader.h"
#include "EntryData.h"
#include "EntryTable.h"
#include "FileIntake.h"
#include "InjectResult.h"
#include "KeyedList.h"
#include "LoadReport.h"
#include "base/Outcome.h"
#include "bitmap/HiddenSource.h"
#include "io/FileSource.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <memory>
#include <optional>

// The open container's entries: for each its description and data, in stored
// order followed by the order of adding. Loading reads the records only; an
// entry's data are read from the image when they are needed.
//
// The rest of the program works through this class; the work itself is done
// by EntryTable (the entries, and what may be added), FileIntake (reading
// the files added), DataReader (reading data back), EntryExtraction (writing
// entries out as files), LayoutBuilder (what a write stores) and TableLoader
// (reading the stored records).
class DatFile {
public:
    static constexpr qint64 RecordSize = 32;
    static constexpr qint64 NoLimit = std::numeric_limits<qint32>::max();

    // Gives data one piece after another; a failure stops the reading.
    using DataSink = DataReader::Sink;

    // The entries' data, and their descriptions, as lists by position (from
    // 1) and by description; they look at the table and last as long as it.
    EntryTable::Files colFiles() const { return m_table.files(); }
    EntryTable::Descriptions colDescriptions() const { return m_table.descriptions(); }

    // Adds the whole content of the regular file FileName under Description,
    // refusing a file of more than limit bytes. A file whose size is not
    // known until it is read (those under /proc say 0) is read now whatever
    // the holding asks.
    InjectResult Inject(const QString &Description, const QString &FileName, qint64 limit = NoLimit,
        Holding holding = Holding::InMemory);
    // Adds everything source gives, to its end, under Description.
    InjectResult InjectFrom(const QString &Description, QIODevice &source, qint64 limit = NoLimit);
    // The test Inject makes of a description before it reads anything.
    InjectResult checkDescription(const QString &Description) const;

    // Writes the data of entry Description into folder, under the name
    // extractionName() gives it, replacing a file there. The replacement
    // happens only once every byte is written; nothing is written anywhere
    // but directly inside folder. With keepExisting, a file already there is
    // kept and the extraction fails.
    Outcome Extract(
        const QString &Description, const QString &folder, bool keepExisting = false) const;
    // The file name entry Description is extracted under: the description
    // itself when it can be a file name, otherwise a cleaned form that no
    // other entry's file name takes.
    QString extractionName(const QString &Description) const;

    // The data of entry Description, read from the image where they are not
    // in memory: whole, or piece by piece into sink.
    Outcome readData(const QString &Description, QByteArray *data) const;
    Outcome streamData(const QString &Description, const DataSink &sink) const;

    Outcome Remove(const QString &what);
    // The sum of the entries' data lengths; header and records not counted.
    qint64 TotalSize() const { return m_table.totalSize(); }

    // Hidden bytes the whole container takes: header, records and data;
    // ContainerSizeWith adds one more file of fileSize bytes.
    qint64 ContainerSize() const;
    qint64 ContainerSizeWith(qint64 fileSize) const;
    // Fails when the container does not fit into capacity hidden bytes.
    Outcome CheckFits(qint64 capacity) const;

    // What writing the header, then every entry from hidden offset 14, stores,
    // scrambling the data with password when the header says so. Data read
    // from the image that stay in their place with the same bytes are left
    // out when the write goes to that same image (inPlace). Data that move
    // are read into the layout.
    Outcome makeLayout(const ContainerHeader &header, const QByteArray &password, bool inPlace,
        ContainerLayout *layout) const;

    // Reads the records of header.FileCount entries from hidden offset 14
    // into this table; their data stay in source, which must outlive the
    // table. Never reads past the source; keeps every entry it could read. A
    // name repeated in the container is given one that no other entry holds.
    LoadReport Load(
        const HiddenSource &source, const ContainerHeader &header, const QByteArray &password);

private:
    // Adds an entry whose description was checked.
    void AddEntry(const QString &description, EntryData data);
    const QHash<QString, QString> &extractionNames() const;

    EntryTable m_table;
    // Where loaded entries' data lie, and how they are scrambled there.
    DataReader m_reader;
    // Folded description -> file name; built on demand, dropped on change.
    mutable std::optional<QHash<QString, QString>> m_extractionNames;
};
