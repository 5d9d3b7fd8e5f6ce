// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ImageAnalysis.h"

#include "SamplePairs.h"
#include "carrier/Carrier.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ImageAnalysis", text);
}

// Rows are read this many bytes at a time, at least one row.
constexpr qint64 ReadBlock = 1 << 20;

QString percent(double share)
{
    return QString::number(100.0 * share, 'f', 1);
}

QString verdictOf(const ImageAnalysis &a)
{
    const QString evidence = QString::number(a.margin, 'f', 2);
    QString text;
    if (a.detected) {
        text = tr("Hidden data are likely: the lowest bits look random over the first %1 % of "
                  "the pixel bytes (evidence %2; 1.0 counts as present).")
                   .arg(percent(double(a.runEnd) / double(a.pixelBytes)), evidence);
    } else {
        text = tr("No run of hidden data from the first pixel byte shows (evidence %1, below "
                  "1.0).")
                   .arg(evidence);
    }
    if (a.nonzeroFillBytes > 0) {
        text += QLatin1Char(' ')
            + tr("%1 row fill bytes are not zero, which plain pictures never have: something "
                 "was written into them.")
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
    margin = pixelBytes > 0 ? peak * double(windowBytes) / double(pixelBytes) * 100.0 : 0.0;
    detected = margin >= DetectionMargin;
    runEnd = detected ? std::min(pixelBytes, qint64(peakAt) * windowBytes) : 0;
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
    const qint64 windowBytes
        = std::max<qint64>(1, (area + ImageAnalysis::Windows - 1) / ImageAnalysis::Windows);
    QList<SamplePairCounts> windows((area + windowBytes - 1) / windowBytes);

    const qint64 rowsPerBlock = std::max<qint64>(1, ReadBlock / stride);
    QByteArray block(static_cast<qsizetype>(rowsPerBlock * stride), Qt::Uninitialized);
    for (qint64 first = 0; first < height; first += rowsPerBlock) {
        const qint64 rows = std::min(rowsPerBlock, height - first);
        if (Outcome read = carrier.readPixels(block.data(), first * stride, rows * stride); !read)
            return read;
        for (qint64 r = 0; r < rows; ++r) {
            const qint64 rowStart = (first + r) * stride;
            const auto *row
                = reinterpret_cast<const std::uint8_t *>(block.constData()) + r * stride;
            // Pairs (i, i + 3) of one row, both bytes inside the area; each
            // counts in the window its first byte falls in.
            const qint64 end = std::min(rowStart + rowPixels, area) - 3;
            for (qint64 i = rowStart; i < end;) {
                const qint64 window = i / windowBytes;
                const qint64 stop = std::min(end, (window + 1) * windowBytes);
                windows[window].addRow(row + (i - rowStart), std::size_t(stop - i + 3));
                i = stop;
            }
            for (qint64 f = rowPixels; f < stride; ++f) {
                ++result.fillBytes;
                result.nonzeroFillBytes += row[f] != 0;
            }
        }
    }

    QList<double> rates;
    SamplePairCounts all;
    for (const SamplePairCounts &counts : std::as_const(windows)) {
        rates.append(counts.rate());
        all.add(counts);
    }
    result.findRun(rates, windowBytes);
    result.wholeImageRate = all.rate();
    result.verdict = verdictOf(result);
    *analysis = result;
    return Outcome::success();
}
