#pragma once

#include "ContainerHeader.h"
#include "KeyedList.h"
#include "carrier/HiddenStream.h"
#include "carrier/Outcome.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// Why Inject turned a file away.
enum class InjectStatus {
    Injected,
    Unreadable, // missing, unreadable, too large, or not read whole
    Duplicate, // the description is already in the table
    Unrepresentable, // a character of the description cannot be stored
    StoredNameTaken, // stored, it would read back as an existing entry's name
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
    // One text telling the user what happened, empty when complete.
    QString message() const;
};

// The open container's entries in memory: for each its description and data,
// in stored order followed by the order of adding.
class DatFile {
public:
    static constexpr qint64 RecordSize = 32;

    const KeyedList<QByteArray> &colFiles() const { return m_colFiles; }
    const KeyedList<QString> &colDescriptions() const { return m_colDescriptions; }

    // Adds the whole content of the file FileName under Description.
    InjectResult Inject(const QString &Description, const QString &FileName);
    // Writes the data of entry Description to FileName, replacing a file there.
    // The replacement happens only once every byte is written. Refuses, without
    // touching the disk, a description that is not a plain file name.
    Outcome Extract(const QString &Description, const QString &FileName) const;
    Outcome Remove(const QString &what);
    // The sum of the entries' data lengths; header and records not counted.
    qint64 TotalSize() const;

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
    // Never reads past the stream; keeps every entry it could read.
    LoadReport Load(
        const HiddenStream &stream, const ContainerHeader &header, const QByteArray &password);

    // Empty when description can be used as a file name inside a folder,
    // otherwise the reason it cannot.
    static QString unsafeFileName(const QString &description);

private:
    bool AddEntry(const QString &description, QByteArray data);
    QString distinctDescription(const QString &description, QHash<QString, int> *nextNumber) const;

    KeyedList<QByteArray> m_colFiles;
    KeyedList<QString> m_colDescriptions;
};
