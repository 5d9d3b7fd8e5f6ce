// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "EntryData.h"
#include "base/Outcome.h"
#include "bitmap/HiddenSource.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>

// Reads entries' data back: from memory, from the file they were added from,
// or from the image the table was loaded from, unscrambled. It knows where
// that image is and how its data are scrambled; the image must outlive it.
class DataReader {
    Q_DECLARE_TR_FUNCTIONS(DataReader)

public:
    // Gives data one piece after another; a failure stops the reading.
    using Sink = std::function<Outcome(const char *data, qint64 size)>;

    // A reader for tables not loaded from an image.
    DataReader() = default;
    // Data stored in source, scrambled with password when scrambled says so.
    DataReader(const HiddenSource *source, bool scrambled, QByteArray password);

    // True when the data in the image are scrambled: the flag is set and the
    // password not empty.
    bool scrambles() const { return m_scrambled && !m_password.isEmpty(); }
    // The password the data in the image were read with.
    const QByteArray &password() const { return m_password; }

    // The data of entry, whole or piece by piece into sink. description
    // names the entry in messages.
    Outcome read(const QString &description, const EntryData &entry, QByteArray *data) const;
    Outcome stream(const QString &description, const EntryData &entry, const Sink &sink) const;

private:
    const HiddenSource *m_source = nullptr;
    bool m_scrambled = false;
    QByteArray m_password;
};
