// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "Scrambler.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr qsizetype MinimumBlock = 4096;

void xorInto(char *data, const char *key, qsizetype count)
{
    qsizetype i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t d;
        std::uint64_t k;
        std::memcpy(&d, data + i, 8);
        std::memcpy(&k, key + i, 8);
        d ^= k;
        std::memcpy(data + i, &d, 8);
    }
    for (; i < count; ++i)
        data[i] = static_cast<char>(data[i] ^ key[i]);
}

} // namespace

Scrambler::Scrambler(bool usePassword, const QByteArray &password)
{
    if (!usePassword || password.isEmpty())
        return;
    const qsizetype repeats = (MinimumBlock + password.size() - 1) / password.size();
    m_block = password.repeated(repeats);
    m_length = password.size();
}

void Scrambler::seek(qint64 keyPosition)
{
    if (isActive())
        m_position = static_cast<qsizetype>(keyPosition % m_length);
}

void Scrambler::apply(char *data, qint64 count)
{
    if (!isActive())
        return;
    const qsizetype blockSize = m_block.size();
    while (count > 0) {
        const qsizetype run = static_cast<qsizetype>(qMin<qint64>(count, blockSize - m_position));
        xorInto(data, m_block.constData() + m_position, run);
        data += run;
        count -= run;
        m_position = (m_position + run) % blockSize;
    }
}
