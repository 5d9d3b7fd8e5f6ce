// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "base/Outcome.h"

#include <QByteArray>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// Bytes 0 .. total of a source, in blocks of blockSize, read on a thread of
// its own one block ahead of the caller: while the caller counts one block,
// the next is read. Two blocks of memory, whatever the total.
class ReadAhead {
public:
    // read(out, offset, size) fills out with size bytes from offset.
    using Read = std::function<Outcome(char *out, qint64 offset, qint64 size)>;

    ReadAhead(Read read, qint64 total, qint64 blockSize);
    ~ReadAhead();
    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    // The next block: its bytes and size (0 after the last block), valid
    // until the next call; fails when reading it failed.
    Outcome next(const std::uint8_t **bytes, qint64 *size);

private:
    struct Slot {
        QByteArray bytes;
        qint64 size = 0;
        bool full = false;
        Outcome read = Outcome::success();
    };

    void run();

    Read m_read;
    qint64 m_total;
    qint64 m_blockSize;
    std::array<Slot, 2> m_slots;
    qint64 m_taken = 0; // blocks handed to the caller
    bool m_stop = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread m_thread;
};
