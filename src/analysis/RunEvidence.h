// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "PhaseBits.h"
#include "SamplePairs.h"

#include <QList>

// Where a run of hidden bits from the first pixel byte ends, from window
// after window of the pixel area.
//
// Each window is scored by how much likelier its counts are inside a run
// than in a picture, as a log-likelihood ratio, from whichever of two
// statistics favours the run more:
//  - random bits (scrambled, compressed or encrypted data): their lowest
//    bits are independent of the seven bits above them, so among sample
//    pairs X = V and Z = W are expected, where a picture has X = V + W (the
//    premise of sample pair analysis) and Z >= W (neighbours alike more often
//    than one apart). The two means of X - V are set against each other,
//    with W as the distance between them and the spread of X - V under
//    random bits; a surplus of Z over W counts against the run. Where a
//    picture is so busy that W is small against that spread, as in dense
//    foliage saved as JPEG, the window weighs little either way instead of
//    reading as half full.
//  - ASCII text, protected or not: every eighth lowest bit, the top bit of
//    a hidden byte, is 0, where a picture's are as often 1 as the others.
// A window's score is that ratio over MaxRatio, held to -1 .. 1: no window
// counts for more than its share of the area, however sure it is, so a
// corner where the picture breaks a premise cannot outweigh the rest.
namespace runevidence {

// A log-likelihood ratio that makes a window count fully, in nats.
constexpr double MaxRatio = 8.0;

double randomBitsRatio(const SamplePairCounts &pairs);
double textRatio(const PhaseCounts &phases);
double windowScore(const SamplePairCounts &pairs, const PhaseCounts &phases);

// The change point: the number of windows from the first whose scores sum
// highest, and that sum (0 windows and 0 when no sum is above 0). Where the
// sum stays within a window's worth of its peak, from `earliest` to
// `latest` windows, the run may end as well: its margin of error on the
// grid.
struct ChangePoint {
    qsizetype windows = 0;
    double peak = 0;
    qsizetype earliest = 0;
    qsizetype latest = 0;
};
ChangePoint changePoint(const QList<double> &scores);

} // namespace runevidence
