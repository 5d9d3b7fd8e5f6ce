// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "PhaseBits.h"

#include "bitmap/BitPlane.h"

#include <algorithm>
#include <cstring>

void PhaseCounts::add(const PhaseCounts &other)
{
    for (std::size_t p = 0; p < 8; ++p) {
        ones[p] += other.ones[p];
        bytes[p] += other.bytes[p];
    }
}

PhaseBits::PhaseBits(qint64 rowPixels, qint64 stride, qint64 end, qint64 windowBytes)
    : m_rowPixels(rowPixels),
      m_stride(stride),
      m_end(end),
      m_windowBytes(windowBytes),
      m_windows((end + windowBytes - 1) / windowBytes)
{
}

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define VELDRA_AVX2_PHASES 1

namespace {

// The lowest bits of words 32-byte blocks from bytes on (bytes is pixel
// byte 0 mod 8) added to ones, place by place.
__attribute__((target("avx2"))) void countBlocksAvx2(
    const std::uint8_t *bytes, qint64 blocks, std::array<qint64, 8> &ones)
{
    const __m256i low = _mm256_set1_epi8(1);
    for (qint64 done = 0; done < blocks;) {
        // Each byte lane sums at most 255 bits before it is emptied.
        const qint64 batch = std::min<qint64>(255, blocks - done);
        __m256i lanes = _mm256_setzero_si256();
        for (qint64 b = 0; b < batch; ++b) {
            const __m256i v
                = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(bytes + 32 * (done + b)));
            lanes = _mm256_add_epi8(lanes, _mm256_and_si256(v, low));
        }
        alignas(32) std::uint8_t sums[32];
        _mm256_store_si256(reinterpret_cast<__m256i *>(sums), lanes);
        for (std::size_t k = 0; k < 32; ++k)
            ones[k % 8] += sums[k];
        done += batch;
    }
}

} // namespace
#endif

void PhaseBits::count(const std::uint8_t *bytes, qint64 size, qint64 index, PhaseCounts *counts)
{
    qint64 k = 0;
    for (; k < size && (index + k) % 8 != 0; ++k) {
        counts->ones[std::size_t((index + k) % 8)] += bytes[k] & 1;
        ++counts->bytes[std::size_t((index + k) % 8)];
    }
#if defined(VELDRA_AVX2_PHASES)
    if (BitPlane::wideKernels()) {
        const qint64 blocks = (size - k) / 32;
        countBlocksAvx2(bytes + k, blocks, counts->ones);
        for (qint64 &placed : counts->bytes)
            placed += 4 * blocks;
        k += 32 * blocks;
    }
#endif
    // Eight bytes a step, from a multiple of eight on: byte p of the word is
    // place p. Each lane sums at most 255 bits before it is emptied.
    constexpr std::uint64_t Lows = 0x0101010101010101ULL;
    const qint64 words = (size - k) / 8;
    for (qint64 done = 0; done < words;) {
        const qint64 batch = std::min<qint64>(255, words - done);
        std::uint64_t lanes = 0;
        for (qint64 w = 0; w < batch; ++w) {
            std::uint64_t word;
            std::memcpy(&word, bytes + k + 8 * (done + w), 8);
            lanes += word & Lows;
        }
        for (std::size_t p = 0; p < 8; ++p) {
            counts->ones[p] += qint64((lanes >> (8 * p)) & 0xFF);
            counts->bytes[p] += batch;
        }
        done += batch;
    }
    for (k += 8 * words; k < size; ++k) {
        counts->ones[std::size_t((index + k) % 8)] += bytes[k] & 1;
        ++counts->bytes[std::size_t((index + k) % 8)];
    }
}

void PhaseBits::add(const std::uint8_t *bytes, qint64 size)
{
    const qint64 start = m_received;
    const qint64 end = std::min(start + size, m_end);
    for (qint64 i = start; i < end;) {
        const qint64 rowStart = i / m_stride * m_stride;
        const qint64 pixelsEnd = std::min(end, rowStart + m_rowPixels);
        while (i < pixelsEnd) {
            const qint64 window = i / m_windowBytes;
            const qint64 next = std::min(pixelsEnd, (window + 1) * m_windowBytes);
            count(bytes + (i - start), next - i, i, &m_windows[window]);
            i = next;
        }
        i = std::max(i, std::min(end, rowStart + m_stride));
    }
    m_received = start + size;
}
