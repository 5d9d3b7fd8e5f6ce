// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "RunEndRefinement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
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
using FeatureRow = std::array<double, Features>;

// How many standard errors apart a feature's means must lie to count.
constexpr double SignificantApart = 3.0;

void addPair(int u, int v, double *f)
{
    const int d = std::abs(u - v);
    const int m = std::abs(u / 2 - v / 2);
    if (d == 0) {
        f[1] = 1;
    } else if (d == 1 && m == 0) {
        f[1] = -1;
        f[2] = 1;
    } else if (d % 2 == 1) {
        f[0] = m == (d + 1) / 2 ? 1 : -1;
    }
}

struct Moments {
    FeatureRow sum {};
    FeatureRow squares {};
    qint64 count = 0;

    void add(const FeatureRow &f)
    {
        for (std::size_t j = 0; j < Features; ++j) {
            sum[j] += f[j];
            squares[j] += f[j] * f[j];
        }
        ++count;
    }
    double mean(std::size_t j) const { return sum[j] / double(count); }
    double variance(std::size_t j) const
    {
        const double m = mean(j);
        return std::max(0.0, squares[j] / double(count) - m * m);
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
    const auto byteAt = [&](qint64 i) {
        return int(bytes[i - around.from]);
    };
    const auto features = [&](qint64 i) {
        FeatureRow f {};
        const qint64 column = i % m_stride;
        if (column >= m_rowPixels)
            return f;
        const int v = byteAt(i);
        if (column >= 3)
            addPair(byteAt(i - 3), v, &f[0]);
        if (column % 3 >= 1)
            addPair(byteAt(i - 1), v, &f[3]);
        if (column % 3 == 2)
            addPair(byteAt(i - 2), v, &f[6]);
        f[3 * PairKinds + std::size_t(i % 8)] = v & 1;
        return f;
    };

    const qint64 w = m_windowBytes;
    const qint64 first = around.from;
    Moments inside;
    Moments outside;
    for (qint64 i = first; i < first + w; ++i)
        inside.add(features(i));
    for (qint64 i = around.to - w; i < around.to; ++i)
        outside.add(features(i));
    FeatureRow weight {};
    FeatureRow middle {};
    for (std::size_t j = 0; j < Features; ++j) {
        const double spread = 0.5 * (inside.variance(j) + outside.variance(j)) + 1e-6;
        const double apart = inside.mean(j) - outside.mean(j);
        // A feature whose means lie within chance of each other only adds
        // noise to the sum.
        const double chance = std::sqrt(spread * 2.0 / double(w));
        weight[j] = std::abs(apart) > SignificantApart * chance ? apart / spread : 0.0;
        middle[j] = 0.5 * (inside.mean(j) + outside.mean(j));
    }

    const auto score = [&](qint64 i) {
        const FeatureRow f = features(i);
        double sum = 0;
        for (std::size_t j = 0; j < Features; ++j)
            sum += weight[j] * (f[j] - middle[j]);
        return sum;
    };
    // The scores as a log-likelihood ratio: scaled by how far apart their
    // means lie inside and outside against their spread, so that the
    // margin of error is the stretch where the end stays about as likely.
    Moments insideScores;
    Moments outsideScores;
    for (qint64 i = first; i < first + w; ++i)
        insideScores.add({score(i)});
    for (qint64 i = around.to - w; i < around.to; ++i)
        outsideScores.add({score(i)});
    const double scoreSpread = 0.5 * (insideScores.variance(0) + outsideScores.variance(0)) + 1e-12;
    const double scale = std::max(0.0, insideScores.mean(0) - outsideScores.mean(0)) / scoreSpread;

    // sums[k]: the scores of bytes from .. from + k, before them.
    const qint64 from = first + w;
    const qint64 to = around.to - w;
    std::vector<double> sums(std::size_t(to - from + 1));
    for (qint64 i = from; i < to; ++i)
        sums[std::size_t(i - from + 1)] = sums[std::size_t(i - from)] + scale * score(i);
    const auto peak = std::max_element(sums.begin(), sums.end());
    const qint64 at = from + (peak - sums.begin());
    qint64 low = at;
    qint64 high = at;
    for (qint64 k = 0; k < qint64(sums.size()); ++k) {
        if (sums[std::size_t(k)] >= *peak - ErrorDrop) {
            low = std::min(low, from + k);
            high = std::max(high, from + k);
        }
    }
    End refined;
    refined.end = (at + 4) / 8 * 8;
    refined.error = std::max<qint64>({8, refined.end - low, high - refined.end});
    // A sum still near its peak at the edge of the search says the end may
    // lie beyond it.
    if (low == from || high == to)
        refined.error = std::max(refined.error, w);
    refined.edge = at == from ? -1 : at == to ? 1 : 0;
    return refined;
}
