// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "WindowedPairs.h"

#include <algorithm>
#include <cstring>

WindowedPairs::WindowedPairs(qint64 rowPixels, qint64 stride, qint64 pairEnd, qint64 windowBytes)
    : m_rowPixels(rowPixels),
      m_stride(stride),
      m_pairEnd(pairEnd),
      m_windowBytes(windowBytes),
      m_windows((pairEnd + windowBytes - 1) / windowBytes)
{
}

void WindowedPairs::add(const std::uint8_t *bytes, qint64 size)
{
    const qint64 start = m_received;
    const qint64 end = start + size;
    // Pairs whose first byte came with earlier pieces: the kept tail joined
    // to the start of this one.
    const qint64 kept = std::min<qint64>(3, start);
    std::array<std::uint8_t, 6> joined {};
    std::memcpy(joined.data(), m_tail.data() + 3 - kept, std::size_t(kept));
    const qint64 taken = std::min<qint64>(3, size);
    std::memcpy(joined.data() + kept, bytes, std::size_t(taken));
    countPairs(joined.data(), start - kept, start - kept, std::min(start, end - 3));
    countPairs(bytes, start, start, end - 3);
    countFill(bytes, start, end);

    // Keep the last three bytes received.
    if (size >= 3) {
        std::memcpy(m_tail.data(), bytes + size - 3, 3);
    } else {
        const qint64 keep = std::min<qint64>(3, kept + taken);
        std::memcpy(
            m_tail.data() + 3 - keep, joined.data() + kept + taken - keep, std::size_t(keep));
    }
    m_received = end;
}

void WindowedPairs::countPairs(const std::uint8_t *bytes, qint64 base, qint64 from, qint64 to)
{
    to = std::min(to, m_pairEnd - 3);
    for (qint64 i = from; i < to;) {
        const qint64 rowStart = i / m_stride * m_stride;
        // First bytes of pairs inside this row's pixels and below pairEnd.
        const qint64 stop = std::min(to, std::min(rowStart + m_rowPixels, m_pairEnd) - 3);
        while (i < stop) {
            const qint64 window = i / m_windowBytes;
            const qint64 next = std::min(stop, (window + 1) * m_windowBytes);
            m_windows[window].addRow(bytes + (i - base), std::size_t(next - i + 3));
            i = next;
        }
        i = std::max(i, rowStart + m_stride);
    }
}

void WindowedPairs::countFill(const std::uint8_t *bytes, qint64 base, qint64 end)
{
    for (qint64 rowStart = base / m_stride * m_stride; rowStart < end; rowStart += m_stride) {
        const qint64 from = std::max(base, rowStart + m_rowPixels);
        const qint64 to = std::min(end, rowStart + m_stride);
        for (qint64 f = from; f < to; ++f) {
            ++m_fillBytes;
            m_nonzeroFillBytes += bytes[f - base] != 0;
        }
    }
}
