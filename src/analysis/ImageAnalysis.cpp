// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ImageAnalysis.h"

#include "HcfCom.h"
#include "PhaseBits.h"
#include "ReadAhead.h"
#include "RunEndRefinement.h"
#include "RunEvidence.h"
#include "SamplePairs.h"
#include "WindowedPairs.h"
#include "bitmap/Carrier.h"

#include <QList>

#include <algorithm>
#include <cmath>
#include <future>

namespace {

// Pixel bytes are read this many at a time, whatever the length of a row.
constexpr qint64 ReadBlock = 1 << 20;
// About this many pixel bytes count for HCF-COM, in pairs of rows spread
// evenly over a larger picture: its histograms cost far more a byte than the
// rest, and 4 MiB (a picture of 1.4 million pixels) fill them well.
constexpr qint64 HcfComBytes = qint64(4) << 20;

// Sample pairs in the first `held` bytes of rows of rowPixels pixel bytes.
qint64 pairsIn(qint64 held, qint64 rowPixels, qint64 stride)
{
    const qint64 perRow = std::max<qint64>(0, rowPixels - 3);
    const qint64 rest = held % stride;
    return held / stride * perRow + std::max<qint64>(0, std::min(rest, rowPixels) - 3);
}

// The run's end refined inside its window, the search moved a window at a
// time (once at most) when the end lies at its edge.
Outcome refineEnd(const Carrier &carrier, const RunEndRefinement &refinement, qint64 gridWindows,
    int windows, RunEndRefinement::End *end)
{
    QByteArray bytes;
    for (int moves = 0;; ++moves) {
        const RunEndRefinement::Span span = refinement.span(gridWindows);
        bytes.resize(span.to - span.from);
        if (span.to > span.from) {
            if (Outcome read = carrier.readPixels(bytes.data(), span.from, bytes.size()); !read)
                return read;
        }
        *end = refinement.refine(
            gridWindows, reinterpret_cast<const std::uint8_t *>(bytes.constData()));
        const qint64 next = gridWindows + end->edge;
        if (end->edge == 0 || moves == 1 || next < 2 || next > windows)
            return Outcome::success();
        gridWindows = next;
    }
}

// The statistics over the windows: the whole-image rate, the change point
// and, where a run shows, its end refined inside its window.
Outcome judgeRun(const Carrier &carrier, const QList<SamplePairCounts> &pairs,
    const QList<PhaseCounts> &phases, qint64 rowPixels, qint64 stride, ImageAnalysis *result)
{
    SamplePairCounts all;
    QList<double> scores;
    double rateSum = 0;
    double rateSquares = 0;
    for (qsizetype k = 0; k < pairs.size(); ++k) {
        all.add(pairs[k]);
        scores.append(runevidence::windowScore(pairs[k], phases[k]));
        rateSum += pairs[k].rate();
        rateSquares += pairs[k].rate() * pairs[k].rate();
    }
    result->wholeImageRate = all.rate();
    if (!result->judged())
        return Outcome::success();
    const double n = double(result->windows);
    const double variance = std::max(0.0, (rateSquares - rateSum * rateSum / n) / (n - 1));
    result->wholeImageRateError = std::sqrt(variance / n);

    const runevidence::ChangePoint run = runevidence::changePoint(scores);
    result->margin = run.peak * 100.0 / n;
    result->runFound = result->margin >= ImageAnalysis::DetectionMargin && run.peak >= 2.0;
    if (!result->runFound)
        return Outcome::success();
    const qint64 held = result->pixelBytes;
    const RunEndRefinement refinement(rowPixels, stride, held, result->windowBytes);
    RunEndRefinement::End end;
    if (Outcome refined = refineEnd(carrier, refinement, run.windows, result->windows, &end);
        !refined)
        return refined;
    result->statisticalRunEnd = end.end;
    // No end is placed closer than a sixteenth of a window, the resolution a
    // picture of this size gives.
    result->runEndError = std::max(end.error, result->windowBytes / 16);
    // However sharp the refined end, the grid may have put the run in the
    // wrong windows where its scores leave the end open over more than the
    // two windows the refinement searches.
    if (run.latest - run.earliest >= 2) {
        const qint64 earliest = run.earliest * result->windowBytes;
        const qint64 latest = std::min(held, run.latest * result->windowBytes);
        result->runEndError = std::max({result->runEndError, end.end - earliest, latest - end.end});
    }
    return Outcome::success();
}

} // namespace

qint64 ImageAnalysis::runEnd() const
{
    if (container)
        return std::min(pixelBytes, 8 * container->hiddenBytes);
    return statisticalRunEnd;
}

Outcome analyseImage(const QString &path, ImageAnalysis *analysis)
{
    Carrier carrier;
    if (Outcome loaded = carrier.LoadCarrier(path); !loaded)
        return loaded;
    carrier.finishFingerprint();
    const qint64 width = carrier.infoHeader().biWidth();
    const qint64 height = std::abs(qint64(carrier.infoHeader().biHeight()));
    const qint64 rowPixels = 3 * width;
    const qint64 stride = (rowPixels + 3) / 4 * 4;
    const qint64 area = carrier.pixelAreaSize();

    ImageAnalysis result;
    // Bytes past the end of the file would read as zeros, which are no
    // evidence of anything: only what the file holds is read and analysed.
    // The last row's fill bytes may lie past the pixel area: they are read
    // for the fill count, but carry no hidden bits.
    const qint64 inFile = std::max<qint64>(0, carrier.identity().size - carrier.pixelOffset());
    const qint64 held = std::min(inFile, area);
    result.pixelBytes = held;
    result.missingBytes = area - held;
    result.pairs = pairsIn(held, rowPixels, stride);
    const qint64 windows
        = std::min<qint64>(ImageAnalysis::MaxWindows, result.pairs / ImageAnalysis::PairsPerWindow);
    result.windows = windows >= 2 ? int(windows) : 0;
    result.windowBytes
        = result.judged() ? (held + windows - 1) / windows : std::max<qint64>(1, held);
    WindowedPairs pairs(rowPixels, stride, held, result.windowBytes);
    PhaseBits phases(rowPixels, stride, held, result.windowBytes);

    const qint64 total = std::min(stride * height, inFile);
    const qint64 rowPairs = std::max<qint64>(1, total / std::max<qint64>(1, 2 * stride));
    const qint64 sampledPairs = std::max<qint64>(1, HcfComBytes / std::max<qint64>(1, 2 * stride));
    CalibratedAdjacency adjacency(width, stride, height, total,
        CalibratedAdjacency::DefaultPairedRowLimit, (rowPairs + sampledPairs - 1) / sampledPairs);
    // Each block goes into the HCF-COM histograms on the reading thread, and
    // into the windows here while the next is read.
    ReadAhead blocks(
        [&](char *out, qint64 offset, qint64 size) {
            Outcome read = carrier.readPixels(out, offset, size);
            if (read)
                adjacency.add(reinterpret_cast<const std::uint8_t *>(out), size);
            return read;
        },
        total, ReadBlock);
    for (;;) {
        const std::uint8_t *bytes = nullptr;
        qint64 size = 0;
        if (Outcome read = blocks.next(&bytes, &size); !read)
            return read;
        if (size == 0)
            break;
        pairs.add(bytes, size);
        phases.add(bytes, size);
    }
    // HCF-COM's transforms take a few milliseconds: beside the rest.
    std::future<std::optional<double>> hcfCom
        = std::async(std::launch::async, [&adjacency] { return hcfcom::ratio(adjacency); });
    result.fillBytes = pairs.fillBytes();
    result.nonzeroFillBytes = pairs.nonzeroFillBytes();
    result.container = OwnContainer::find(carrier);

    if (Outcome judged
        = judgeRun(carrier, pairs.windows(), phases.windows(), rowPixels, stride, &result);
        !judged)
        return judged;
    result.hcfComRatio = hcfCom.get();
    result.writeVerdict();
    *analysis = result;
    return Outcome::success();
}
