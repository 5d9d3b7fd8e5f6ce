// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "HiddenStream.h"
#include "TestBitmaps.h"
#include "analysis/HcfCom.h"
#include "analysis/OwnContainer.h"
#include "analysis/PhaseBits.h"
#include "analysis/ReadAhead.h"
#include "analysis/RunEndRefinement.h"
#include "analysis/RunEvidence.h"
#include "analysis/SamplePairs.h"
#include "analysis/WindowedPairs.h"
#include "bitmap/BitPlane.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <numeric>

// "veldra-cli analyse" on photographs, through the real program: a clean
// photo shows nothing, one filled to a quarter shows where its run ends.
class TestAnalysis : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    static QJsonObject analysed(const QString &bitmap)
    {
        const Run run = cli({"analyse", bitmap, "--json"});
        if (run.status != 0)
            qFatal("analyse failed: %s", qPrintable(run.err));
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

    // A smooth picture of width x height (colours apart), each pixel byte
    // changed by one with probability rate: up at 0, down at 255, otherwise
    // up or down at random. Rows are filled with 0x5A bytes.
    static QByteArray smoothBitmap(int width, int height, double rate, quint32 seed)
    {
        QRandomGenerator rng(seed);
        const qint64 stride = (3 * width + 3) / 4 * 4;
        QByteArray pixels(stride * height, char(0x5A));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const double base
                    = 40 + 0.6 * x + 0.4 * y + 20 * std::sin(x / 13.0) * std::cos(y / 17.0);
                const double colours[3] = {base, 0.8 * base + 20, 200 - 0.5 * base};
                for (int c = 0; c < 3; ++c) {
                    int value = std::clamp(int(std::lround(colours[c])), 0, 255);
                    if (rng.generateDouble() < rate)
                        value += value == 0 ? 1 : value == 255 ? -1 : rng.bounded(2) ? 1 : -1;
                    pixels[y * stride + 3 * x + c] = char(value);
                }
            }
        }
        BitmapShape shape;
        shape.width = width;
        shape.height = height;
        return bitmapHeaders(shape, quint32(54 + pixels.size())) + pixels;
    }

private slots:
    // The pair classes as the method defines them, against the counting
    // (which takes 32 pairs a step where the processor can).
    void pairsAreCountedAsDefined()
    {
        QRandomGenerator rng(2003);
        for (int round = 0; round < 200; ++round) {
            QByteArray row = randomBytes(rng.bounded(1, 300), rng.generate());
            // Smooth stretches too, where Z, W and V pairs are common.
            for (qsizetype i = 1; i < row.size(); ++i)
                if (rng.bounded(2))
                    row[i] = char(row[i - 1] + rng.bounded(-2, 3));
            SamplePairCounts expected;
            for (qsizetype i = 0; i + 3 < row.size(); ++i) {
                const int u = quint8(row[i]);
                const int v = quint8(row[i + 3]);
                const int d = qAbs(u - v);
                const int m = qAbs(u / 2 - v / 2);
                expected.z += d == 0;
                expected.x += d % 2 == 1 && m == (d + 1) / 2;
                expected.w += d == 1 && m == 0;
                expected.v += d % 2 == 1 && d >= 3 && m == (d - 1) / 2;
            }
            SamplePairCounts counted;
            counted.addRow(
                reinterpret_cast<const std::uint8_t *>(row.constData()), std::size_t(row.size()));
            QCOMPARE(counted.z, expected.z);
            QCOMPARE(counted.x, expected.x);
            QCOMPARE(counted.w, expected.w);
            QCOMPARE(counted.v, expected.v);
        }
    }

    // Runs far longer than the 255 steps a byte lane counts before it is
    // emptied, in both counting kernels: every pair of one class, and every lowest
    // bit set, so that a lane that overflowed would show.
    void longRunsCountInFull()
    {
        // With the processor's wide kernels, and with the word-wide forms.
        for (const bool wide : {true, false}) {
            BitPlane::useWideKernels(wide);
            for (const std::uint8_t value : {std::uint8_t(0), std::uint8_t(0x55)}) {
                const std::vector<std::uint8_t> flat(100003, value);
                SamplePairCounts pairs;
                pairs.addRow(flat.data(), flat.size());
                QCOMPARE(pairs.z, qint64(flat.size() - 3)); // every pair alike
                PhaseCounts phases;
                PhaseBits::count(flat.data(), qint64(flat.size()), 5, &phases);
                const qint64 ones
                    = std::accumulate(phases.ones.begin(), phases.ones.end(), qint64(0));
                QCOMPARE(ones, value & 1 ? qint64(flat.size()) : 0);
                QCOMPARE(phases.bytes[5], qint64(flat.size() + 7) / 8);
            }
            std::vector<std::uint8_t> steps(100003);
            for (std::size_t i = 0; i < steps.size(); ++i)
                steps[i] = std::uint8_t(i / 3 % 2 ? 7 : 8); // every pair (7, 8) or (8, 7)
            SamplePairCounts pairs;
            pairs.addRow(steps.data(), steps.size());
            QCOMPARE(pairs.x + pairs.w + pairs.v + pairs.z, qint64(steps.size() - 3));
            QCOMPARE(pairs.x, qint64(steps.size() - 3)); // the larger, 8, is even
        }
        BitPlane::useWideKernels(true);
    }

    // Blocks arrive whole and in order, the last one short; a read that
    // fails ends them with its failure; nothing to read ends at once.
    void readAheadHandsOverBlocksInOrder()
    {
        QByteArray source = randomBytes(100000, 11);
        ReadAhead::Read read = [&source](char *out, qint64 offset, qint64 size) {
            std::memcpy(out, source.constData() + offset, std::size_t(size));
            return Outcome::success();
        };
        QByteArray got;
        {
            ReadAhead blocks(read, source.size(), 4096);
            for (;;) {
                const std::uint8_t *bytes = nullptr;
                qint64 size = 0;
                QVERIFY(blocks.next(&bytes, &size).ok());
                if (size == 0)
                    break;
                got.append(reinterpret_cast<const char *>(bytes), size);
            }
        }
        QCOMPARE(got, source);

        ReadAhead failing(
            [](char *, qint64 offset, qint64) {
                return offset < 8192 ? Outcome::success()
                                     : Outcome::failure(QStringLiteral("gone"));
            },
            source.size(), 4096);
        const std::uint8_t *bytes = nullptr;
        qint64 size = 0;
        QVERIFY(failing.next(&bytes, &size).ok() && failing.next(&bytes, &size).ok());
        QVERIFY(!failing.next(&bytes, &size).ok());

        ReadAhead empty(read, 0, 4096);
        QVERIFY(empty.next(&bytes, &size).ok());
        QCOMPARE(size, 0);
        // A reader given up early stops at its destructor (this test would
        // hang otherwise).
        ReadAhead abandoned(read, source.size(), 1024);
        QVERIFY(abandoned.next(&bytes, &size).ok());
    }

    // Bytes handed over in pieces of any size, shorter or longer than a row,
    // count as they do in one piece: pairs across the borders count once.
    void piecesCountAsOne()
    {
        QRandomGenerator rng(1994);
        for (int round = 0; round < 300; ++round) {
            const qint64 rowPixels = 3 * rng.bounded(1, 30);
            const qint64 stride = (rowPixels + 3) / 4 * 4;
            const QByteArray bytes = randomBytes(stride * rng.bounded(1, 40), rng.generate());
            const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
            const qint64 pairEnd = rng.bounded(bytes.size() + 1);
            const qint64 window = rng.bounded(1, 20);
            WindowedPairs whole(rowPixels, stride, pairEnd, window);
            WindowedPairs pieces(rowPixels, stride, pairEnd, window);
            whole.add(data, bytes.size());
            for (qint64 at = 0; at < bytes.size();) {
                const qint64 size = std::min<qint64>(rng.bounded(2 * stride), bytes.size() - at);
                pieces.add(data + at, size);
                at += size;
            }
            QVERIFY(pieces.windows() == whole.windows());
            QCOMPARE(pieces.fillBytes(), whole.fillBytes());
            QCOMPARE(pieces.nonzeroFillBytes(), whole.nonzeroFillBytes());

            // The lowest bits by their place in a hidden byte, fill bytes
            // left out, against their definition.
            PhaseBits phases(rowPixels, stride, pairEnd, window);
            for (qint64 at = 0; at < bytes.size();) {
                const qint64 size = std::min<qint64>(rng.bounded(2 * stride), bytes.size() - at);
                phases.add(data + at, size);
                at += size;
            }
            QList<PhaseCounts> expected((pairEnd + window - 1) / window);
            for (qint64 i = 0; i < pairEnd; ++i) {
                if (i % stride < rowPixels) {
                    expected[i / window].ones[std::size_t(i % 8)] += data[i] & 1;
                    ++expected[i / window].bytes[std::size_t(i % 8)];
                }
            }
            QVERIFY(phases.windows() == expected);
        }
    }

    // Rows longer than the memory allowed: a 70-byte file that claims one of
    // 715 million pixels, and a sparse file that holds one of 100 million.
    void longRowsInBoundedMemory()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer takes far more address space than the limit.");
#endif
        const std::pair<qint32, qint64> files[] = {{715000000, 70}, {100000000, 54 + 300000000}};
        for (const auto &[width, size] : files) {
            BitmapShape shape;
            shape.width = width;
            shape.height = 1;
            QFile file(put("long.bmp", bitmapHeaders(shape, quint32(size)) + randomBytes(16, 7)));
            QVERIFY(file.open(QIODevice::ReadWrite) && file.resize(size));
            const Run run = cli({"analyse", file.fileName(), "--json"}, {}, [] {
                const rlimit limit {256 << 20, 256 << 20};
                ::setrlimit(RLIMIT_AS, &limit);
            });
            QVERIFY2(run.status == 0, qPrintable(run.err));
            QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8())["missing_bytes"].toInteger(),
                3 * qint64(width) - (size - 54));
        }
    }

    // Crops of two photographs from scikit-image's sample data: the NASA
    // portrait of Eileen Collins (public domain) and a cup of coffee by
    // Rachel Michetti (CC0).
    void photosShowTheirHiddenRun_data()
    {
        QTest::addColumn<QString>("photo");
        QTest::newRow("astronaut") << "astronaut-crop.jpg";
        QTest::newRow("coffee") << "coffee-crop.jpg";
    }
    void photosShowTheirHiddenRun()
    {
        QFETCH(QString, photo);
        const QString bmp = path(photo + ".bmp");
        QCOMPARE(cli({"carrier", QStringLiteral(VELDRA_TEST_DATA "/") + photo, bmp}).status, 0);
        QJsonObject clean = analysed(bmp);
        QCOMPARE(clean.value("pixel_bytes").toInteger(), 320 * 240 * 3);
        QCOMPARE(clean.value("missing_bytes").toInteger(), 0);
        QCOMPARE(clean.value("detected"), QJsonValue(false));
        QCOMPARE(clean.value("run_end").toInteger(), 0);
        QVERIFY(clean.value("margin").toDouble() < 1.0);
        QCOMPARE(clean.value("nonzero_fill_bytes").toInteger(), 0);

        // A quarter of the capacity of random bytes, as a scrambled file looks,
        // added through the program: its container is found for certain,
        // and the statistics place the run's end as well.
        const qint64 payload = 320 * 240 * 3 / 8 / 4;
        QVERIFY(writeFile(path("quarter.bin"), randomBytes(payload, 25)));
        QCOMPARE(cli({"add", bmp, path("quarter.bin")}).status, 0);
        const QJsonObject filled = analysed(bmp);
        const qint64 truth = 8 * (14 + 32 + payload);
        QCOMPARE(filled.value("detected"), QJsonValue(true));
        QCOMPARE(filled.value("certain"), QJsonValue(true));
        QCOMPARE(filled.value("run_end").toInteger(), truth);
        QCOMPARE(filled["container"]["files"].toInteger(), 1);
        QCOMPARE(filled["container"]["password"], QJsonValue(false));
        QVERIFY(filled.value("margin").toDouble() > 5.0);
        QVERIFY2(qAbs(filled.value("statistical_run_end").toInteger() - truth)
                <= 320 * 240 * 3 * 15 / 10000,
            qPrintable(QString::number(filled.value("statistical_run_end").toInteger())));
        QVERIFY(filled.value("verdict").toString().startsWith("Hidden data are certain"));
        const double rate = filled.value("whole_image_rate").toDouble();
        QVERIFY2(rate > 0.1 && rate < 0.4, qPrintable(QString::number(rate)));
        QVERIFY(filled.value("whole_image_rate_error").toDouble() > 0);

        // The same file claiming twice the rows is cut short by half: the
        // figures are those of the half it holds, not diluted by zeros.
        QByteArray bytes = readFile(bmp);
        qToLittleEndian<qint32>(2 * 240, bytes.data() + 22);
        const QJsonObject cut = analysed(put("cut.bmp", bytes));
        QCOMPARE(cut.value("pixel_bytes").toInteger(), 320 * 240 * 3);
        QCOMPARE(cut.value("missing_bytes").toInteger(), 320 * 240 * 3);
        for (const char *key : {"run_end", "statistical_run_end", "margin", "whole_image_rate"})
            QCOMPARE(cut.value(key), filled.value(key));
        QVERIFY(cut.value("verdict").toString().startsWith(
            "The file is cut short: it holds 230400 of the 460800 pixel bytes"));
        QVERIFY(cli({"analyse", path("cut.bmp")}).out.contains("\nmissing bytes: 230400\n"));
    }

    // Hidden bits written straight into the lowest bits from the first pixel
    // byte, with no container: only the statistics can find them. Random
    // bytes and ASCII text (every eighth lowest bit 0), protected or not,
    // at 3 % of the capacity and at fills off the 0.5 % window grid.
    void rawRunsAreFoundAndPlaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("fill");
        QTest::newRow("random 3 %") << "random" << 3.0;
        QTest::newRow("text 3 %") << "text" << 3.0;
        QTest::newRow("protected text 3 %") << "protected" << 3.0;
        QTest::newRow("random 12.37 %") << "random" << 12.37;
        QTest::newRow("text 41.13 %") << "text" << 41.13;
    }
    void rawRunsAreFoundAndPlaced()
    {
        QFETCH(QString, kind);
        QFETCH(double, fill);
        const QString bmp = path("raw.bmp");
        QFile::remove(bmp);
        QCOMPARE(
            cli({"carrier", QStringLiteral(VELDRA_TEST_DATA "/coffee-crop.jpg"), bmp}).status, 0);
        QByteArray image = readFile(bmp);
        const qint64 area = 320 * 240 * 3;
        const qint64 count = qint64(double(area / 8) * fill / 100.0);
        QByteArray payload = randomBytes(count, 7);
        if (kind != "random") {
            const QByteArray prose = "It was a bright cold day in April, and the clocks were "
                                     "striking thirteen; the hallway smelt of boiled cabbage. ";
            const QByteArray password = "correct horse";
            for (qint64 i = 0; i < count; ++i) {
                payload[i] = prose[i % prose.size()];
                if (kind == "protected")
                    payload[i] = char(payload[i] ^ password[i % password.size()]);
            }
        }
        for (qint64 bit = 0; bit < 8 * count; ++bit) {
            char &byte = image[54 + bit];
            byte = char((byte & ~1) | ((payload[bit / 8] >> (bit % 8)) & 1));
        }
        QVERIFY(writeFile(bmp, image));
        const QJsonObject result = analysed(bmp);
        QCOMPARE(result.value("detected"), QJsonValue(true));
        QCOMPARE(result.value("certain"), QJsonValue(false));
        // From 5 % on: within 0.15 % of the area, and within the margin of
        // error it gives.
        const qint64 error = result.value("run_end").toInteger() - 8 * count;
        if (fill >= 5) {
            QVERIFY2(qAbs(error) <= area * 15 / 10000, qPrintable(QString::number(error)));
            QVERIFY2(qAbs(error) <= result.value("run_end_error").toInteger(),
                qPrintable(QString::number(error)));
        }
        QVERIFY(result.value("verdict").toString().startsWith("Hidden data are likely"));
    }

    // Dense, JPEG-compressed detail in the first rows (see data/README.md)
    // is no run of hidden data.
    void denseDetailIsNoRun()
    {
        const QString bmp = path("dense.bmp");
        QCOMPARE(
            cli({"carrier", QStringLiteral(VELDRA_TEST_DATA "/dense-detail.jpg"), bmp}).status, 0);
        const QJsonObject result = analysed(bmp);
        QCOMPARE(result.value("detected"), QJsonValue(false));
        QVERIFY2(result.value("margin").toDouble() < 0.8,
            qPrintable(result.value("verdict").toString()));
    }

    // Pictures too narrow or too small to compare neighbours say so, and a
    // small one gives the shortest run it could show.
    void smallPicturesSayWhatTheyCannotTell()
    {
        for (const int width : {1, 2}) {
            // Random pixel bytes, fill bytes 0 as in a picture.
            QByteArray image = makeBitmap(width, 400, 3);
            const qsizetype stride = (3 * width + 3) / 4 * 4;
            for (qsizetype row = 0; row < 400; ++row)
                for (qsizetype f = 3 * width; f < stride; ++f)
                    image[54 + stride * row + f] = 0;
            const QString bmp = path(QString("narrow%1.bmp").arg(width));
            QVERIFY(writeFile(bmp, image));
            const QJsonObject result = analysed(bmp);
            QCOMPARE(result.value("judged"), QJsonValue(false));
            QCOMPARE(result.value("detected"), QJsonValue(false));
            QVERIFY(result.value("verdict").toString().startsWith("The pixels cannot be judged"));
            QVERIFY(cli({"analyse", bmp}).out.contains("\nhidden run: cannot be judged\n"));
        }
        const QString small = path("small.bmp");
        QVERIFY(writeFile(small, makeBitmap(64, 48, 3)));
        const QJsonObject result = analysed(small);
        QCOMPARE(result.value("judged"), QJsonValue(true));
        QVERIFY(result.value("verdict").toString().contains(
            "In a picture this small, a run shorter than"));
    }

    // Fill bytes that are not zero give data away without statistics.
    void fillBytesAreCounted()
    {
        const QString bmp = path("fill.bmp");
        QVERIFY(writeFile(bmp, makeBitmap(101, 40, 7))); // 1 fill byte a row, random
        const QJsonObject result = analysed(bmp);
        QVERIFY(result.value("nonzero_fill_bytes").toInteger() > 30);
        QCOMPARE(result.value("detected"), QJsonValue(true));
        QCOMPARE(result.value("certain"), QJsonValue(true));
        QVERIFY(result.value("verdict").toString().startsWith("Hidden data are certain: "));
        const Run text = cli({"analyse", bmp});
        QVERIFY2(text.out.contains("row fill bytes not zero: ") && text.out.contains("\nverdict: "),
            qPrintable(text.out));
    }

    // A window's score: random lowest bits over a smooth picture and ASCII
    // text count as a run, the picture itself against it, and a window whose
    // lowest bits are all alike or whose pairs say little weighs nothing.
    void windowsAreScoredByWhatTheyHold()
    {
        const auto counts = [](const QByteArray &row) {
            SamplePairCounts pairs;
            pairs.addRow(
                reinterpret_cast<const std::uint8_t *>(row.constData()), std::size_t(row.size()));
            PhaseCounts phases;
            PhaseBits::count(
                reinterpret_cast<const std::uint8_t *>(row.constData()), row.size(), 0, &phases);
            return runevidence::windowScore(pairs, phases);
        };
        QRandomGenerator rng(17);
        QByteArray smooth(30000, 0);
        for (qsizetype i = 0; i < smooth.size(); ++i)
            smooth[i] = char(100 + 40 * std::sin(double(i) / 900.0) + rng.bounded(-1, 2));
        QByteArray random = smooth;
        QByteArray text = smooth;
        const QByteArray prose = "the quick brown fox jumps over the lazy dog, twice. ";
        for (qsizetype i = 0; i < smooth.size(); ++i) {
            random[i] = char((random[i] & ~1) | rng.bounded(2));
            const int bit = (prose[i / 8 % prose.size()] >> (i % 8)) & 1;
            text[i] = char((text[i] & ~1) | bit);
        }
        QCOMPARE(counts(smooth), -1.0);
        QCOMPARE(counts(random), 1.0);
        QCOMPARE(counts(text), 1.0);
        QCOMPARE(counts(QByteArray(30000, char(0x80))), 0.0); // flat: no pairs apart
        PhaseCounts even;
        even.bytes.fill(1000);
        QCOMPARE(runevidence::textRatio(even), 0.0); // all lowest bits 0

        // The change point, and where the sum stays within a window of it.
        const runevidence::ChangePoint sharp = runevidence::changePoint({1, 1, 1, -1, -1});
        QCOMPARE(sharp.windows, 3);
        QCOMPARE(sharp.earliest, 3);
        QCOMPARE(sharp.latest, 3);
        const runevidence::ChangePoint loose = runevidence::changePoint({1, 1, 0.5, 0.2, -1, -1});
        QCOMPARE(loose.windows, 4);
        QCOMPARE(loose.earliest, 2);
        QCOMPARE(loose.latest, 4);
        QCOMPARE(runevidence::changePoint({-1, -1}).windows, 0);
    }

    // The end refined inside its window: a smooth picture whose lowest bits
    // are random up to a byte that lies off every window border.
    void endIsRefinedInsideItsWindow()
    {
        constexpr qint64 Width = 400;
        constexpr qint64 Stride = 3 * Width;
        constexpr qint64 Window = 12000;
        QRandomGenerator rng(5);
        QByteArray pixels(Stride * 100, 0);
        for (qint64 i = 0; i < pixels.size(); ++i)
            pixels[i] = char(90 + 30 * std::sin(double(i % Stride) / 200.0) + rng.bounded(-1, 2));
        const qint64 end = 5 * Window + 4568;
        for (qint64 i = 0; i < end; ++i)
            pixels[i] = char((pixels[i] & ~1) | rng.bounded(2));
        const RunEndRefinement refinement(Stride, Stride, pixels.size(), Window);
        for (const qint64 grid : {5, 6}) {
            const RunEndRefinement::Span span = refinement.span(grid);
            const auto *bytes = reinterpret_cast<const std::uint8_t *>(pixels.constData());
            const RunEndRefinement::End found = refinement.refine(grid, bytes + span.from);
            QVERIFY2(qAbs(found.end - end) <= found.error, qPrintable(QString::number(found.end)));
            QVERIFY(found.error < Window / 10);
            QCOMPARE(found.end % 8, 0);
        }
        QCOMPARE(refinement.span(1).to, refinement.span(1).from); // no window inside
    }

    // A container of the stored format is found without its password,
    // also when some of its records cannot be read.
    void ownContainerIsFoundWithoutPassword()
    {
        QByteArray pixels(8 * 400, char(0x40));
        HiddenStream stream(pixels);
        QVERIFY(!OwnContainer::find(stream));
        QByteArray header("VLD2");
        header += QByteArray::fromHex("03000000"
                                      "00000000"
                                      "ffff");
        QByteArray record = QByteArray("notes.txt").leftJustified(28, ' ');
        record += QByteArray::fromHex("05000000");
        QByteArray damaged = QByteArray("rest").leftJustified(28, ' ');
        damaged += QByteArray::fromHex("ffffff7f"); // reaches past the image
        const QByteArray stored = header + record + "hello" + damaged;
        QVERIFY(stream.WriteHidden(stored, stored.size(), 0).ok());
        const std::optional<OwnContainer> found = OwnContainer::find(stream);
        QVERIFY(found);
        QCOMPARE(found->announced, 3);
        QCOMPARE(found->readable, 1);
        QCOMPARE(found->hiddenBytes, 14 + 32 + 5 + 32); // the damaged record read too
        QVERIFY(found->password);
    }

    // Both histograms of calibrated HCF-COM against their definition, for
    // bytes handed over in pieces of any size, files cut short anywhere and
    // rows cut by the limit of what the calibration keeps.
    void adjacencyCountedAsDefined()
    {
        QRandomGenerator rng(2005);
        for (int round = 0; round < 300; ++round) {
            const qint64 width = rng.bounded(1, 14);
            const qint64 height = rng.bounded(1, 7);
            const qint64 stride = (3 * width + 3) / 4 * 4;
            const QByteArray bytes = randomBytes(stride * height, rng.generate());
            const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData());
            const qint64 handed = rng.bounded(2) ? bytes.size() : rng.bounded(bytes.size() + 1);
            const qint64 limit
                = rng.bounded(2) ? CalibratedAdjacency::DefaultPairedRowLimit : rng.bounded(40);
            CalibratedAdjacency adjacency(width, stride, height, handed, limit);
            for (qint64 at = 0; at < handed;) {
                const qint64 size = std::min<qint64>(rng.bounded(2 * stride), handed - at);
                adjacency.add(data + at, size);
                at += size;
            }

            const auto byte = [&](qint64 row, qint64 i) {
                return data[row * stride + i];
            };
            const auto held = [&](qint64 row, qint64 i) {
                return row * stride + i < handed;
            };
            AdjacencyHistogram image(65536), calibration(65536);
            for (qint64 r = 0; r < height; ++r)
                for (qint64 i = 3; i < 3 * width; ++i)
                    image[byte(r, i - 3) * 256 + byte(r, i)] += held(r, i);
            // Block j's value in colour k of the rows 2 p and 2 p + 1.
            const auto block = [&](qint64 p, qint64 j, qint64 k) {
                const qint64 left = 6 * j + k;
                return (byte(2 * p, left) + byte(2 * p, left + 3) + byte(2 * p + 1, left)
                           + byte(2 * p + 1, left + 3) + 2)
                    / 4;
            };
            const qint64 blocks = std::min(width / 2, limit / 6);
            for (qint64 p = 0; p < height / 2; ++p)
                for (qint64 j = 1; j < blocks; ++j)
                    for (qint64 k = 0; k < 3; ++k)
                        calibration[block(p, j - 1, k) * 256 + block(p, j, k)]
                            += held(2 * p + 1, 6 * j + 3 + k);
            QVERIFY(adjacency.image() == image);
            QVERIFY(adjacency.calibration() == calibration);
        }
    }

    // Histograms whose DFT is known: one count gives a flat magnitude, whose
    // COM is the mean of i + j, 128; two counts side by side give
    // |F(i, j)| = 2 cos(pi j / 256), wherever they stand.
    void centreOfMassOfKnownHistograms()
    {
        AdjacencyHistogram one(65536);
        one[77 * 256 + 201] = 5;
        QVERIFY(qAbs(hcfcom::centreOfMass(one) - 128.0) < 1e-9);
        double weighted = 0;
        double total = 0;
        for (int j = 0; j <= 128; ++j) {
            const double magnitude = std::cos(std::numbers::pi * j / 256.0);
            weighted += j * magnitude;
            total += magnitude;
        }
        const double expected = 64.0 + weighted / total;
        for (const std::size_t at : {std::size_t(0), std::size_t(40 * 256 + 254)}) {
            AdjacencyHistogram two(65536);
            two[at] = two[at + 1] = 3;
            QVERIFY2(qAbs(hcfcom::centreOfMass(two) - expected) < 1e-9,
                qPrintable(QString::number(hcfcom::centreOfMass(two), 'g', 17)));
        }
        QCOMPARE(hcfcom::centreOfMass(AdjacencyHistogram(65536)), 0.0);
    }

    // A smooth picture with half its pixel bytes changed by one: the ratio
    // drops well below the clean picture's, through the real program.
    void changesLowerTheRatio()
    {
        const auto ratioOf = [&](const QByteArray &bitmap) {
            const QJsonValue value = analysed(put("smooth.bmp", bitmap)).value("hcf_com_ratio");
            if (!value.isDouble())
                qFatal("no hcf_com_ratio");
            return value.toDouble();
        };
        const double clean = ratioOf(smoothBitmap(161, 128, 0.0, 1));
        for (quint32 seed = 1; seed <= 3; ++seed) {
            const double changed = ratioOf(smoothBitmap(161, 128, 0.5, seed));
            QVERIFY2(changed < clean - 0.1,
                qPrintable(QStringLiteral("%1 against %2").arg(changed).arg(clean)));
        }
        QVERIFY(cli({"analyse", path("smooth.bmp")}).out.contains("\nhcf-com ratio: 0."));
        // Too narrow for two blocks side by side: no ratio.
        const QJsonObject narrow = analysed(put("narrow.bmp", makeBitmap(3, 40, 7)));
        QVERIFY(narrow.contains("hcf_com_ratio") && narrow.value("hcf_com_ratio").isNull());
    }
};

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
