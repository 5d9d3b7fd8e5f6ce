// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"
#include "bitmap/HiddenSource.h"

#include <QByteArray>
#include <QtGlobal>

// The 14 bytes at hidden offset 0 that mark a carrier as holding a container:
// signature "VLD2", the number of entries, the password hash and whether the
// entries' data are scrambled. Integers little-endian; the flag is 16 bits,
// written as -1 or 0, read as true when non-zero.
struct ContainerHeader {
    static constexpr qint64 Size = 14;
    static constexpr qint64 Offset = 0;

    QByteArray Signature = QByteArray(4, '\0');
    qint32 FileCount = 0;
    qint32 PasswordHash = 0;
    bool UsePassword = false;

    static ContainerHeader fromBytes(const char *bytes);
    QByteArray toBytes() const;

    // Replaces all four fields with the 14 hidden bytes at offset 0. Fails,
    // changing nothing, when the carrier cannot hold 14 hidden bytes.
    Outcome ReadHeader(const HiddenSource &stream);
    // True when the signature is exactly "VLD2".
    bool HasSignature() const;
    // The header of a new, empty container without password.
    void startFresh();
};
