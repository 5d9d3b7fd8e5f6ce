// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <cstdint>
#include <cstring>

// The bit and memory primitives the stored format is defined in terms of.
// Bit numbers count from 0 (weight 1) to 7 (weight 128). The hidden stream
// itself works a word at a time (BitPlane); these single-bit forms remain
// the reference it is tested against.

namespace BitOps {

constexpr std::uint8_t BitGet(const std::uint8_t &byte, int bit)
{
    return static_cast<std::uint8_t>(byte & (1u << bit));
}

constexpr void BitSet(std::uint8_t &byte, int bit)
{
    byte = static_cast<std::uint8_t>(byte | (1u << bit));
}

constexpr void BitClr(std::uint8_t &byte, int bit)
{
    byte = static_cast<std::uint8_t>(byte & ~(1u << bit));
}

inline void MemCopy(void *destination, const void *source, std::size_t count)
{
    std::memcpy(destination, source, count);
}

} // namespace BitOps
