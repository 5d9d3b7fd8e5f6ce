// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ReadAhead.h"

#include <algorithm>

ReadAhead::ReadAhead(Read read, qint64 total, qint64 blockSize)
    : m_read(std::move(read)),
      m_total(std::max<qint64>(0, total)),
      m_blockSize(std::max<qint64>(1, blockSize))
{
    for (Slot &slot : m_slots)
        slot.bytes.resize(static_cast<qsizetype>(std::min(m_blockSize, m_total)));
    m_thread = std::thread([this] { run(); });
}

ReadAhead::~ReadAhead()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void ReadAhead::run()
{
    for (qint64 block = 0, offset = 0; offset < m_total; ++block, offset += m_blockSize) {
        Slot &slot = m_slots[std::size_t(block % 2)];
        {
            // Wait until the caller is done with what this slot held.
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [&] { return m_stop || !slot.full; });
            if (m_stop)
                return;
        }
        const qint64 size = std::min(m_blockSize, m_total - offset);
        Outcome read = m_read(slot.bytes.data(), offset, size);
        const bool failed = !read;
        {
            const std::lock_guard lock(m_mutex);
            slot.size = size;
            slot.read = std::move(read);
            slot.full = true;
        }
        m_changed.notify_all();
        if (failed)
            return;
    }
}

Outcome ReadAhead::next(const std::uint8_t **bytes, qint64 *size)
{
    std::unique_lock lock(m_mutex);
    if (m_taken > 0) {
        // The caller is done with the block it had: the thread may refill it.
        m_slots[std::size_t((m_taken - 1) % 2)].full = false;
        m_changed.notify_all();
    }
    if (m_taken * m_blockSize >= m_total) {
        *bytes = nullptr;
        *size = 0;
        return Outcome::success();
    }
    Slot &slot = m_slots[std::size_t(m_taken % 2)];
    m_changed.wait(lock, [&] { return slot.full; });
    ++m_taken;
    *bytes = reinterpret_cast<const std::uint8_t *>(slot.bytes.constData());
    *size = slot.size;
    return slot.read;
}
