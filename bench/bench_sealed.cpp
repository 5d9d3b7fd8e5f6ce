// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Sealing as users run it, beside what it is measured against in the same
// run: 1 MiB sealed into a 72 MB image (6000 x 4000 pixels), against a
// plain add of the same file into the same image, and the key derivation on
// its own, and sealing with the cheapest derivation. The target: sealing
// within twice the plain add, plus the key derivation. Compare the ratios,
// not the times.

#include "bitmap/PlainBitmap.h"
#include "container/ContainerSession.h"
#include "sealed/SealedKeys.h"
#include "sealed/SealedSession.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

constexpr qint32 Width = 6000;
constexpr qint32 Height = 4000;

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// The image, and the 1 MiB file, made once.
const QString &original()
{
    static const QString path = [] {
        const QString p = scratch().filePath("original.bmp");
        QRandomGenerator rng(7);
        const PlainBitmap bitmap {Width, Height};
        if (!bitmap.write(p, [&rng](qint32, char *bgr) {
                for (qint32 i = 0; i < 3 * Width; ++i)
                    bgr[i] = char(rng.bounded(256));
            }))
            qFatal("cannot write the bitmap");
        return p;
    }();
    return path;
}

const QString &mebibyte()
{
    static const QString path = [] {
        const QString p = scratch().filePath("file.bin");
        QFile f(p);
        QByteArray bytes(1 << 20, Qt::Uninitialized);
        QRandomGenerator(8).fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write the file");
        return p;
    }();
    return path;
}

// A fresh copy of the image for each run, made outside the timing.
QString freshCopy(benchmark::State &state)
{
    state.PauseTiming();
    const QString copy = scratch().filePath("work.bmp");
    QFile::remove(copy);
    if (!QFile::copy(original(), copy))
        qFatal("cannot copy the bitmap");
    state.ResumeTiming();
    return copy;
}

void BM_PlainAdd(benchmark::State &state)
{
    for (auto _ : state) {
        const QString image = freshCopy(state);
        ContainerSession session;
        if (!session.open(image, [](QString *) { return std::optional<QByteArray>(); })
            || !session.add(mebibyte(), Holding::FromFile) || !session.writeBack(image, false, {}))
            state.SkipWithError("plain add failed");
    }
}
BENCHMARK(BM_PlainAdd)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KeyDerivation(benchmark::State &state)
{
    const SealedKeys::Salt salt = SealedKeys::freshSalt();
    for (auto _ : state)
        benchmark::DoNotOptimize(SealedKeys::derive("correct horse battery staple", salt));
}
BENCHMARK(BM_KeyDerivation)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Seal(benchmark::State &state)
{
    for (auto _ : state) {
        const QString image = freshCopy(state);
        SealedSession session;
        if (!session.startNew(image) || !session.add(mebibyte(), false)
            || !session.writeBack(image, "correct horse battery staple", {}))
            state.SkipWithError("sealing failed");
    }
}
BENCHMARK(BM_Seal)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with the cheapest key derivation: what sealing costs besides it,
// without the derivation's own spread from run to run.
void BM_SealBesidesKey(benchmark::State &state)
{
    for (auto _ : state) {
        const QString image = freshCopy(state);
        SealedSession session;
        session.setCost({1, 8192});
        if (!session.startNew(image) || !session.add(mebibyte(), false)
            || !session.writeBack(image, "correct horse battery staple", {}))
            state.SkipWithError("sealing failed");
    }
}
BENCHMARK(BM_SealBesidesKey)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
