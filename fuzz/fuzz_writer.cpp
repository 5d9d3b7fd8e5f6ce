// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Holds the streaming writer (Carrier::SaveCarrier) to the whole-buffer
// hidden stream: an arbitrary bitmap of any kind the loader takes, arbitrary
// runs and an arbitrary chunk size; the file written must be the loaded one,
// made whole where it was cut short, with the runs stored into its pixel
// bytes by HiddenStream, byte for byte. Runs that do not fit are refused
// with nothing written.

#include "FuzzSupport.h"
#include "HiddenStream.h"
#include "bitmap/Carrier.h"

#include <memory>

using namespace Fuzz;

namespace {

// Runs over the capacity with arbitrary gaps, lengths and bytes; the bytes
// are kept in store, which must outlive the runs. Every call of a run's fill
// must ask for bytes inside the run.
HiddenRuns arbitraryRuns(Input &in, qint64 capacity, std::shared_ptr<QList<QByteArray>> store)
{
    HiddenRuns runs;
    const int count = in.byte() % 12;
    qint64 at = 0;
    for (int i = 0; i < count; ++i) {
        // Small gaps and lengths mostly; sometimes one that spans the rest.
        at += in.flag() ? in.byte() % 8 : in.below(qMax<qint64>(1, capacity - at) + 1);
        qint64 length = in.flag() ? 1 + in.byte() % 16 : in.below(capacity + 2);
        if (at >= capacity)
            break;
        length = qMin(length, capacity - at);
        if (length == 0)
            continue;
        store->append(in.payload(length));
        const QByteArray *bytes = &store->constLast();
        runs.append({at, length, [bytes, length](char *out, qint64 from, qint64 n) {
                         require(from >= 0 && n > 0 && from + n <= length);
                         std::memcpy(out, bytes->constData() + from, std::size_t(n));
                         return Outcome::success();
                     }});
        at += length;
    }
    return runs;
}

qint64 arbitraryChunk(Input &in, qint64 fileSize)
{
    switch (in.byte() % 4) {
    case 0:
        return 1 + in.byte() % 16;
    case 1:
        return 1 + in.below(4096);
    case 2:
        return qMax<qint64>(1, fileSize - 8 + in.byte() % 16);
    default:
        return Carrier::DefaultChunk;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Input in(data, size);
    QTemporaryDir &dir = scratch("fuzz_writer");
    const Bitmap bitmap = arbitraryBitmap(in);
    const QString source = dir.filePath("source.bmp");
    writeFile(source, bitmap.bytes);

    Carrier carrier;
    const Outcome loaded = carrier.LoadCarrier(source);
    // Cut short before its pixels begin: there are none to write into.
    if (bitmap.pixelOffset > bitmap.bytes.size()) {
        require(loaded.kind() == Outcome::Kind::NotABitmap);
        return 0;
    }
    require(loaded.ok());
    require(carrier.pixelOffset() == bitmap.pixelOffset);
    require(carrier.pixelAreaSize() == bitmap.areaSize);
    carrier.finishFingerprint();

    auto store = std::make_shared<QList<QByteArray>>();
    store->reserve(16);
    HiddenRuns runs = arbitraryRuns(in, carrier.Capacity(), store);
    const bool overflow = in.byte() % 8 == 0;
    if (overflow) {
        // A run that ends past the capacity: the writer must refuse it.
        const qint64 start = qMax<qint64>(0, carrier.Capacity() - in.byte() % 4);
        runs.append(
            {start, carrier.Capacity() - start + 1 + in.byte() % 4, [](char *, qint64, qint64) {
                 fail(); // never asked for: the run is refused first
                 return Outcome::success();
             }});
    }
    Carrier::SaveOptions options;
    options.chunkSize = arbitraryChunk(in, bitmap.bytes.size());
    qint64 done = 0;
    qint64 announced = -1;
    options.progress = [&](qint64 now, qint64 total) {
        require(now > done && now <= total && (announced < 0 || announced == total));
        done = now;
        announced = total;
    };
    // Over the loaded file itself, or into a new one beside it.
    const QString target = in.flag() ? source : dir.filePath("target.bmp");
    QFile::remove(dir.filePath("target.bmp"));
    const Outcome saved = carrier.SaveCarrier(target, runs, options);
    if (overflow) {
        require(!saved.ok() && done == 0);
        require(target == source ? readFile(source) == bitmap.bytes : !QFile::exists(target));
        return 0;
    }
    require(saved.ok());

    // The model: the file made whole, the runs stored into its pixel area.
    QByteArray expected = bitmap.bytes;
    const qint64 whole = bitmap.pixelOffset + bitmap.areaSize;
    if (expected.size() < whole)
        expected.resize(whole, '\0');
    QByteArray pixels = expected.mid(bitmap.pixelOffset, bitmap.areaSize);
    require(HiddenStream(pixels).WriteRuns(runs).ok());
    expected.replace(bitmap.pixelOffset, pixels.size(), pixels);
    require(announced == expected.size() && done == announced);
    require(readFile(target) == expected);
    require(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size()
        == (target == source ? 1 : 2));
    return 0;
}
