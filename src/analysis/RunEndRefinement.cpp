// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "RunEndRefinement.h"

#include "SamplePairs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// For each kind of pair a byte closes with an earlier one (its neighbour
// of the same colour to the left, and the bytes before it in its pixel)
// X - V, Z - W and W; then its lowest bit at its place in a hidden byte.
// Inside a run all of them change: its lowest bits no longer follow the
// picture, and text keeps every eighth at 0. (Pairs with the row below
// would blur the end over a row: they straddle it for a whole row.)
constexpr std::size_t PairKinds = 3;
constexpr std::size_t Features = 3 * PairKinds + 8;
constexpr std::size_t FirstPlace = 3 * PairKinds;

// The three pair features each class gives: X - V, Z - W, W.
constexpr std::array<std::array<double, 3>, 5> ClassFeatures {{
    {0, 1, 0}, // Z
    {1, 0, 0}, // X
    {0, -1, 1}, // W
    {-1, 0, 0}, // V
    {0, 0, 0}, // an even difference of 2 or more
}};

// The most bytes of each neighbouring window the means are taken from.
constexpr qint64 ReferenceBytes = 64 << 10;

// How many standard errors apart a feature's means must lie to count.
constexpr double SignificantApart = 3.0;

// Walks the bytes from .. to of a stretch, calling visit(i, classes, bit)
// for each pixel byte: the class of each kind of pair it closes (PairOther
// where there is none) and its lowest bit. Fill bytes have no features.
template <typename Visit>
void walk(const std::uint8_t *bytes, qint64 base, qint64 from, qint64 to, qint64 rowPixels,
    qint64 stride, Visit visit)
{
    const std::uint8_t *table = pairClasses();
    // Row by row, the column and the place in a pixel kept as they go.
    for (qint64 rowStart = from / stride * stride; rowStart < to; rowStart += stride) {
        const qint64 first = std::max(from, rowStart);
        const qint64 last = std::min(to, rowStart + rowPixels);
        qint64 column = first - rowStart;
        int colour = int(column % 3);
        for (qint64 i = first; i < last; ++i, ++column) {
            const std::uint8_t *p = bytes + (i - base);
            const std::size_t v = *p;
            std::array<std::uint8_t, PairKinds> classes;
            classes.fill(PairOther);
            // Left neighbour of one colour; then the earlier bytes of the pixel.
            if (column >= 3 && i - 3 >= base)
                classes[0] = table[std::size_t(p[-3]) * 256 + v];
            if (colour >= 1 && i - 1 >= base)
                classes[1] = table[std::size_t(p[-1]) * 256 + v];
            if (colour == 2 && i - 2 >= base)
                classes[2] = table[std::size_t(p[-2]) * 256 + v];
            visit(i, classes, int(v & 1));
            colour = colour == 2 ? 0 : colour + 1;
        }
    }
}

// The features' sums and sums of squares over a stretch of bytes, from the
// counts of each class and of the ones at each place (the features are
// indicators, or differences of exclusive ones).
struct Moments {
    std::array<std::array<qint64, 5>, PairKinds> classes {};
    std::array<qint64, 8> ones {};
    qint64 count = 0;

    double mean(std::size_t j) const { return sum(j) / double(count); }
    double variance(std::size_t j) const
    {
        const double m = mean(j);
        return std::max(0.0, squares(j) / double(count) - m * m);
    }

private:
    double sum(std::size_t j) const
    {
        if (j >= FirstPlace)
            return double(ones[j - FirstPlace]);
        const auto &c = classes[j / 3];
        switch (j % 3) {
        case 0:
            return double(c[PairX] - c[PairV]);
        case 1:
            return double(c[PairZ] - c[PairW]);
        default:
            return double(c[PairW]);
        }
    }
    double squares(std::size_t j) const
    {
        if (j >= FirstPlace)
            return double(ones[j - FirstPlace]);
        const auto &c = classes[j / 3];
        switch (j % 3) {
        case 0:
            return double(c[PairX] + c[PairV]);
        case 1:
            return double(c[PairZ] + c[PairW]);
        default:
            return double(c[PairW]);
        }
    }
};

// Mean and variance of plain numbers.
struct Spread {
    double sum = 0;
    double squares = 0;
    qint64 count = 0;

    void add(double x)
    {
        sum += x;
        squares += x * x;
        ++count;
    }
    double mean() const { return count > 0 ? sum / double(count) : 0.0; }
    double variance() const
    {
        const double m = mean();
        return count > 0 ? std::max(0.0, squares / double(count) - m * m) : 0.0;
    }
};

} // namespace

RunEndRefinement::RunEndRefinement(
    qint64 rowPixels, qint64 stride, qint64 analysed, qint64 windowBytes)
    : m_rowPixels(rowPixels),
      m_stride(stride),
      m_analysed(analysed),
      m_windowBytes(windowBytes)
{
}

RunEndRefinement::Span RunEndRefinement::span(qint64 gridWindows) const
{
    // Inside: window gridWindows - 2; searched: the two around the grid's
    // end; outside: the one after them, whole.
    if (gridWindows < 2 || (gridWindows + 2) * m_windowBytes > m_analysed)
        return {};
    return {(gridWindows - 2) * m_windowBytes, (gridWindows + 2) * m_windowBytes};
}

RunEndRefinement::End RunEndRefinement::refine(qint64 gridWindows, const std::uint8_t *bytes) const
{
    const End grid {std::min(m_analysed, gridWindows * m_windowBytes), m_windowBytes};
    const Span around = span(gridWindows);
    if (around.from == around.to)
        return grid;
    const qint64 w = m_windowBytes;
    const auto walkOver = [&](qint64 from, qint64 to, auto visit) {
        walk(bytes, around.from, from, to, m_rowPixels, m_stride, visit);
    };

    // The features' means inside and outside, counted byte by byte: fill
    // bytes count as bytes whose features are all 0.
    const auto momentsOf = [&](qint64 from, qint64 to) {
        Moments m;
        m.count = to - from;
        walkOver(from, to, [&m](qint64 i, const auto &classes, int bit) {
            for (std::size_t k = 0; k < PairKinds; ++k)
                ++m.classes[k][classes[k]];
            m.ones[std::size_t(i & 7)] += bit;
        });
        return m;
    };
    // Inside and outside are learnt from the parts of their windows next to
    // the search, at most ReferenceBytes of each: plenty for 17 means.
    const qint64 reference = std::min(w, ReferenceBytes);
    const qint64 insideFrom = around.from + w - reference;
    const qint64 outsideTo = around.to - w + reference;
    const Moments inside = momentsOf(insideFrom, around.from + w);
    const Moments outside = momentsOf(around.to - w, outsideTo);
    std::array<double, Features> weight {};
    double middle = 0; // the weighted midpoint of the means, over all features
    for (std::size_t j = 0; j < Features; ++j) {
        const double spread = 0.5 * (inside.variance(j) + outside.variance(j)) + 1e-6;
        const double apart = inside.mean(j) - outside.mean(j);
        // A feature whose means lie within chance of each other only adds
        // noise to the sum.
        const double chance = std::sqrt(spread * 2.0 / double(reference));
        weight[j] = std::abs(apart) > SignificantApart * chance ? apart / spread : 0.0;
        middle += weight[j] * 0.5 * (inside.mean(j) + outside.mean(j));
    }
    // What each class of each kind of pair adds to a byte's score.
    std::array<std::array<double, 5>, PairKinds> byClass {};
    for (std::size_t k = 0; k < PairKinds; ++k)
        for (std::size_t c = 0; c < 5; ++c)
            for (std::size_t f = 0; f < 3; ++f)
                byClass[k][c] += weight[3 * k + f] * ClassFeatures[c][f];

    // The scores of the bytes from .. to (fill bytes score -middle), handed
    // to take(i, score) in order.
    const auto scores = [&](qint64 from, qint64 to, auto take) {
        qint64 next = from;
        walkOver(from, to, [&](qint64 i, const auto &classes, int bit) {
            for (; next < i; ++next)
                take(next, -middle);
            double score = weight[FirstPlace + std::size_t(i & 7)] * bit - middle;
            for (std::size_t k = 0; k < PairKinds; ++k)
                score += byClass[k][classes[k]];
            take(i, score);
            next = i + 1;
        });
        for (; next < to; ++next)
            take(next, -middle);
    };

    // The scores as a log-likelihood ratio: scaled by how far apart their
    // means lie inside and outside against their spread, so that the
    // margin of error is the stretch where the end stays about as likely.
    Spread insideScores;
    Spread outsideScores;
    scores(insideFrom, around.from + w, [&](qint64, double s) { insideScores.add(s); });
    scores(around.to - w, outsideTo, [&](qint64, double s) { outsideScores.add(s); });
    const double scoreSpread = 0.5 * (insideScores.variance() + outsideScores.variance()) + 1e-12;
    const double scale = std::max(0.0, insideScores.mean() - outsideScores.mean()) / scoreSpread;

    // The running sum of the scores from `from` on, kept where a hidden byte
    // begins (an end falls there): where it peaks, and where it stays within
    // ErrorDrop of the peak.
    const qint64 from = around.from + w;
    const qint64 to = around.to - w;
    const qint64 firstBorder = (from + 7) / 8 * 8;
    std::vector<double> sums;
    sums.reserve(std::size_t((to - firstBorder) / 8 + 1));
    double sum = 0;
    scores(from, to, [&](qint64 i, double s) {
        if ((i & 7) == 0)
            sums.push_back(sum);
        sum += scale * s;
    });
    if ((to & 7) == 0)
        sums.push_back(sum);
    const auto border = [firstBorder](std::size_t k) {
        return firstBorder + 8 * qint64(k);
    };
    std::size_t best = 0;
    for (std::size_t k = 0; k < sums.size(); ++k)
        best = sums[k] > sums[best] ? k : best;
    const qint64 at = sums.empty() ? from : border(best);
    qint64 low = at;
    qint64 high = at;
    for (std::size_t k = 0; k < sums.size(); ++k) {
        if (sums[k] >= sums[best] - ErrorDrop) {
            low = std::min(low, border(k));
            high = std::max(high, border(k));
        }
    }
    End refined;
    refined.end = at;
    refined.error = std::max<qint64>(
        {8, ErrorWidening * (refined.end - low), ErrorWidening * (high - refined.end)});
    // A sum still near its peak at the edge of the search says the end may
    // lie beyond it.
    if (low - from < 8 || to - high < 8)
        refined.error = std::max(refined.error, w);
    refined.edge = at - from < 8 ? -1 : to - at < 8 ? 1 : 0;
    return refined;
}
