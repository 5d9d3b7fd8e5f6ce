// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SamplePairs.h"

#include <QList>

#include <array>

// The sample pairs of a 24-bit bitmap's rows, window by window, and its row
// fill bytes, from the pixel bytes in file order, handed over in pieces of
// any size: a row may be far longer than a piece, so memory stays at the
// piece whatever the picture's width.
//
// A pair (i, i + 3) is two bytes of one row's pixels, both below pairEnd; it
// counts in the window its first byte falls in, once, when its second byte
// arrives.
class WindowedPairs {
public:
    // rowPixels: 3 x the width; stride: the row with its fill bytes.
    WindowedPairs(qint64 rowPixels, qint64 stride, qint64 pairEnd, qint64 windowBytes);

    // Counts the next size pixel bytes.
    void add(const std::uint8_t *bytes, qint64 size);

    const QList<SamplePairCounts> &windows() const { return m_windows; }
    qint64 fillBytes() const { return m_fillBytes; }
    qint64 nonzeroFillBytes() const { return m_nonzeroFillBytes; }

private:
    // Counts the pairs whose first byte lies in from .. to; bytes holds the
    // pixel bytes from offset base on, up to to + 3 at least.
    void countPairs(const std::uint8_t *bytes, qint64 base, qint64 from, qint64 to);
    void countFill(const std::uint8_t *bytes, qint64 base, qint64 end);

    qint64 m_rowPixels;
    qint64 m_stride;
    qint64 m_pairEnd;
    qint64 m_windowBytes;
    QList<SamplePairCounts> m_windows;
    qint64 m_fillBytes = 0;
    qint64 m_nonzeroFillBytes = 0;
    qint64 m_received = 0; // pixel bytes added so far
    std::array<std::uint8_t, 3> m_tail {}; // the last three of them
};
