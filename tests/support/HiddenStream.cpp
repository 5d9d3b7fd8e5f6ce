// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "HiddenStream.h"

#include "bitmap/BitPlane.h"

#include <QCoreApplication>

qint32 HiddenStream::Capacity() const
{
    return static_cast<qint32>(qMin<qint64>(m_pixels.size() / 8, INT32_MAX));
}

Outcome HiddenStream::ReadHidden(char *buffer, qint64 count, qint64 start) const
{
    if (Outcome run = checkRun(count, start); !run)
        return run;
    const auto *planes = reinterpret_cast<const std::uint8_t *>(m_pixels.constData());
    BitPlane::gather(planes + 8 * start, reinterpret_cast<std::uint8_t *>(buffer),
        static_cast<std::size_t>(count));
    return Outcome::success();
}

Outcome HiddenStream::WriteHidden(const char *buffer, qint64 count, qint64 start)
{
    if (Outcome run = checkRun(count, start); !run)
        return run;
    if (count == 0)
        return Outcome::success();
    auto *planes = reinterpret_cast<std::uint8_t *>(m_pixels.data());
    BitPlane::scatter(planes + 8 * start, reinterpret_cast<const std::uint8_t *>(buffer),
        static_cast<std::size_t>(count));
    return Outcome::success();
}

Outcome HiddenStream::WriteHidden(const QByteArray &buffer, qint64 count, qint64 start)
{
    if (count > buffer.size()) {
        return Outcome::failure(
            QCoreApplication::translate("HiddenStream", "The buffer is shorter than the run."));
    }
    return WriteHidden(buffer.constData(), count, start);
}

Outcome HiddenStream::WriteRuns(const HiddenRuns &runs)
{
    for (const HiddenRun &run : runs) {
        if (Outcome fits = checkRun(run.length, run.start); !fits)
            return fits;
    }
    QByteArray bytes;
    for (const HiddenRun &run : runs) {
        bytes.resize(run.length);
        if (Outcome filled = run.fill(bytes.data(), 0, run.length); !filled)
            return filled;
        if (Outcome written = WriteHidden(bytes, run.length, run.start); !written)
            return written;
    }
    return Outcome::success();
}
