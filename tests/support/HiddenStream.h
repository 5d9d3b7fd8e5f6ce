// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "bitmap/HiddenRun.h"
#include "bitmap/HiddenSource.h"

#include <QByteArray>
#include <QtGlobal>

// The hidden byte stream of a pixel area held in memory, read and written in
// place. It holds no state of its own and must not outlive the array it was
// made for. The bitmap on disk is written by streaming instead (Carrier);
// this is the whole-buffer form, which tests hold the streaming one to.
class HiddenStream : public HiddenSource {
public:
    explicit HiddenStream(QByteArray &pixels) : m_pixels(pixels) { }

    qint32 Capacity() const override;

    using HiddenSource::ReadHidden;
    Outcome ReadHidden(char *buffer, qint64 count, qint64 start) const override;

    // Refuses, before a single bit is touched, a run that does not lie wholly
    // inside 0..Capacity().
    Outcome WriteHidden(const char *buffer, qint64 count, qint64 start);
    Outcome WriteHidden(const QByteArray &buffer, qint64 count, qint64 start);

    // Stores every run; refuses, changing nothing, when one does not fit. A
    // run whose bytes cannot be had stops it part way.
    Outcome WriteRuns(const HiddenRuns &runs);

private:
    QByteArray &m_pixels;
};
