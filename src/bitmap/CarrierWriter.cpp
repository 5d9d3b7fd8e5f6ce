// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Writing a carrier: the loaded file is copied into a new one through a
// fixed buffer, and the hidden runs are stored into the lowest bits of the
// pixel bytes as they pass.

#include "BitPlane.h"
#include "Carrier.h"
#include "ImageCopy.h"
#include "io/ReadAt.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

// This file's texts, translated under the context "Carrier".
class Texts {
    Q_DECLARE_TR_FUNCTIONS(Carrier)
};

// Stores hidden bytes first .. first + count (held in bytes) into the pixel
// bytes of a chunk of the file, as far as the chunk holds them: pixel byte p
// sits at chunk[p - chunkPixel], and only pixels p0 .. p1 are in the chunk.
// Hidden byte k goes into bit 0 of pixel bytes 8k .. 8k + 7, least
// significant bit first; a chunk may begin or end inside those eight.
void storeBits(std::uint8_t *chunk, qint64 chunkPixel, qint64 p0, qint64 p1, qint64 first,
    const std::uint8_t *bytes, qint64 count)
{
    // The hidden bytes whose eight pixel bytes all lie in the chunk.
    const qint64 whole0 = std::max(first, (p0 + 7) / 8);
    const qint64 whole1 = std::min(first + count, p1 / 8);
    if (whole0 < whole1) {
        BitPlane::scatter(chunk + (8 * whole0 - chunkPixel), bytes + (whole0 - first),
            static_cast<std::size_t>(whole1 - whole0));
    }
    // At most one hidden byte at each end of the chunk is cut by it; when
    // both ends cut the same one, it is stored once.
    const qint64 cut[2] = {p0 / 8, (p1 - 1) / 8};
    for (int i = 0; i < (cut[0] == cut[1] ? 1 : 2); ++i) {
        const qint64 k = cut[i];
        if (k < first || k >= first + count || (8 * k >= p0 && 8 * k + 8 <= p1))
            continue;
        for (int j = 0; j < 8; ++j) {
            const qint64 p = 8 * k + j;
            if (p < p0 || p >= p1)
                continue;
            std::uint8_t &pixel = chunk[p - chunkPixel];
            pixel = static_cast<std::uint8_t>((pixel & 0xFE) | ((bytes[k - first] >> j) & 1));
        }
    }
}

} // namespace

Outcome Carrier::writeCopy(const QString &path, const std::function<qint64(qint64)> &pieceEnd,
    const std::function<Outcome(qint64, char *, qint64)> &change,
    const std::function<void(qint64, qint64)> &progress) const
{
    if (Outcome intact = checkIntact(); !intact)
        return intact;
    ImageCopy copy;
    copy.source = handle();
    copy.minimumLength = m_pixelOffset + m_pixelAreaSize;
    copy.pieceEnd = pieceEnd;
    copy.change = change;
    copy.progress = progress;
    return copy.writeTo(path);
}

Outcome Carrier::SaveCarrier(
    const QString &path, const HiddenRuns &runs, const SaveOptions &options) const
{
    if (!isLoaded())
        return Outcome::failure(Texts::tr("No bitmap is open."));
    for (const HiddenRun &run : runs) {
        if (Outcome fits = checkRun(run.length, run.start); !fits)
            return fits;
    }
    const int source = handle();
    if (Outcome intact = checkIntact(); !intact) {
        // Written over in place, as programs that save with "truncate and
        // write" do. The picture as it is now can carry the runs, when the
        // runs are all that is needed and the pixel area is still the same.
        const std::optional<FileIdentity> now = FileIdentity::ofDescriptor(source);
        const QByteArray held = m_fileHeader.toBytes() + m_infoHeader.raw;
        QByteArray headers(held.size(), Qt::Uninitialized);
        qint64 got = 0;
        if (options.reliance == Reliance::KeepsHiddenBits || !now || now->size != m_identity.size
            || !readAt(source, headers.data(), 0, headers.size(), &got) || got != held.size()
            || headers != held)
            return intact;
    }
    // The pixel bytes that carry hidden bits, and the first run that may
    // reach into the piece at hand or later.
    const qint64 hiddenPixels = qint64(Capacity()) * 8;
    qsizetype next = 0;
    QByteArray hidden;
    ImageCopy copy;
    copy.source = source;
    copy.minimumLength = m_pixelOffset + m_pixelAreaSize;
    const qint64 chunkSize = std::max<qint64>(1, options.chunkSize);
    copy.pieceEnd = [chunkSize](qint64 pos) {
        return pos + chunkSize;
    };
    copy.progress = options.progress;
    copy.change = [&](qint64 pos, char *bytes, qint64 n) {
        const qint64 p0 = std::clamp(pos - m_pixelOffset, qint64(0), hiddenPixels);
        const qint64 p1 = std::clamp(pos + n - m_pixelOffset, qint64(0), hiddenPixels);
        const qint64 h0 = p0 / 8;
        const qint64 h1 = (p1 + 7) / 8;
        while (next < runs.size() && runs[next].start + runs[next].length <= h0)
            ++next;
        for (qsizetype r = next; p0 < p1 && r < runs.size() && runs[r].start < h1; ++r) {
            const HiddenRun &run = runs[r];
            const qint64 a = std::max(run.start, h0);
            const qint64 b = std::min(run.start + run.length, h1);
            if (a >= b)
                continue;
            hidden.resize(static_cast<qsizetype>(b - a));
            if (Outcome filled = run.fill(hidden.data(), a - run.start, b - a); !filled)
                return filled;
            storeBits(reinterpret_cast<std::uint8_t *>(bytes), pos - m_pixelOffset, p0, p1, a,
                reinterpret_cast<const std::uint8_t *>(hidden.constData()), b - a);
        }
        return options.alsoChange ? options.alsoChange(pos, bytes, n) : Outcome::success();
    };
    return copy.writeTo(path);
}
