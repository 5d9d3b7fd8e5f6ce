// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedFormat.h"

#include <cstdint>
#include <cstring>

// The Hamming code over the 31 pixel bytes of a cell: the cell carries the
// exclusive or of the numbers (1 to 31) of its odd bytes. Any five bits are
// stored by changing at most one byte by one.
namespace Syndrome {

static_assert(SealedFormat::CellBytes == 31, "the masks below are for cells of 31 bytes");

// The lowest bits of the cell's 31 bytes, byte t at bit t.
inline std::uint32_t oddBytes(const std::uint8_t *cell)
{
    std::uint32_t mask = 0;
    for (int word = 0; word < 4; ++word) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, cell + 8 * word, word < 3 ? 8 : 7);
        // Gathers bit 0 of each of the eight bytes into the top byte.
        const std::uint64_t bits = ((bytes & 0x0101010101010101ull) * 0x0102040810204080ull) >> 56;
        mask |= std::uint32_t(bits) << (8 * word);
    }
    return mask;
}

// Bit j of the syndrome is the parity of the odd bytes whose number (t + 1)
// has bit j set.
inline int of(const std::uint8_t *cell)
{
    // Byte t has the number t + 1: these masks hold, at bit t, bit j of t + 1.
    constexpr std::uint32_t Numbers[5]
        = {0x55555555u, 0x66666666u, 0x78787878u, 0x7F807F80u, 0x7FFF8000u};
    const std::uint32_t odd = oddBytes(cell);
    int syndrome = 0;
    for (int j = 0; j < 5; ++j)
        syndrome |= __builtin_parity(odd & Numbers[j]) << j;
    return syndrome;
}

// Makes the cell carry bits (0 to 31). Where a byte must change, up is
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
