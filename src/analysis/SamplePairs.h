// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstdint>

// Sample pair analysis (Dumitrescu, Wu and Wang, "Detection of LSB
// steganography via sample pair analysis", 2003): in pairs of neighbouring
// samples of a natural picture, pairs whose difference is odd are about as
// often "X" as "Y" pairs; writing random bits into the lowest bits upsets
// that balance in a way that reveals how many samples carry them.
//
// For a pair (u, v), with d = |u - v| and m = |u/2 - v/2| (halves rounded
// down, so m compares the seven upper bits):
//   Z: d = 0;  W: d = 1 and m = 0;  X: d odd and m = (d + 1) / 2;
//   V: d odd, d >= 3 and m = (d - 1) / 2  (the "Y" pairs but W).
enum PairClass : std::uint8_t { PairZ, PairX, PairW, PairV, PairOther };
// The class of every pair of byte values (u, v), at u * 256 + v; PairOther
// for an even difference of 2 or more.
const std::uint8_t *pairClasses();

struct SamplePairCounts {
    qint64 x = 0;
    qint64 v = 0;
    qint64 w = 0;
    qint64 z = 0;

    // Counts the pairs (bytes[i], bytes[i + 3]) for every i with i + 3 < size:
    // in a row of 24-bit pixels, horizontal neighbours of one colour.
    void addRow(const std::uint8_t *bytes, std::size_t size);
    void add(const SamplePairCounts &other);
    bool operator==(const SamplePairCounts &) const = default;

    // The fraction of the samples that carry hidden bits (written as random
    // bits: each such sample's lowest bit changed with probability one half),
    // from 0 to 1.
    //
    // A cover with X = Y satisfies, after hiding at rate p with s = 1 - p,
    //   (Z + W) s^2 - 2 (X - V) s - (Z - W) = 0,
    // counts taken from the picture as it is; the root near 1 gives s.
    double rate() const;
};
