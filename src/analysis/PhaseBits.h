// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QList>

#include <array>
#include <cstdint>

// The lowest bits of a 24-bit bitmap's pixel bytes, window by window, counted
// apart by their place in a hidden byte: pixel byte i carries bit i % 8 of
// hidden byte i / 8. In a picture those eight places look alike; in hidden
// ASCII text, every eighth lowest bit (a byte's top bit) is 0. Row fill
// bytes carry no pixel and are left out. Bytes are handed over in file
// order, in pieces of any size.
struct PhaseCounts {
    std::array<qint64, 8> ones {};
    std::array<qint64, 8> bytes {};

    void add(const PhaseCounts &other);
    bool operator==(const PhaseCounts &) const = default;
};

class PhaseBits {
public:
    // rowPixels: 3 x the width; stride: the row with its fill bytes; end:
    // the bytes counted (those after it are not).
    PhaseBits(qint64 rowPixels, qint64 stride, qint64 end, qint64 windowBytes);

    // Counts the next size bytes.
    void add(const std::uint8_t *bytes, qint64 size);

    const QList<PhaseCounts> &windows() const { return m_windows; }

    // Adds the lowest bits of bytes[0 .. size), the first of which is pixel
    // byte index, to counts.
    static void count(const std::uint8_t *bytes, qint64 size, qint64 index, PhaseCounts *counts);

private:
    qint64 m_rowPixels;
    qint64 m_stride;
    qint64 m_end;
    qint64 m_windowBytes;
    QList<PhaseCounts> m_windows;
    qint64 m_received = 0;
};
