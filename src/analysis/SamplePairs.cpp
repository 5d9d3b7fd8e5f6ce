// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SamplePairs.h"

#include "bitmap/BitPlane.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// The class of every pair of byte values, indexed by u * 256 + v.
const std::array<std::uint8_t, 65536> &classTable()
{
    static const std::array<std::uint8_t, 65536> table = [] {
        std::array<std::uint8_t, 65536> t {};
        for (int u = 0; u < 256; ++u) {
            for (int v = 0; v < 256; ++v) {
                const int d = std::abs(u - v);
                const int m = std::abs(u / 2 - v / 2);
                std::uint8_t c = PairOther;
                if (d == 0)
                    c = PairZ;
                else if (d % 2 == 1 && m == (d + 1) / 2)
                    c = PairX;
                else if (d == 1 && m == 0)
                    c = PairW;
                else if (d % 2 == 1)
                    c = PairV;
                t[std::size_t(u) * 256 + std::size_t(v)] = c;
            }
        }
        return t;
    }();
    return table;
}

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VELDRA_AVX2_PAIRS 1

// Thirty-two pairs a step. With d = |u - v| odd, one of the two is odd: the
// pair is X when the larger is even (its upper seven bits differ by
// (d + 1) / 2), else W (d = 1) or V. Each class is counted in byte lanes (a
// mask is -1 where a pair belongs), emptied into the totals every 255
// steps. Gives the number of pairs counted.
__attribute__((target("avx2"))) std::size_t addRowAvx2(
    const std::uint8_t *bytes, std::size_t pairs, qint64 *z, qint64 *x, qint64 *w, qint64 *v)
{
    const __m256i one = _mm256_set1_epi8(1);
    const __m256i zero = _mm256_setzero_si256();
    // Adds the sum of a lane counter's 32 bytes to *to.
#define VELDRA_ADD_TOTAL(lanes, to)                                                                \
    do {                                                                                           \
        alignas(32) std::uint64_t sums[4];                                                         \
        _mm256_store_si256(reinterpret_cast<__m256i *>(sums), _mm256_sad_epu8(lanes, zero));       \
        *(to) += qint64(sums[0] + sums[1] + sums[2] + sums[3]);                                    \
    } while (false)
    const std::size_t steps = pairs / 32;
    for (std::size_t done = 0; done < steps;) {
        const std::size_t batch = std::min<std::size_t>(255, steps - done);
        __m256i cz = zero, cx = zero, cw = zero, cv = zero;
        for (std::size_t s = done; s < done + batch; ++s) {
            const std::uint8_t *p = bytes + 32 * s;
            const __m256i u = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p));
            const __m256i t = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 3));
            const __m256i larger = _mm256_max_epu8(u, t);
            const __m256i d = _mm256_sub_epi8(larger, _mm256_min_epu8(u, t));
            const __m256i odd = _mm256_cmpeq_epi8(_mm256_and_si256(d, one), one);
            const __m256i largerOdd = _mm256_cmpeq_epi8(_mm256_and_si256(larger, one), one);
            const __m256i isX = _mm256_andnot_si256(largerOdd, odd);
            const __m256i dOne = _mm256_cmpeq_epi8(d, one);
            const __m256i isW = _mm256_and_si256(dOne, largerOdd);
            const __m256i isV = _mm256_andnot_si256(dOne, _mm256_and_si256(odd, largerOdd));
            cz = _mm256_sub_epi8(cz, _mm256_cmpeq_epi8(d, zero));
            cx = _mm256_sub_epi8(cx, isX);
            cw = _mm256_sub_epi8(cw, isW);
            cv = _mm256_sub_epi8(cv, isV);
        }
        VELDRA_ADD_TOTAL(cz, z);
        VELDRA_ADD_TOTAL(cx, x);
        VELDRA_ADD_TOTAL(cw, w);
        VELDRA_ADD_TOTAL(cv, v);
        done += batch;
    }
#undef VELDRA_ADD_TOTAL
    return 32 * steps;
}

#endif

} // namespace

const std::uint8_t *pairClasses()
{
    return classTable().data();
}

void SamplePairCounts::addRow(const std::uint8_t *bytes, std::size_t size)
{
#if defined(VELDRA_AVX2_PAIRS)
    if (size >= 4 && BitPlane::wideKernels()) {
        const std::size_t done = addRowAvx2(bytes, size - 3, &z, &x, &w, &v);
        bytes += done;
        size -= done;
    }
#endif
    if (size < 4)
        return;
    const std::uint8_t *table = pairClasses();
    // Four sets of counters, so that neighbouring pairs of one class do not
    // wait for each other's increments.
    qint64 counts[4][5] = {};
    const std::size_t pairs = size - 3;
    std::size_t i = 0;
    for (; i + 4 <= pairs; i += 4) {
        for (std::size_t k = 0; k < 4; ++k)
            ++counts[k][table[std::size_t(bytes[i + k]) * 256 + bytes[i + k + 3]]];
    }
    for (; i < pairs; ++i)
        ++counts[0][table[std::size_t(bytes[i]) * 256 + bytes[i + 3]]];
    for (const auto &c : counts) {
        z += c[PairZ];
        x += c[PairX];
        w += c[PairW];
        v += c[PairV];
    }
}

void SamplePairCounts::add(const SamplePairCounts &other)
{
    x += other.x;
    v += other.v;
    w += other.w;
    z += other.z;
}

double SamplePairCounts::rate() const
{
    const double a = double(z + w);
    if (a <= 0)
        return 0.0;
    const double b = double(x - v);
    const double discriminant = b * b + double(z) * double(z) - double(w) * double(w);
    const double s = (b + std::sqrt(std::max(0.0, discriminant))) / a;
    return std::clamp(1.0 - s, 0.0, 1.0);
}
