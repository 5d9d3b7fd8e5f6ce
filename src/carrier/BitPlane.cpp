// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "BitPlane.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint64_t LowBits = 0x0101010101010101ULL;

std::uint64_t loadLE(const std::uint8_t *p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap64(v);
    return v;
}

void storeLE(std::uint8_t *p, std::uint64_t v)
{
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap64(v);
    std::memcpy(p, &v, sizeof v);
}

// Bit 0 of byte j of the word moves to bit j of the result. The multiplier
// shifts byte j's bit to position 56 + j; no two partial products share a
// position, so nothing carries into the top byte.
std::uint8_t gatherWord(std::uint64_t word)
{
    return static_cast<std::uint8_t>(((word & LowBits) * 0x0102040810204080ULL) >> 56);
}

// Bit j of the byte moves to bit 0 of byte j of the result: replicate the
// byte, keep bit j in byte j, then turn every non-zero byte into 1.
std::uint64_t spreadByte(std::uint8_t value)
{
    const std::uint64_t picked = (value * LowBits) & 0x8040201008040201ULL;
    return ((picked + 0x7F7F7F7F7F7F7F7FULL) >> 7) & LowBits;
}

} // namespace

namespace BitPlane {

void gather(const std::uint8_t *planes, std::uint8_t *out, std::size_t count)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    // Sixteen pixel bytes give two hidden bytes: moving bit 0 of every byte to
    // bit 7 lets movemask collect them in order.
    for (; i + 2 <= count; i += 2) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(planes + 8 * i));
        const int mask = _mm_movemask_epi8(_mm_slli_epi64(v, 7));
        out[i] = static_cast<std::uint8_t>(mask);
        out[i + 1] = static_cast<std::uint8_t>(mask >> 8);
    }
#endif
    for (; i < count; ++i)
        out[i] = gatherWord(loadLE(planes + 8 * i));
}

void scatter(std::uint8_t *planes, const std::uint8_t *in, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t *p = planes + 8 * i;
        storeLE(p, (loadLE(p) & ~LowBits) | spreadByte(in[i]));
    }
}

} // namespace BitPlane
