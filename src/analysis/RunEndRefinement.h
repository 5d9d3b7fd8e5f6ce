// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QtGlobal>

#include <cstdint>

// A run's end found on the window grid, refined to the hidden byte from the
// pixel bytes around it.
//
// The window before the one the grid ended the run in is taken as inside
// the run, and the window after the next as outside it. From those two,
// each pixel byte's features (the class of the sample pair it closes, and
// its lowest bit by its place in a hidden byte) get a mean inside and
// outside, and a weight by how far apart they are against their spread (a
// linear discriminant). Summed from the start of the two windows between,
// the weighted features climb while inside the run and fall after it: the
// end is where the sum peaks. The margin of error reaches as far on either
// side as the sum stays within ErrorDrop of its peak.
class RunEndRefinement {
public:
    static constexpr double ErrorDrop = 4.6;
    static constexpr qint64 ErrorWidening = 4;

    // rowPixels: 3 x the width; stride: a row with its fill bytes; analysed:
    // the pixel bytes there are; windowBytes: the grid's window.
    RunEndRefinement(qint64 rowPixels, qint64 stride, qint64 analysed, qint64 windowBytes);

    // The pixel bytes refine() needs for a run the grid ends after
    // gridWindows windows; from == to when it cannot refine that end.
    struct Span {
        qint64 from = 0;
        qint64 to = 0;
    };
    Span span(qint64 gridWindows) const;

    struct End {
        qint64 end = 0; // in pixel bytes, a multiple of 8
        qint64 error = 0; // margin of error, in pixel bytes
        // -1 or 1 when the sum peaked at the first or last byte searched:
        // the end may lie a window before or after, where a search around
        // gridWindows -/+ 1 finds it.
        int edge = 0;
    };
    // The end, from bytes = the pixel bytes of span(gridWindows); without
    // them (span empty), the grid's end with a window as margin of error.
    End refine(qint64 gridWindows, const std::uint8_t *bytes) const;

private:
    qint64 m_rowPixels;
    qint64 m_stride;
    qint64 m_analysed;
    qint64 m_windowBytes;
};
