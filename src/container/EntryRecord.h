// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// The 32 bytes stored ahead of every entry's data: the description, one byte
// per character, blank-padded or cut to 28 characters, then the number of
// data bytes that follow, 32-bit signed little-endian.
struct EntryRecord {
    static constexpr qint64 Size = 32;
    static constexpr qsizetype DescriptionSize = 28;

    QByteArray Description = QByteArray(DescriptionSize, ' ');
    qint32 Length = 0;

    // description is the one-byte form of the entry's name.
    static EntryRecord make(const QByteArray &description, qint32 length);
    static EntryRecord fromBytes(const char *bytes);
    QByteArray toBytes() const;

    // The description as a reader gets it back: decoded, blanks trimmed at
    // both ends.
    QString description() const;

    // What becomes of a description once stored and read back: its first 28
    // characters, blanks trimmed at both ends.
    static QString storedForm(const QString &description);
    // Why storedForm(description) differs from description, for the user
    // ("names keep at most 28 characters"), or an empty text when it does not.
    static QString whyStoredDifferently(const QString &description);
};
