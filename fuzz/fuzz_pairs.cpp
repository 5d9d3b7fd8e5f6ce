// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Holds the sample pair counting to a plain count, pair by pair, written
// from the class definitions in SamplePairs.h:
// - SamplePairCounts::addRow over a whole row, and over the same pairs cut
//   into pieces of arbitrary lengths and alignments. Pieces of fewer than 32
//   pairs are counted by the table alone; longer ones take 32 pairs a step
//   with AVX2, where the processor has it, and the rest by the table.
// - WindowedPairs fed the same bytes in arbitrary pieces, as rows of an
//   arbitrary width with fill bytes: every window's counts and the fill
//   byte figures.

#include "FuzzSupport.h"
#include "analysis/SamplePairs.h"
#include "analysis/WindowedPairs.h"

#include <cstdlib>
#include <vector>

using namespace Fuzz;

namespace {

// Counts the pair (u, t) as SamplePairs.h defines its classes.
void countPair(int u, int t, SamplePairCounts *counts)
{
    const int d = std::abs(u - t);
    const int m = std::abs(u / 2 - t / 2);
    if (d == 0)
        ++counts->z;
    if (d == 1 && m == 0)
        ++counts->w;
    if (d % 2 == 1 && m == (d + 1) / 2)
        ++counts->x;
    if (d % 2 == 1 && d >= 3 && m == (d - 1) / 2)
        ++counts->v;
}

SamplePairCounts referenceRow(const std::uint8_t *bytes, std::size_t size)
{
    SamplePairCounts counts;
    for (std::size_t i = 0; i + 3 < size; ++i)
        countPair(bytes[i], bytes[i + 3], &counts);
    return counts;
}

// The bytes to count: as the input gives them, or as running sums of small
// steps, which make the close pairs of a natural picture.
std::vector<std::uint8_t> arbitraryRow(const std::uint8_t *data, std::size_t size, bool steps)
{
    std::vector<std::uint8_t> row(data, data + size);
    if (steps) {
        std::uint8_t level = 128;
        for (std::uint8_t &b : row) {
            level = static_cast<std::uint8_t>(level + (b % 7) - 3);
            b = level;
        }
    }
    return row;
}

void checkRows(Input &in, const std::vector<std::uint8_t> &row)
{
    const std::size_t size = row.size();
    SamplePairCounts whole;
    whole.addRow(row.data(), size);
    require(whole == referenceRow(row.data(), size));
    if (size < 4)
        return;

    // The same pairs cut into pieces: pair i is (row[i], row[i + 3]).
    const std::size_t pairs = size - 3;
    SamplePairCounts pieces;
    for (std::size_t from = 0; from < pairs;) {
        const std::size_t length = in.flag() ? 1 + in.byte() % 40 : 1 + in.byte() * 4;
        const std::size_t to = std::min(pairs, from + length);
        SamplePairCounts piece;
        piece.addRow(row.data() + from, to - from + 3);
        require(piece == referenceRow(row.data() + from, to - from + 3));
        pieces.add(piece);
        from = to;
    }
    require(pieces == whole);
}

void checkWindows(Input &in, const std::vector<std::uint8_t> &bytes)
{
    const qint64 size = qint64(bytes.size());
    const qint64 rowPixels = 3 * (1 + in.byte() % 64);
    const qint64 stride = (rowPixels + 3) / 4 * 4;
    const qint64 pairEnd = in.below(size + 1);
    const qint64 windowBytes = 1 + in.below(512);
    WindowedPairs windowed(rowPixels, stride, pairEnd, windowBytes);
    for (qint64 at = 0; at < size;) {
        const qint64 piece
            = std::min(size - at, qint64(1 + (in.flag() ? in.byte() % 8 : in.below(2048))));
        windowed.add(bytes.data() + at, piece);
        at += piece;
    }

    QList<SamplePairCounts> expected((pairEnd + windowBytes - 1) / windowBytes);
    qint64 fill = 0;
    qint64 nonzeroFill = 0;
    for (qint64 i = 0; i < size; ++i) {
        const qint64 column = i % stride;
        if (column >= rowPixels) {
            ++fill;
            nonzeroFill += bytes[i] != 0;
        } else if (column + 3 < rowPixels && i + 3 < pairEnd) {
            countPair(bytes[i], bytes[i + 3], &expected[i / windowBytes]);
        }
    }
    require(windowed.windows() == expected);
    require(windowed.fillBytes() == fill && windowed.nonzeroFillBytes() == nonzeroFill);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The row is the end of the input, as long as its first two bytes say;
    // the choices are read from the bytes before it.
    const std::size_t length = std::min<std::size_t>(Input(data, size).below(4096), size);
    const std::size_t skip = std::min<std::size_t>(2, size - length);
    Input in(data + skip, size - length - skip);
    const std::vector<std::uint8_t> row = arbitraryRow(data + size - length, length, in.flag());
    checkRows(in, row);
    checkWindows(in, row);
    return 0;
}
