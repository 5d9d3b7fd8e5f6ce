// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedFormat.h"

#include <array>
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

// The syndrome of a cell whose odd bytes are odd (byte t at bit t): the
// exclusive or of their numbers t + 1, looked up eight bytes at a time.
inline int ofOddBytes(std::uint32_t odd)
{
    // Numbers[k][m]: the exclusive or of the numbers of bytes 8k .. 8k + 7
    // that m has bits set for.
    static constexpr auto Numbers = [] {
        std::array<std::array<std::uint8_t, 256>, 4> table {};
        for (int k = 0; k < 4; ++k) {
            for (int m = 0; m < 256; ++m) {
                for (int i = 0; i < 8; ++i) {
                    if (m >> i & 1)
                        table[k][m] ^= std::uint8_t(8 * k + i + 1);
                }
            }
        }
        return table;
    }();
    return Numbers[0][odd & 0xFF] ^ Numbers[1][odd >> 8 & 0xFF] ^ Numbers[2][odd >> 16 & 0xFF]
        ^ Numbers[3][odd >> 24 & 0x7F];
}

inline int of(const std::uint8_t *cell)
{
    return ofOddBytes(oddBytes(cell));
}

// Makes the cell, whose odd bytes are odd, carry bits (0 to 31). Where a
// byte must change, up is taken when upward is set, down otherwise, but
// never below 0 or above 255. True when a byte changed.
inline bool store(std::uint8_t *cell, std::uint32_t odd, int bits, bool upward)
{
    const int d = ofOddBytes(odd) ^ bits;
    if (d == 0)
        return false;
    std::uint8_t &byte = cell[d - 1];
    if (byte == 0 || (upward && byte != 255))
        ++byte;
    else
        --byte;
    return true;
}

inline bool store(std::uint8_t *cell, int bits, bool upward)
{
    return store(cell, oddBytes(cell), bits, upward);
}

} // namespace Syndrome
