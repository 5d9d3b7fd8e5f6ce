// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedFormat.h"

#include <cstdint>

// The Hamming code over the seven pixel bytes of a cell: the cell carries
// the exclusive or of the numbers (1 to 7) of its odd bytes. Any three bits
// are stored by changing at most one byte by one.
namespace Syndrome {

inline int of(const std::uint8_t *cell)
{
    int syndrome = 0;
    for (int t = 0; t < SealedFormat::CellBytes; ++t) {
        if (cell[t] & 1)
            syndrome ^= t + 1;
    }
    return syndrome;
}

// Makes the cell carry bits (0 to 7). Where a byte must change, up is
// taken when upward is set, down otherwise, but never below 0 or above 255.
// True when a byte changed.
inline bool store(std::uint8_t *cell, int bits, bool upward)
{
    const int d = of(cell) ^ bits;
    if (d == 0)
        return false;
    std::uint8_t &byte = cell[d - 1];
    if (byte == 0 || (upward && byte != 255))
        ++byte;
    else
        --byte;
    return true;
}

} // namespace Syndrome
