// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "TestBitmaps.h"
#include "analysis/SamplePairs.h"
#include "analysis/WindowedPairs.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

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

    // Bytes handed over in pieces of any size, shorter or longer than a row,
    // count as they do in one piece: pairs across the borders count once.
    void piecesCountAsOne()
    {
        QRandomGenerator rng(1994);
        for (int round = 0; round < 300; ++round) {
            const qint64 rowPixels = 3 * rng.bounded(1, 30);
            const qint64 stride = (rowPixels + 3) / 4 * 4;
            const QByteArray bytes = randomBytes(stride * rng.bounded(1, 6), rng.generate());
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

        // A quarter of the capacity of random bytes, as a scrambled file looks.
        const qint64 payload = 320 * 240 * 3 / 8 / 4;
        QVERIFY(writeFile(path("quarter.bin"), randomBytes(payload, 25)));
        QCOMPARE(cli({"add", bmp, path("quarter.bin")}).status, 0);
        const QJsonObject filled = analysed(bmp);
        const qint64 truth = 8 * (14 + 32 + payload);
        QCOMPARE(filled.value("detected"), QJsonValue(true));
        QVERIFY(filled.value("margin").toDouble() > 5.0);
        QVERIFY2(qAbs(filled.value("run_end").toInteger() - truth) <= 320 * 240 * 3 / 100,
            qPrintable(QString::number(filled.value("run_end").toInteger())));
        QVERIFY(filled.value("verdict").toString().startsWith("Hidden data are likely"));
        const double rate = filled.value("whole_image_rate").toDouble();
        QVERIFY2(rate > 0.1 && rate < 0.4, qPrintable(QString::number(rate)));

        // The same file claiming twice the rows is cut short by half: the
        // figures are those of the half it holds, not diluted by zeros.
        QByteArray bytes = readFile(bmp);
        qToLittleEndian<qint32>(2 * 240, bytes.data() + 22);
        const QJsonObject cut = analysed(put("cut.bmp", bytes));
        QCOMPARE(cut.value("missing_bytes").toInteger(), 320 * 240 * 3);
        for (const char *key : {"run_end", "margin", "whole_image_rate", "nonzero_fill_bytes"})
            QCOMPARE(cut.value(key), filled.value(key));
        QVERIFY(cut.value("verdict").toString().startsWith("The file is cut short: 230400 of"));
        QVERIFY(cli({"analyse", path("cut.bmp")}).out.contains("\nmissing bytes: 230400\n"));
    }

    // Fill bytes that are not zero give data away without statistics.
    void fillBytesAreCounted()
    {
        const QString bmp = path("fill.bmp");
        QVERIFY(writeFile(bmp, makeBitmap(101, 40, 7))); // 1 fill byte a row, random
        const QJsonObject result = analysed(bmp);
        QVERIFY(result.value("nonzero_fill_bytes").toInteger() > 30);
        QVERIFY(result.value("verdict").toString().contains("Row fill bytes that are not zero"));
        const Run text = cli({"analyse", bmp});
        QVERIFY2(text.out.contains("row fill bytes not zero: ") && text.out.contains("\nverdict: "),
            qPrintable(text.out));
    }
};

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
