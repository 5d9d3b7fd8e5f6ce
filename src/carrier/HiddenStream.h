// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QtGlobal>

// The hidden byte stream carried in bit 0 of every byte of a pixel area.
// Hidden byte k is carried by pixel bytes 8k..8k+7, least significant bit
// first. The stream works on the pixel area in place and holds no state of
// its own; it must not outlive the array it was made for.
class HiddenStream {
public:
    explicit HiddenStream(QByteArray &pixels) : m_pixels(pixels) { }

    // Whole hidden bytes the pixel area carries: its size divided by 8.
    qint32 Capacity() const;

    // Both refuse, before a single bit is touched, a run that does not lie
    // wholly inside 0..Capacity().
    Outcome ReadHidden(char *buffer, qint64 count, qint64 start) const;
    Outcome WriteHidden(const char *buffer, qint64 count, qint64 start);

    // Convenience forms on a byte array that must hold at least count bytes.
    Outcome ReadHidden(QByteArray &buffer, qint64 count, qint64 start) const;
    Outcome WriteHidden(const QByteArray &buffer, qint64 count, qint64 start);

private:
    Outcome checkRun(qint64 count, qint64 start) const;

    QByteArray &m_pixels;
};
