// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "CalibratedAdjacency.h"

#include <array>
#include <cmath>
#include <complex>
#include <future>
#include <numbers>
#include <optional>

// Calibrated HCF-COM (Harmsen and Pearlman, 2003; the adjacency histogram
// and the calibration by a picture shrunk to half: Ker, 2005). Changing
// pixel bytes by one at random blurs a histogram of their values, which
// damps its characteristic function (the DFT) at high frequencies and so
// lowers that function's centre of mass (COM). Photographs differ in how
// much high frequency their histograms hold: the same picture shrunk by
// averaging 2 x 2 blocks, in which the changes mostly average out, is the
// yardstick. The ratio of the picture's COM to its calibration picture's
// is lower the more pixel bytes were changed.
namespace hcfcom {

using Spectrum = std::array<std::complex<double>, 256>;

// The DFT of 256 values in place (radix 2, e^(-2 pi i k n / 256)).
inline void fft256(Spectrum &a)
{
    for (std::size_t i = 1, j = 0; i < a.size(); ++i) {
        std::size_t bit = a.size() >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    static const std::array<std::complex<double>, 128> twiddles = [] {
        std::array<std::complex<double>, 128> t;
        for (std::size_t k = 0; k < t.size(); ++k)
            t[k] = std::polar(1.0, -2.0 * std::numbers::pi * double(k) / 256.0);
        return t;
    }();
    for (std::size_t len = 2; len <= a.size(); len <<= 1) {
        const std::size_t step = a.size() / len;
        for (std::size_t start = 0; start < a.size(); start += len) {
            for (std::size_t k = 0; k < len / 2; ++k) {
                const std::complex<double> u = a[start + k];
                const std::complex<double> v = a[start + k + len / 2] * twiddles[k * step];
                a[start + k] = u + v;
                a[start + k + len / 2] = u - v;
            }
        }
    }
}

// The centre of mass of the magnitude of the histogram's two-dimensional
// DFT over the frequencies (i, j), 0 <= i, j <= 128, at i + j: from 0 (only
// the constant term) up to 256. 0 for an empty histogram.
inline double centreOfMass(const AdjacencyHistogram &histogram)
{
    constexpr std::size_t Half = 129;
    // The rows' DFTs, up to frequency 128 (the rest mirrors it). The rows
    // are real: two go through one complex DFT, as its real and imaginary
    // parts, and are told apart by the symmetry of real rows' DFTs.
    std::vector<std::complex<double>> rows(256 * Half);
    Spectrum line;
    for (std::size_t r = 0; r < 256; r += 2) {
        for (std::size_t v = 0; v < 256; ++v)
            line[v] = {double(histogram[r * 256 + v]), double(histogram[(r + 1) * 256 + v])};
        fft256(line);
        for (std::size_t k = 0; k < Half; ++k) {
            const std::complex<double> z = line[k];
            const std::complex<double> mirrored = std::conj(line[(256 - k) % 256]);
            rows[r * Half + k] = 0.5 * (z + mirrored);
            rows[(r + 1) * Half + k] = std::complex<double>(0, -0.5) * (z - mirrored);
        }
    }
    double weighted = 0;
    double total = 0;
    for (std::size_t j = 0; j < Half; ++j) {
        for (std::size_t r = 0; r < 256; ++r)
            line[r] = rows[r * Half + j];
        fft256(line);
        for (std::size_t i = 0; i < Half; ++i) {
            const double magnitude = std::sqrt(std::norm(line[i]));
            weighted += double(i + j) * magnitude;
            total += magnitude;
        }
    }
    return total > 0 ? weighted / total : 0.0;
}

// The picture's COM over its calibration picture's; none when the picture
// has no pair of 2 x 2 blocks side by side (fewer than 2 rows or 4 columns)
// or the calibration's COM is 0 (a flat histogram).
inline std::optional<double> ratio(const CalibratedAdjacency &adjacency)
{
    // The two transforms take a few milliseconds each: side by side.
    std::future<double> image
        = std::async(std::launch::async, [&adjacency] { return centreOfMass(adjacency.image()); });
    const double calibration = centreOfMass(adjacency.calibration());
    const double imageCentre = image.get();
    if (calibration <= 0)
        return std::nullopt;
    return imageCentre / calibration;
}

} // namespace hcfcom
