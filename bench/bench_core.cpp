// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Speed of the hidden stream, the scrambling, and writing and reading a
// container in a bitmap file as users do, each beside a baseline measured in the same run: memcpy
// of the same bytes, or a plain read and write of the same file. Compare the ratios, not the times.

#include "HiddenStream.h"
#include "bitmap/Carrier.h"
#include "bitmap/PlainBitmap.h"
#include "container/ContainerHeader.h"
#include "container/ContainerSession.h"
#include "container/DatFile.h"
#include "container/Scrambler.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

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

const QByteArray Password = "a password of some length";

std::optional<QByteArray> givePassword(QString *)
{
    return Password;
}

// Four files that together fill the carrier with their records and the
// header, made once.
const QStringList &entryFiles()
{
    static const QStringList files = [] {
        QStringList paths;
        const qint64 each = (HiddenBytes - ContainerHeader::Size - 4 * DatFile::RecordSize) / 4;
        for (int i = 0; i < 4; ++i) {
            const QString path = scratch().filePath(QString("entry%1.bin").arg(i));
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(filled(each, char(10 + i))) != each)
                qFatal("cannot write an entry");
            paths << path;
        }
        return paths;
    }();
    return files;
}

// Opens the image at path, replaces whatever it hides by the four files
// (read as the image is written, as veldra-cli add does) and writes it
// back: a streaming copy of the whole file with 9 MB of hidden bytes.
bool fillContainer(const QString &path, bool usePassword)
{
    ContainerSession session;
    if (!session.open(path, givePassword))
        return false;
    while (session.file().colFiles().count() > 0) {
        if (!session.file().Remove(session.file().colDescriptions().item(1)))
            return false;
    }
    for (const QString &file : entryFiles()) {
        if (!session.add(file, Holding::FromFile))
            return false;
    }
    return session.writeBack(path, usePassword, usePassword ? Password : QByteArray()).ok();
}

// A copy of the 6000 x 4000 bitmap under name, made once.
QString copyOfBitmap(const QString &name)
{
    const QString path = scratch().filePath(name);
    if (!QFile::exists(path) && !QFile::copy(bitmapPath(), path))
        qFatal("cannot copy the benchmark bitmap");
    return path;
}

// A copy of the bitmap holding that container, with or without a password,
// made once for each.
QString fullContainer(bool usePassword)
{
    static QString paths[2];
    QString &path = paths[usePassword ? 1 : 0];
    if (path.isEmpty()) {
        path = copyOfBitmap(QString("full-%1.bmp").arg(usePassword ? 1 : 0));
        if (!fillContainer(path, usePassword))
            qFatal("cannot write the benchmark container");
    }
    return path;
}

// A container filling the carrier written into the image as users do: open,
// add, write back.
void BM_WriteBackFullContainer(benchmark::State &state)
{
    const bool usePassword = state.range(0) != 0;
    const QString path = copyOfBitmap(QString("write-back-%1.bmp").arg(state.range(0)));
    for (auto _ : state) {
        if (!fillContainer(path, usePassword))
            state.SkipWithError("write back failed");
    }
    state.SetBytesProcessed(state.iterations() * (54 + PixelBytes));
}
BENCHMARK(BM_WriteBackFullContainer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same container opened and every file read whole, as an extraction
// does.
void BM_OpenReadFullContainer(benchmark::State &state)
{
    const bool usePassword = state.range(0) != 0;
    const QString path = fullContainer(usePassword);
    qint64 hidden = 0;
    for (auto _ : state) {
        ContainerSession session;
        if (!session.open(path, givePassword) || session.file().colFiles().count() != 4)
            state.SkipWithError("open failed");
        const DatFile &table = session.file();
        qint64 read = 0;
        for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i) {
            const Outcome streamed = table.streamData(
                table.colDescriptions().item(i), [&read](const char *data, qint64 size) {
                    benchmark::DoNotOptimize(data[size - 1]);
                    read += size;
                    return Outcome::success();
                });
            if (!streamed)
                state.SkipWithError("read failed");
        }
        if (read != table.TotalSize())
            state.SkipWithError("not every byte was read");
        hidden = read;
    }
    state.counters["hidden_bytes"] = double(hidden);
    state.SetBytesProcessed(state.iterations() * (54 + PixelBytes));
}
BENCHMARK(BM_OpenReadFullContainer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The baseline of a load that reads every pixel byte: the whole file read
// through one buffer of the size the load reads with, as cat does. It reads
// the file the load reads: the same bytes read from the bitmap as first
// written took three times as long in one run here.
void BM_PlainFileRead(benchmark::State &state)
{
    const QByteArray from = QFile::encodeName(fullContainer(false));
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (auto _ : state) {
        const int fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            state.SkipWithError("open failed");
        qint64 total = 0;
        for (ssize_t got; (got = ::read(fd, buffer.data(), std::size_t(buffer.size()))) > 0;)
            total += got;
        ::close(fd);
        if (total != 54 + PixelBytes)
            state.SkipWithError("short read");
    }
    state.SetBytesProcessed(state.iterations() * (54 + PixelBytes));
}
BENCHMARK(BM_PlainFileRead)->Unit(benchmark::kMillisecond);

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
