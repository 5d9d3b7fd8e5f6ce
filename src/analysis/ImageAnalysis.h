// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QList>
#include <QString>

#include <optional>

// How much a bitmap's pixel bytes give away of hidden data, from the image
// alone: no password, no container, only the pixels.
//
// The stored format writes hidden bits into the lowest bits of the pixel
// bytes in order from the first one, so a run of them starts at the
// beginning. The pixel area is cut into windows of 0.5 % each; sample pair
// analysis estimates in each window the share of pixel bytes that carry
// hidden bits (about 1 inside the run, about 0 after it); and a change-point
// rule finds where the run ends: where the running sum of (window rate
// - 0.5) peaks. That peak, in units of 1 % of the area, is the evidence
// ("margin"); 1.0 or more counts as hidden data present.
struct ImageAnalysis {
    static constexpr int Windows = 200;
    static constexpr double DetectionMargin = 1.0;

    qint64 pixelBytes = 0; // the area the hidden stream is carried in
    // A file cut short lacks the end of that area: only the pixel bytes it
    // holds are analysed, and the windows divide those.
    qint64 missingBytes = 0;
    qint64 analysedBytes = 0;
    bool detected = false;
    qint64 runEnd = 0; // estimated end of the run, in pixel bytes; 0 when none
    double margin = 0;
    qint64 fillBytes = 0; // row fill bytes in the file
    qint64 nonzeroFillBytes = 0; // plain pictures have none
    // Sample pair analysis over the whole area at once: the share of pixel
    // bytes carrying hidden bits if the bits were scattered over the image.
    // It says nothing about the length of a run from the start.
    double wholeImageRate = 0;
    // Calibrated HCF-COM over the whole area (see HcfCom.h): near 1 for
    // photographs, lower the more pixel bytes were changed by one. None for
    // a picture of fewer than 2 rows or 4 columns.
    std::optional<double> hcfComRatio;
    QString verdict; // one line, in plain words

    // The change-point rule over the rates of consecutive windows of
    // windowBytes pixel bytes each; analysedBytes must be set. Sets detected,
    // runEnd and margin.
    void findRun(const QList<double> &rates, qint64 windowBytes);
};

// Analyses the bitmap at path, reading its pixel bytes once.
Outcome analyseImage(const QString &path, ImageAnalysis *analysis);
