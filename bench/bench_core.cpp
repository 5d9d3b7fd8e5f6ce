// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Speed of the hidden stream, the scrambling, the file table and the bitmap
// file, each beside a baseline measured in the same run: memcpy of the same
// bytes, or a plain read and write of the same file. Compare the ratios, not
// the times.

#include "HiddenStream.h"
#include "InMemoryContainer.h"
#include "bitmap/Carrier.h"
#include "bitmap/PlainBitmap.h"
#include "container/ContainerHeader.h"
#include "container/DatFile.h"
#include "container/Scrambler.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstring>

namespace {

constexpr qint32 Width = 6000;
constexpr qint32 Height = 4000;
constexpr qint64 PixelBytes = qint64(Width) * Height * 3; // 72 MB
constexpr qint64 HiddenBytes = PixelBytes / 8; // 9 MB

QByteArray filled(qint64 size, char seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    std::uint32_t x = static_cast<unsigned char>(seed) + 1;
    for (char &c : bytes) {
        x = x * 1664525u + 1013904223u;
        c = static_cast<char>(x >> 24);
    }
    return bytes;
}

QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}

// A 6000 x 4000 bitmap on disk, made once.
QString bitmapPath()
{
    static const QString path = [] {
        const QString p = scratch().filePath("large.bmp");
        const QByteArray pixels = filled(PixelBytes, 1);
        const PlainBitmap bitmap {Width, Height};
        const Outcome written = bitmap.write(p, [&pixels](qint32 y, char *bgr) {
            std::memcpy(bgr, pixels.constData() + qint64(y) * Width * 3, Width * 3);
        });
        if (!written)
            qFatal("cannot write the benchmark bitmap");
        return p;
    }();
    return path;
}

void BM_MemcpyPixelArea(benchmark::State &state)
{
    const QByteArray from = filled(PixelBytes, 1);
    QByteArray to(PixelBytes, '\0');
    for (auto _ : state) {
        std::memcpy(to.data(), from.constData(), PixelBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * PixelBytes);
}
BENCHMARK(BM_MemcpyPixelArea)->Unit(benchmark::kMillisecond);

void BM_ReadHidden(benchmark::State &state)
{
    QByteArray pixels = filled(PixelBytes, 2);
    HiddenStream stream(pixels);
    QByteArray out(HiddenBytes, '\0');
    for (auto _ : state) {
        if (!stream.ReadHidden(out, HiddenBytes, 0))
            state.SkipWithError("read refused");
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * PixelBytes);
}
BENCHMARK(BM_ReadHidden)->Unit(benchmark::kMillisecond);

void BM_WriteHidden(benchmark::State &state)
{
    QByteArray pixels = filled(PixelBytes, 3);
    HiddenStream stream(pixels);
    const QByteArray in = filled(HiddenBytes, 4);
    for (auto _ : state) {
        if (!stream.WriteHidden(in, HiddenBytes, 0))
            state.SkipWithError("write refused");
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * PixelBytes);
}
BENCHMARK(BM_WriteHidden)->Unit(benchmark::kMillisecond);

void BM_MemcpyHiddenSize(benchmark::State &state)
{
    const QByteArray from = filled(HiddenBytes, 5);
    QByteArray to(HiddenBytes, '\0');
    for (auto _ : state) {
        std::memcpy(to.data(), from.constData(), HiddenBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * HiddenBytes);
}
BENCHMARK(BM_MemcpyHiddenSize)->Unit(benchmark::kMillisecond);

void BM_Scramble(benchmark::State &state)
{
    QByteArray data = filled(HiddenBytes, 6);
    for (auto _ : state) {
        Scrambler scrambler(true, "a password of some length");
        scrambler.apply(data.data(), data.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * HiddenBytes);
}
BENCHMARK(BM_Scramble)->Unit(benchmark::kMillisecond);

// A container filling the carrier: four entries, written and read back.
void BM_SaveLoadFullContainer(benchmark::State &state)
{
    const bool usePassword = state.range(0) != 0;
    const QByteArray password = "a password of some length";
    DatFile table;
    const qint64 each = (HiddenBytes - ContainerHeader::Size - 4 * DatFile::RecordSize) / 4;
    for (int i = 0; i < 4; ++i) {
        const QString path = scratch().filePath(QString("entry%1.bin").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(filled(each, char(10 + i))) != each)
            qFatal("cannot write an entry");
        f.close();
        if (!table.Inject(QString("entry%1.bin").arg(i), path))
            qFatal("cannot inject");
    }
    ContainerHeader header;
    header.startFresh();
    header.FileCount = 4;
    header.UsePassword = usePassword;
    QByteArray pixels = filled(PixelBytes, 7);
    HiddenStream stream(pixels);
    for (auto _ : state) {
        if (!saveEntries(table, stream, header, password))
            state.SkipWithError("save refused");
        DatFile back;
        benchmark::DoNotOptimize(back.Load(stream, header, password).loaded);
        for (qsizetype i = 1; i <= back.colDescriptions().count(); ++i) {
            QByteArray data;
            if (!back.readData(back.colDescriptions().item(i), &data))
                state.SkipWithError("read back refused");
        }
    }
    state.SetBytesProcessed(state.iterations() * 2 * table.ContainerSize());
}
BENCHMARK(BM_SaveLoadFullContainer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Baselines for the file round trip: read the whole bitmap and write it out
// again, plainly (over a copy) and carefully (to a new file renamed over the
// old one, which is what replacing the bitmap does).
void BM_PlainFileReadWrite(benchmark::State &state)
{
    const QString from = bitmapPath();
    const QString to = scratch().filePath("plain-copy.bmp");
    for (auto _ : state) {
        QFile in(from);
        if (!in.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        const QByteArray bytes = in.readAll();
        QFile out(to);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || out.write(bytes) != bytes.size())
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * (54 + PixelBytes));
}
BENCHMARK(BM_PlainFileReadWrite)->Unit(benchmark::kMillisecond);

void BM_SafeFileReadReplace(benchmark::State &state)
{
    const QString from = bitmapPath();
    const QString to = scratch().filePath("copy.bmp");
    for (auto _ : state) {
        QFile in(from);
        if (!in.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        const QByteArray bytes = in.readAll();
        QSaveFile out(to);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * (54 + PixelBytes));
}
BENCHMARK(BM_SafeFileReadReplace)->Unit(benchmark::kMillisecond);

// The streaming rewrite of the bitmap: with no hidden run (the kernel copies
// the file), and with a run over the whole capacity (every chunk is read,
// has bits stored and is written).
void BM_LoadSaveCarrier(benchmark::State &state)
{
    const QString path = bitmapPath();
    const QByteArray payload = filled(HiddenBytes, 8);
    HiddenRuns runs;
    if (state.range(0) != 0) {
        runs.append({0, HiddenBytes, [&payload](char *out, qint64 from, qint64 count) {
                         std::memcpy(out, payload.constData() + from, std::size_t(count));
                         return Outcome::success();
                     }});
    }
    for (auto _ : state) {
        Carrier carrier;
        if (!carrier.LoadCarrier(path) || !carrier.SaveCarrier(path, runs))
            state.SkipWithError("carrier round trip failed");
    }
    state.SetBytesProcessed(state.iterations() * (54 + PixelBytes));
}
BENCHMARK(BM_LoadSaveCarrier)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
