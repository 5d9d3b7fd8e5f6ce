// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "RunEvidence.h"

#include <algorithm>
#include <cmath>

namespace runevidence {

double randomBitsRatio(const SamplePairCounts &pairs)
{
    const double x = double(pairs.x);
    const double v = double(pairs.v);
    const double w = double(pairs.w);
    const double z = double(pairs.z);
    // X - V is about normal with variance X + V under either premise; its
    // mean is 0 inside a run and W in a picture.
    const double spread = std::max(1.0, x + v);
    const double t = x - v;
    const double ratio = (w * w - 2.0 * t * w) / (2.0 * spread);
    const double surplus = std::max(0.0, z - w);
    return ratio - surplus * surplus / (2.0 * std::max(1.0, z + w));
}

double textRatio(const PhaseCounts &phases)
{
    // The share of ones among the other seven places, kept off 0 and 1: a
    // window whose lowest bits are all alike tells nothing.
    constexpr double Stray = 0.02; // top bits set in text (other encodings)
    qint64 otherOnes = 0;
    qint64 otherBytes = 0;
    for (std::size_t p = 0; p < 7; ++p) {
        otherOnes += phases.ones[p];
        otherBytes += phases.bytes[p];
    }
    if (otherBytes == 0)
        return 0;
    const double q = std::clamp(double(otherOnes) / double(otherBytes), Stray, 1.0 - Stray);
    const double ones = double(phases.ones[7]);
    const double zeros = double(phases.bytes[7]) - ones;
    return ones * std::log(Stray / q) + zeros * std::log((1.0 - Stray) / (1.0 - q));
}

double windowScore(const SamplePairCounts &pairs, const PhaseCounts &phases)
{
    const double ratio = std::max(randomBitsRatio(pairs), textRatio(phases));
    return std::clamp(ratio / MaxRatio, -1.0, 1.0);
}

ChangePoint changePoint(const QList<double> &scores)
{
    ChangePoint best;
    QList<double> sums(scores.size() + 1);
    for (qsizetype k = 0; k < scores.size(); ++k) {
        sums[k + 1] = sums[k] + scores[k];
        if (sums[k + 1] > best.peak) {
            best.peak = sums[k + 1];
            best.windows = k + 1;
        }
    }
    best.earliest = best.windows;
    best.latest = best.windows;
    for (qsizetype k = 0; k < sums.size(); ++k) {
        if (sums[k] > best.peak - 1.0) {
            best.earliest = std::min(best.earliest, k);
            best.latest = std::max(best.latest, k);
        }
    }
    return best;
}

} // namespace runevidence
