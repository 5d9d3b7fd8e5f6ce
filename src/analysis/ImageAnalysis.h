// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "OwnContainer.h"
#include "base/Outcome.h"

#include <QString>

#include <optional>

// How much a bitmap's pixel bytes give away of hidden data, from the image
// alone: no password, only the pixels.
//
// First the certain signs: row fill bytes that are not zero (pictures have
// none) and a container of this program's stored format, whose unscrambled
// header and records anyone with this program can read.
//
// Then the statistics. Hidden bits are written into the lowest bits of the
// pixel bytes in order from the first one, so a run of them starts at the
// beginning. The pixel area is cut into windows (200 of 0.5 % each where
// the picture has the pairs for them; see RunEvidence.h for how each is
// scored); the run ends where the running sum of the scores peaks, refined
// to the hidden byte inside the window (RunEndRefinement.h). That peak, in
// units of 1 % of the area, is the evidence ("margin"): 1.0 or more, and at
// least two windows' worth, counts as hidden data present. A picture with
// too few pairs for two windows cannot be judged.
struct ImageAnalysis {
    static constexpr int MaxWindows = 200;
    // Sample pairs a window needs: fewer and one window's counts can look
    // like a run's by chance.
    static constexpr qint64 PairsPerWindow = 2048;
    static constexpr double DetectionMargin = 1.0;

    // The pixel bytes the file holds, all of them analysed; a file cut
    // short lacks missingBytes more that its header claims.
    qint64 pixelBytes = 0;
    qint64 missingBytes = 0;

    // Certain signs.
    qint64 fillBytes = 0; // row fill bytes in the file
    qint64 nonzeroFillBytes = 0;
    std::optional<OwnContainer> container;

    // Statistics.
    qint64 pairs = 0; // sample pairs: horizontal neighbours of one colour
    int windows = 0; // 0 when the picture cannot be judged
    qint64 windowBytes = 0;
    bool runFound = false;
    qint64 statisticalRunEnd = 0; // in pixel bytes; 0 when no run was found
    qint64 runEndError = 0; // its margin of error, in pixel bytes
    double margin = 0;
    // Sample pair analysis over the whole area at once: what share of the
    // pixel bytes would carry hidden bits if they were scattered over the
    // image. Clean pictures reach 0.15 and more, and it says nothing about
    // a run from the start, so it stays out of the verdict.
    double wholeImageRate = 0;
    std::optional<double> wholeImageRateError; // its standard error, from the windows
    // Calibrated HCF-COM over the whole area (see HcfCom.h): near 1 for
    // photographs, lower the more pixel bytes were changed by one. None for
    // a picture of fewer than 2 rows or 4 columns.
    std::optional<double> hcfComRatio;
    QString verdict; // one paragraph, in plain words

    bool judged() const { return windows > 0; }
    bool certain() const { return container.has_value() || nonzeroFillBytes > 0; }
    bool detected() const { return certain() || runFound; }
    // The end of the hidden run: the container's where there is one, else
    // the statistics'.
    qint64 runEnd() const;
    // Sets verdict from the rest.
    void writeVerdict();
};

// Analyses the bitmap at path, reading its pixel bytes once, and those
// around a run's end once more.
Outcome analyseImage(const QString &path, ImageAnalysis *analysis);
