// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QByteArray>
#include <QtGlobal>

// The running password key over the entries' data: byte d becomes d XOR
// p(k), then k advances by one, wrapping at the password's length. One
// Scrambler serves one whole write or read of a container: its key position
// runs on from one entry to the next. The operation is its own inverse.
//
// With scrambling off, or with an empty password, bytes pass unchanged.
class Scrambler {
public:
    Scrambler(bool usePassword, const QByteArray &password);

    bool isActive() const { return !m_block.isEmpty(); }
    void apply(char *data, qint64 count);
    // Moves the key to position keyPosition of the whole run of data.
    void seek(qint64 keyPosition);

private:
    // The password repeated to a few kilobytes, a whole number of times, so
    // that the key can be combined a machine word at a time.
    QByteArray m_block;
    qsizetype m_length = 0; // the password's
    qsizetype m_position = 0;
};
