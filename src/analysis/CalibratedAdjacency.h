// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

// Counts of the pairs (u, v) of horizontal neighbours of one colour, at
// u * 256 + v: the three colours in one histogram.
using AdjacencyHistogram = std::vector<quint32>;

// The two adjacency histograms of calibrated HCF-COM, from a 24-bit bitmap's
// pixel bytes in file order, handed over in pieces of any size:
//  - the image's own: pairs of bytes three apart in one row's pixels;
//  - its calibration image's: the picture shrunk by averaging blocks of
//    2 x 2 pixels, each colour rounded to the nearest (halves up). Rows are
//    paired in file order (0 and 1, 2 and 3, ...) and so are pixels (0 and
//    1, ...); an odd last row or column belongs to no block.
// A block counts once all its bytes have been handed over, a pair of blocks
// once both have: a file cut short gives the pairs of the bytes it holds.
//
// A large picture may be sampled: only every rowPairStep-th pair of rows
// (rows 2r and 2r + 1 for r a multiple of it) counts, in both histograms,
// as if those rows alone made the picture.
//
// The calibration needs the even row in memory while the odd one arrives.
// Only its first pairedRowLimit pixel bytes are kept: blocks beyond them
// (in rows of more than 11 million pixels, by default) are left out of the
// calibration histogram, so that memory stays bounded whatever the width.
class CalibratedAdjacency {
public:
    static constexpr qint64 DefaultPairedRowLimit = qint64(1) << 25;

    // width in pixels; stride: a row with its fill bytes; handed: how many
    // bytes will be handed over in all (the even row is kept only when some
    // of the odd one follows).
    CalibratedAdjacency(qint64 width, qint64 stride, qint64 height, qint64 handed,
        qint64 pairedRowLimit = DefaultPairedRowLimit, qint64 rowPairStep = 1)
        : m_rowPixels(3 * width),
          m_rowPairStep(std::max<qint64>(1, rowPairStep)),
          m_stride(stride),
          m_pairedRows(height / 2 * 2),
          m_pairedBytes(std::min(6 * (width / 2), pairedRowLimit / 6 * 6)),
          m_image(65536),
          m_calibration(65536)
    {
        if (m_pairedRows >= 2 && m_pairedBytes >= 12 && handed > stride)
            m_even.resize(std::size_t(m_pairedBytes));
    }

    void add(const std::uint8_t *bytes, qint64 size)
    {
        const qint64 end = m_received + size;
        for (qint64 at = m_received; at < end;) {
            const qint64 row = at / m_stride;
            const qint64 column = at - row * m_stride;
            const qint64 next = std::min(end, (row + 1) * m_stride);
            const qint64 pixels = std::min(next, row * m_stride + m_rowPixels) - at;
            if (pixels > 0 && row / 2 % m_rowPairStep == 0) {
                const std::uint8_t *p = bytes + (at - m_received);
                addImage(p, column, pixels);
                if (row < m_pairedRows && !m_even.empty())
                    addCalibration(p, column, pixels, row % 2 == 1);
            }
            at = next;
        }
        m_received = end;
    }

    const AdjacencyHistogram &image() const { return m_image; }
    const AdjacencyHistogram &calibration() const { return m_calibration; }

private:
    // n pixel bytes of one row from byte column on.
    void addImage(const std::uint8_t *p, qint64 column, qint64 n)
    {
        // Pairs whose left byte came with an earlier piece.
        for (qint64 k = 0; k < std::min<qint64>(n, 3); ++k) {
            if (column + k >= 3)
                ++m_image[std::size_t(m_last[(column + k) % 3]) * 256 + p[k]];
        }
        quint32 *h = m_image.data();
        for (qint64 k = 3; k < n; ++k)
            ++h[std::size_t(p[k - 3]) * 256 + p[k]];
        for (qint64 k = std::max<qint64>(0, n - 3); k < n; ++k)
            m_last[(column + k) % 3] = p[k];
    }

    void addCalibration(const std::uint8_t *p, qint64 column, qint64 n, bool odd)
    {
        const qint64 stop = std::min(column + n, m_pairedBytes);
        if (!odd) {
            if (column < stop)
                std::memcpy(m_even.data() + column, p, std::size_t(stop - column));
            return;
        }
        // Byte c of the odd row is colour c % 3 of pixel c / 3, so c % 6
        // tells the left (0 .. 2) or right (3 .. 5) pixel of block c / 6.
        // Whole blocks at once, single bytes where a piece cuts one.
        const std::uint8_t *even = m_even.data();
        qint64 c = column;
        for (; c < stop && c % 6 != 0; ++c)
            addBlockByte(c, unsigned(even[c]) + p[c - column]);
        for (; c + 6 <= stop; c += 6) {
            const std::uint8_t *o = p + (c - column);
            for (int colour = 0; colour < 3; ++colour) {
                const unsigned value = (unsigned(even[c + colour]) + o[colour]
                                           + even[c + 3 + colour] + o[3 + colour] + 2)
                    / 4;
                if (c > 0)
                    ++m_calibration[std::size_t(m_lastBlock[colour]) * 256 + value];
                m_lastBlock[colour] = value;
            }
        }
        for (; c < stop; ++c)
            addBlockByte(c, unsigned(even[c]) + p[c - column]);
    }

    // Byte c of an odd row, whose sum with the byte above it is sum.
    void addBlockByte(qint64 c, unsigned sum)
    {
        const int phase = int(c % 6);
        if (phase < 3) {
            m_blockSum[phase] = sum;
            return;
        }
        const int colour = phase - 3;
        const unsigned value = (m_blockSum[colour] + sum + 2) / 4;
        if (c >= 6)
            ++m_calibration[std::size_t(m_lastBlock[colour]) * 256 + value];
        m_lastBlock[colour] = value;
    }

    qint64 m_rowPixels;
    qint64 m_rowPairStep;
    qint64 m_stride;
    qint64 m_pairedRows; // rows that belong to blocks
    qint64 m_pairedBytes; // pixel bytes of a row that belong to blocks
    AdjacencyHistogram m_image;
    AdjacencyHistogram m_calibration;
    std::vector<std::uint8_t> m_even; // the even row of the pair being read
    qint64 m_received = 0;
    std::array<std::uint8_t, 3> m_last {}; // the last byte of each colour in the row
    std::array<unsigned, 3> m_blockSum {}; // the left pixel's two bytes, per colour
    std::array<unsigned, 3> m_lastBlock {}; // the last block's value, per colour
};
