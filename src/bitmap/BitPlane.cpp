// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "BitPlane.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VELDRA_AVX2_DISPATCH 1
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

#if defined(VELDRA_AVX2_DISPATCH)
// Thirty-two pixel bytes a step, on processors that have AVX2; the machine
// is asked once.
bool g_wide = __builtin_cpu_supports("avx2");

bool hasAvx2()
{
    return g_wide;
}

// Moving bit 0 of each of 32 bytes to bit 7 lets movemask collect four
// hidden bytes in order.
__attribute__((target("avx2"))) std::size_t gatherAvx2(
    const std::uint8_t *planes, std::uint8_t *out, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(planes + 8 * i));
        const auto mask = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_slli_epi64(v, 7)));
        std::memcpy(out + i, &mask, 4);
    }
    return i;
}

// Each of four hidden bytes is copied to the eight lanes it fills; each lane
// keeps its own bit, which becomes bit 0 of its pixel byte.
__attribute__((target("avx2"))) std::size_t scatterAvx2(
    std::uint8_t *planes, const std::uint8_t *in, std::size_t count)
{
    const __m256i spread = _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2,
        2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3);
    const __m256i bits = _mm256_set1_epi64x(static_cast<long long>(0x8040201008040201ULL));
    const __m256i low = _mm256_set1_epi8(1);
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        std::uint32_t four;
        std::memcpy(&four, in + i, 4);
        const __m256i hidden
            = _mm256_shuffle_epi8(_mm256_set1_epi32(static_cast<int>(four)), spread);
        const __m256i set
            = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_and_si256(hidden, bits), bits), low);
        auto *p = reinterpret_cast<__m256i *>(planes + 8 * i);
        const __m256i pixels = _mm256_loadu_si256(p);
        _mm256_storeu_si256(p, _mm256_or_si256(_mm256_andnot_si256(low, pixels), set));
    }
    return i;
}
#endif

} // namespace

namespace BitPlane {

void gather(const std::uint8_t *planes, std::uint8_t *out, std::size_t count)
{
    std::size_t i = 0;
#if defined(VELDRA_AVX2_DISPATCH)
    if (hasAvx2())
        i = gatherAvx2(planes, out, count);
#endif
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

bool wideKernels()
{
#if defined(VELDRA_AVX2_DISPATCH)
    return g_wide;
#else
    return false;
#endif
}

bool useWideKernels(bool use)
{
#if defined(VELDRA_AVX2_DISPATCH)
    g_wide = use && __builtin_cpu_supports("avx2");
    return g_wide;
#else
    (void)use;
    return false;
#endif
}

void scatter(std::uint8_t *planes, const std::uint8_t *in, std::size_t count)
{
    std::size_t i = 0;
#if defined(VELDRA_AVX2_DISPATCH)
    if (hasAvx2())
        i = scatterAvx2(planes, in, count);
#endif
    for (; i < count; ++i) {
        std::uint8_t *p = planes + 8 * i;
        storeLE(p, (loadLE(p) & ~LowBits) | spreadByte(in[i]));
    }
}

} // namespace BitPlane
