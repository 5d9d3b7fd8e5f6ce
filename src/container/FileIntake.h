// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "EntryData.h"
#include "InjectResult.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// Whether Inject reads a file at once or when the container is written.
enum class Holding {
    InMemory, // read whole now: later changes to the file do not matter
    FromFile, // read when needed; the file must not change until then
};

// The data of a file being added: read whole, or left in the file to be read
// when they are stored. More than limit bytes fail with TooLarge.
namespace FileIntake {

// The data of the regular file fileName. A file whose size is not known
// until it is read (those under /proc say 0) is read now whatever the
// holding asks.
InjectResult fromFile(const QString &fileName, qint64 limit, Holding holding, EntryData *data);

// Everything source gives, to its end, read now.
InjectResult fromDevice(QIODevice &source, qint64 limit, EntryData *data);

} // namespace FileIntake
