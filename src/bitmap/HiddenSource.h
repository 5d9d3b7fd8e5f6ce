// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QByteArray>
#include <QtGlobal>

// Where hidden bytes are read from: a pixel area in memory, or a bitmap on
// disk of which only the pixel bytes asked for are read. Hidden byte k is
// carried by pixel bytes 8k..8k+7, least significant bit first.
class HiddenSource {
public:
    virtual ~HiddenSource() = default;

    // Whole hidden bytes the pixel area carries: its size divided by 8.
    virtual qint32 Capacity() const = 0;
    // Of those, the hidden bytes really held: a file may end inside its
    // pixels, and what lies beyond is not there to be read.
    virtual qint64 presentCapacity() const { return Capacity(); }

    // Fills buffer[0 .. count) from the hidden bytes at start. Refuses, before
    // anything is read, a run that does not lie wholly inside 0..Capacity().
    virtual Outcome ReadHidden(char *buffer, qint64 count, qint64 start) const = 0;
    // The same into a byte array that must hold at least count bytes.
    Outcome ReadHidden(QByteArray &buffer, qint64 count, qint64 start) const;

protected:
    Outcome checkRun(qint64 count, qint64 start) const;
};
