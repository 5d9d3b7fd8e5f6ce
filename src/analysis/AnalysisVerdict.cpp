// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ImageAnalysis.h"

#include "base/ByteCount.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// This file's texts, translated under the context "ImageAnalysis".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(ImageAnalysis)
};

QString percentOf(qint64 part, qint64 whole)
{
    return QString::number(whole > 0 ? 100.0 * double(part) / double(whole) : 0.0, 'f', 2);
}

// The same, with at least one significant digit below 0.01 %.
QString errorPercentOf(qint64 part, qint64 whole)
{
    const double share = whole > 0 ? 100.0 * double(part) / double(whole) : 0.0;
    return share >= 0.01 || share == 0 ? QString::number(share, 'f', 2)
                                       : QString::number(share, 'g', 1);
}

QString filesText(qint32 count)
{
    if (count <= 0)
        return Texts::tr("no files");
    return count == 1 ? Texts::tr("1 file") : Texts::tr("%1 files").arg(count);
}

QString cutShortText(const ImageAnalysis &a)
{
    const qint64 claimed = a.pixelBytes + a.missingBytes;
    if (a.pixelBytes == 0) {
        return Texts::tr("The file is cut short: it holds none of the %1 pixel bytes its header "
                         "claims, so there is nothing to analyse.")
            .arg(claimed);
    }
    return Texts::tr("The file is cut short: it holds %1 of the %2 pixel bytes its header claims, "
                     "and only those were analysed.")
        .arg(a.pixelBytes)
        .arg(claimed);
}

QString containerText(const OwnContainer &c, qint64 pixelBytes)
{
    QString text = Texts::tr("Hidden data are certain: the image holds a container of this "
                             "program's stored format (%1 in %2 hidden bytes, over the first %3 % "
                             "of the pixel bytes), whose file names and sizes anyone with this "
                             "program can read.")
                       .arg(filesText(c.announced), QString::number(c.hiddenBytes),
                           percentOf(std::min(pixelBytes, 8 * c.hiddenBytes), pixelBytes));
    if (c.readable < c.announced)
        text += QLatin1Char(' ')
            + Texts::tr("Only %1 of its records could be read.").arg(c.readable);
    text += QLatin1Char(' ')
        + (c.password ? Texts::tr("A password protects the files' data.")
                      : Texts::tr("No password protects the files' data: anyone can read them."));
    return text;
}

QString statisticsText(const ImageAnalysis &a)
{
    if (!a.judged()) {
        if (a.pairs == 0) {
            return Texts::tr("The pixels cannot be judged: the picture has no two pixels side by "
                             "side, and the statistics compare neighbours.");
        }
        return Texts::tr("The pixels cannot be judged: the picture has %1 pairs of neighbouring "
                         "pixel bytes, and the statistics need at least %2.")
            .arg(a.pairs)
            .arg(2 * ImageAnalysis::PairsPerWindow);
    }
    const QString evidence = QString::number(a.margin, 'f', 2);
    QString text;
    if (a.runFound) {
        const QString share = percentOf(a.statisticalRunEnd, a.pixelBytes);
        const QString error = errorPercentOf(a.runEndError, a.pixelBytes);
        text = a.certain()
            ? Texts::tr("The statistics see the run too: over the first %1 % of the pixel bytes, "
                        "give or take %2 % (evidence %3; 1.0 counts as present).")
                  .arg(share, error, evidence)
            : Texts::tr("Hidden data are likely: the lowest bits look like hidden data over the "
                        "first %1 % of the pixel bytes, give or take %2 % (evidence %3; 1.0 "
                        "counts as present).")
                  .arg(share, error, evidence);
    } else {
        text = a.certain()
            ? Texts::tr("The statistics see no run from the first pixel byte (evidence %1, "
                        "below 1.0).")
                  .arg(evidence)
            : Texts::tr("No run of hidden data from the first pixel byte shows (evidence %1, "
                        "below 1.0).")
                  .arg(evidence);
    }
    // A run must cover two windows to count; windows are larger than 0.5 %
    // of the area in a small picture.
    if (a.windows < ImageAnalysis::MaxWindows) {
        text += QLatin1Char(' ')
            + Texts::tr("In a picture this small, a run shorter than %1 % of the pixel bytes "
                        "cannot be seen.")
                  .arg(QString::number(std::max(1.0, 200.0 / a.windows), 'f', 1));
    }
    return text;
}

} // namespace

void ImageAnalysis::writeVerdict()
{
    QStringList parts;
    if (missingBytes > 0)
        parts << cutShortText(*this);
    if (container)
        parts << containerText(*container, pixelBytes);
    if (nonzeroFillBytes > 0) {
        parts << Texts::tr("Hidden data are certain: %1 of the %2 row fill bytes are not zero. "
                           "Pictures have none: something was written into them.")
                     .arg(nonzeroFillBytes)
                     .arg(fillBytes);
    }
    if (pixelBytes > 0)
        parts << statisticsText(*this);
    verdict = parts.join(QLatin1Char(' '));
}
