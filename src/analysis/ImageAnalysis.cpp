// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ImageAnalysis.h"

#include "HcfCom.h"
#include "SamplePairs.h"
#include "WindowedPairs.h"
#include "bitmap/Carrier.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

// This file's texts, translated under the context "ImageAnalysis".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(ImageAnalysis)
};

// Pixel bytes are read this many at a time, whatever the length of a row.
constexpr qint64 ReadBlock = 1 << 20;

QString percent(double share)
{
    return QString::number(100.0 * share, 'f', 1);
}

QString verdictOf(const ImageAnalysis &a)
{
    const QString evidence = QString::number(a.margin, 'f', 2);
    QString text;
    if (a.analysedBytes == 0 && a.missingBytes > 0) {
        text = Texts::tr("The file is cut short: it holds none of its %1 pixel bytes, so there is "
                         "nothing to analyse.")
                   .arg(a.pixelBytes)
            + QLatin1Char(' ');
    } else if (a.missingBytes > 0) {
        text = Texts::tr("The file is cut short: %1 of its %2 pixel bytes are missing, so only the "
                         "first %3 were analysed.")
                   .arg(a.missingBytes)
                   .arg(a.pixelBytes)
                   .arg(a.analysedBytes)
            + QLatin1Char(' ');
    }
    if (a.detected) {
        text += Texts::tr(
            "Hidden data are likely: the lowest bits look random over the first %1 % of "
            "the pixel bytes (evidence %2; 1.0 counts as present).")
                    .arg(percent(double(a.runEnd) / double(a.pixelBytes)), evidence);
    } else {
        text += Texts::tr(
            "No run of hidden data from the first pixel byte shows (evidence %1, below "
            "1.0).")
                    .arg(evidence);
    }
    if (a.nonzeroFillBytes > 0) {
        text += QLatin1Char(' ')
            + Texts::tr(
                "Row fill bytes that are not zero: %1. Plain pictures have none: something was "
                "written into them.")
                  .arg(a.nonzeroFillBytes);
    }
    return text;
}

} // namespace

void ImageAnalysis::findRun(const QList<double> &rates, qint64 windowBytes)
{
    double sum = 0;
    double peak = 0;
    qsizetype peakAt = 0;
    for (qsizetype k = 0; k < rates.size(); ++k) {
        sum += rates[k] - 0.5;
        if (sum > peak) {
            peak = sum;
            peakAt = k + 1;
        }
    }
    margin = analysedBytes > 0 ? peak * double(windowBytes) / double(analysedBytes) * 100.0 : 0.0;
    detected = margin >= DetectionMargin;
    runEnd = detected ? std::min(analysedBytes, qint64(peakAt) * windowBytes) : 0;
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
    result.pixelBytes = area;
    // Bytes past the end of the file would read as zeros, which are no
    // evidence of anything: only what the file holds is read and analysed.
    const qint64 held = std::max<qint64>(0, carrier.identity().size - carrier.pixelOffset());
    result.analysedBytes = std::min(area, held);
    result.missingBytes = area - result.analysedBytes;
    const qint64 windowBytes = std::max<qint64>(
        1, (result.analysedBytes + ImageAnalysis::Windows - 1) / ImageAnalysis::Windows);
    WindowedPairs pairs(rowPixels, stride, result.analysedBytes, windowBytes);

    const qint64 total = std::min(stride * height, held);
    CalibratedAdjacency adjacency(width, stride, height, total);
    QByteArray block(static_cast<qsizetype>(std::min(ReadBlock, total)), Qt::Uninitialized);
    for (qint64 offset = 0; offset < total; offset += block.size()) {
        const qint64 size = std::min<qint64>(block.size(), total - offset);
        if (Outcome read = carrier.readPixels(block.data(), offset, size); !read)
            return read;
        const auto *bytes = reinterpret_cast<const std::uint8_t *>(block.constData());
        pairs.add(bytes, size);
        adjacency.add(bytes, size);
    }
    result.fillBytes = pairs.fillBytes();
    result.nonzeroFillBytes = pairs.nonzeroFillBytes();

    QList<double> rates;
    SamplePairCounts all;
    for (const SamplePairCounts &counts : pairs.windows()) {
        rates.append(counts.rate());
        all.add(counts);
    }
    result.findRun(rates, windowBytes);
    result.wholeImageRate = all.rate();
    result.hcfComRatio = hcfcom::ratio(adjacency);
    result.verdict = verdictOf(result);
    *analysis = result;
    return Outcome::success();
}
