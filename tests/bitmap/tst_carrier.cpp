// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "HiddenStream.h"
#include "TestBitmaps.h"
#include "base/FailureText.h"
#include "bitmap/Carrier.h"
#include "io/FileProbe.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>

Q_DECLARE_METATYPE(BitmapShape)

namespace {

// Every hidden byte of a pixel area, read the plain way.
QByteArray readAll(const HiddenStream &stream)
{
    QByteArray out(stream.Capacity(), '\0');
    if (!stream.ReadHidden(out, out.size(), 0))
        qFatal("cannot read the hidden stream");
    return out;
}

} // namespace

class TestCarrier : public QObject, private ScratchFolder {
    Q_OBJECT

private slots:
    void probes()
    {
        const QString file = put("probe.bin", QByteArray(5, 'x'));
        QVERIFY(FileExists(file));
        QCOMPARE(FileSize(file), qint64(5));
        QVERIFY(!FileExists(path("missing.bin")));
        QCOMPARE(FileSize(path("missing.bin")), qint64(-1));
        QVERIFY(!FileExists(QString()));
        QVERIFY(!FileExists(root()));
        QCOMPARE(FileSize(root()), qint64(-1));
        QVERIFY(!QFileInfo::exists(path("missing.bin"))); // the probe created nothing

        // Only regular files count; a pipe is judged without opening it.
        QCOMPARE(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
        QVERIFY(!FileExists(path("pipe")));
        QCOMPARE(fullText(probeRegularFile(path("pipe"))),
            QStringLiteral("It is a named pipe (FIFO), not a regular file."));
        QCOMPARE(FileSize("/dev/null"), qint64(-1));
        QCOMPARE(
            Carrier().LoadCarrier(path("pipe")).detail(), fullText(probeRegularFile(path("pipe"))));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Outcome::Kind>("kind");

        const QByteArray good = makeBitmap(4, 2);
        const auto with = [](auto change) {
            BitmapShape shape;
            change(shape);
            return makeBitmap(shape);
        };
        QTest::newRow("53 bytes") << good.left(53) << Outcome::Kind::NotABitmap;
        QTest::newRow("empty") << QByteArray() << Outcome::Kind::NotABitmap;
        QTest::newRow("bm") << with([](BitmapShape &s) { s.type = "bm"; })
                            << Outcome::Kind::NotABitmap;
        QTest::newRow("BA") << with([](BitmapShape &s) { s.type = "BA"; })
                            << Outcome::Kind::NotABitmap;
        QTest::newRow("8-bit") << with([](BitmapShape &s) { s.bitCount = 8; })
                               << Outcome::Kind::NotTwentyFourBit;
        QTest::newRow("32-bit") << with([](BitmapShape &s) { s.bitCount = 32; })
                                << Outcome::Kind::NotTwentyFourBit;
    }
    void refusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Outcome::Kind, kind);
        Carrier carrier;
        const Outcome loaded = carrier.LoadCarrier(put("refused.bmp", bytes));
        QCOMPARE(loaded.kind(), kind);
        QVERIFY(!carrier.isLoaded());
    }

    void missingFile()
    {
        Carrier carrier;
        const Outcome loaded = carrier.LoadCarrier(path("nowhere.bmp"));
        QCOMPARE(loaded.kind(), Outcome::Kind::BitmapNotFound);
    }

    void unsafeLayoutsAndSizesAreRefusedWithAdvice_data()
    {
        QTest::addColumn<BitmapShape>("shape");
        QTest::addColumn<QString>("mentions");
        const auto row = [](const char *name, auto change, const char *mentions) {
            BitmapShape shape;
            change(shape);
            QTest::newRow(name) << shape << QString::fromLatin1(mentions);
        };
        row(
            "colour table offset", [](BitmapShape &s) { s.offBits = 1078; }, "plain, uncompressed");
        row(
            "longer info header", [](BitmapShape &s) { s.infoSize = 108; }, "plain, uncompressed");
        row(
            "bitfields", [](BitmapShape &s) { s.compression = 3; }, "compressed");
        row(
            "zero width", [](BitmapShape &s) { s.width = 0; }, "not valid");
        row(
            "zero height", [](BitmapShape &s) { s.height = 0; }, "not valid");
        row(
            "negative width", [](BitmapShape &s) { s.width = -4; }, "not valid");
        row(
            "2^31 bytes",
            [](BitmapShape &s) {
                s.width = 32768;
                s.height = -21846;
            },
            "too large");
        row(
            "int overflow",
            [](BitmapShape &s) {
                s.width = INT32_MAX;
                s.height = INT32_MIN;
            },
            "too large");
    }
    void unsafeLayoutsAndSizesAreRefusedWithAdvice()
    {
        QFETCH(BitmapShape, shape);
        QFETCH(QString, mentions);
        // Headers alone: the refusal must come before any pixel is read.
        Carrier carrier;
        const Outcome loaded = carrier.LoadCarrier(put("layout.bmp", bitmapHeaders(shape, 0)));
        QVERIFY(!loaded.ok());
        QVERIFY2(fullText(loaded).contains(mentions), qPrintable(fullText(loaded)));
        QVERIFY(!carrier.isLoaded());
    }

    void smallestBitmap()
    {
        BitmapShape shape;
        shape.width = 1;
        shape.height = 1;
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(put("tiny.bmp", bitmapHeaders(shape, 54))).ok());
        QCOMPARE(carrier.pixelAreaSize(), qint64(3));
        QCOMPARE(carrier.Capacity(), 0);
    }

    void plainBitmapRoundTripsByteForByte()
    {
        const QByteArray original = makeBitmap(4, 2, 99);
        QCOMPARE(original.size(), 78);
        const QString file = put("plain.bmp", original);
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(file).ok());
        QCOMPARE(carrier.pixelAreaSize(), qint64(24));
        QCOMPARE(carrier.Capacity(), 3);
        QCOMPARE(carrier.fileHeader().bfReserved1, quint16(0x1234));
        QVERIFY(carrier.SaveCarrier(file, {}).ok());
        QCOMPARE(readFile(file), original);
    }

    void largeBitmapCapacity()
    {
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(put("vga.bmp", makeBitmap(640, 480))).ok());
        QCOMPARE(carrier.pixelAreaSize(), qint64(921600));
        QCOMPARE(carrier.Capacity(), 115200);
    }

    void fillBytesAndTrailingDataSurviveAWrite()
    {
        // 2 x 2: rows of 6 pixel bytes and 2 fill bytes. The pixel area takes
        // file offsets 54..65, the first row's fill bytes included; the last
        // row's fill bytes and anything after them ride along unchanged.
        const QByteArray original = makeBitmap(2, 2, 5) + QByteArray("trailing metadata");
        const QString file = put("fill.bmp", original);
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(file).ok());
        QCOMPARE(carrier.pixelAreaSize(), qint64(12));
        QCOMPARE(carrier.Capacity(), 1);

        QVERIFY(carrier.SaveCarrier(file, {runOf(0, QByteArray("\xFF", 1))}).ok());
        const QByteArray rewritten = readFile(file);
        QCOMPARE(rewritten.size(), original.size());
        for (qsizetype i = 0; i < original.size(); ++i) {
            const bool hidden = i >= 54 && i < 62;
            QCOMPARE(rewritten.at(i), hidden ? char(original.at(i) | 1) : original.at(i));
        }
    }

    void fileCutShortLoadsWithZeros()
    {
        const QByteArray full = makeBitmap(4, 2, 3);
        const QString file = put("short.bmp", full.left(60));
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(file).ok());
        QByteArray expected = full.mid(54, 6) + QByteArray(18, '\0');
        QByteArray hidden(3, '\0');
        QVERIFY(carrier.ReadHidden(hidden, 3, 0).ok());
        QCOMPARE(hidden, readAll(HiddenStream(expected)));
        QVERIFY(carrier.SaveCarrier(file, {}).ok());
        QCOMPARE(readFile(file), full.left(60) + QByteArray(18, '\0'));
    }

    void topDownBitmapUsesItsAbsoluteHeight()
    {
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(put("topdown.bmp", makeBitmap(4, -2))).ok());
        QCOMPARE(carrier.pixelAreaSize(), qint64(24));
    }

    void rewriteChangesOnlyBitZeroOfTheWrittenRun()
    {
        const QByteArray original = makeBitmap(40, 30, 17);
        const QString file = put("run.bmp", original);
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(file).ok());
        QVERIFY(carrier.SaveCarrier(file, {runOf(20, randomBytes(100, 3))}).ok());
        const QByteArray rewritten = readFile(file);
        QCOMPARE(rewritten.size(), original.size());
        for (qsizetype i = 0; i < original.size(); ++i) {
            const bool inRun = i >= 54 + 8 * 20 && i < 54 + 8 * 120;
            const int diff = (rewritten.at(i) ^ original.at(i)) & 0xFF;
            QVERIFY2(inRun ? (diff & 0xFE) == 0 : diff == 0, qPrintable(QString::number(i)));
        }
    }

    void failedRewriteLeavesTheImageIntact()
    {
        const QByteArray original = makeBitmap(64, 64, 8);
        QVERIFY(QDir(root()).mkpath("intact"));
        const QString file = put("intact/keep.bmp", original);
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(file).ok());
        const HiddenRuns runs = {runOf(0, QByteArray(64, 'z'))};
        {
            // The new copy cannot grow past 4 KiB, as on a full disk.
            FileSizeLimit limit(4096);
            const Outcome saved = carrier.SaveCarrier(file, runs);
            QVERIFY(!saved.ok());
            QVERIFY2(saved.detail().startsWith("File too large."), qPrintable(fullText(saved)));
            QVERIFY(saved.detail().contains("unchanged"));
        }
        QCOMPARE(readFile(file), original);
        // No unfinished copy is left behind.
        QCOMPARE(
            QDir(path("intact")).entryList(QDir::Files | QDir::Hidden), QStringList {"keep.bmp"});

        // A folder that cannot exist: its parent is a regular file.
        const Outcome nowhere = carrier.SaveCarrier(file + "/inside.bmp", runs);
        QVERIFY(!nowhere.ok());
        QCOMPARE(readFile(file), original);
        QVERIFY(carrier.SaveCarrier(file, runs).ok()); // the carrier is still whole
    }

    void rewriteKeepsThePermissions()
    {
        const QString file = put("perm.bmp", makeBitmap(4, 2));
        const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(file, permissions));
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(file).ok());
        QVERIFY(carrier.SaveCarrier(file, {}).ok());
        const auto owners = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
            | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
            | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(file) & owners, permissions);
    }

    // The streaming writer against the whole-buffer one: random images (fill
    // bytes, files cut short, bytes behind the pixels), random runs and chunk
    // sizes that cut hidden bytes and rows anywhere.
    void streamingWriteMatchesTheWholeBufferOne()
    {
        QRandomGenerator rng(20261207);
        for (int round = 0; round < 300; ++round) {
            const int width = 1 + rng.bounded(23);
            const int height = 1 + rng.bounded(9);
            QByteArray original = makeBitmap(width, height, rng.generate());
            if (rng.bounded(4) == 0)
                original.truncate(54 + rng.bounded(int(original.size()) - 54 + 1));
            else if (rng.bounded(3) == 0)
                original += randomBytes(rng.bounded(40), rng.generate());
            const QString file = put("stream.bmp", original);
            Carrier carrier;
            QVERIFY(carrier.LoadCarrier(file).ok());

            HiddenRuns runs;
            for (qint64 at = rng.bounded(3); at < carrier.Capacity();) {
                const qint64 length = qMin<qint64>(1 + rng.bounded(9), carrier.Capacity() - at);
                runs.append(runOf(at, randomBytes(length, rng.generate())));
                at += length + rng.bounded(4);
            }
            const qint64 chunk = rng.bounded(2) ? 1 + rng.bounded(70) : 1 + rng.bounded(4096);
            QVERIFY(carrier.SaveCarrier(file, runs, {Carrier::Reliance::KeepsHiddenBits, chunk, {}, {}})
                        .ok());

            QByteArray expected = original;
            expected.resize(qMax<qint64>(original.size(), 54 + carrier.pixelAreaSize()), '\0');
            QByteArray pixels = expected.mid(54, carrier.pixelAreaSize());
            QVERIFY(HiddenStream(pixels).WriteRuns(runs).ok());
            expected.replace(54, pixels.size(), pixels);
            QVERIFY2(readFile(file) == expected,
                qPrintable(QString("round %1, %2 x %3, chunk %4")
                               .arg(round)
                               .arg(width)
                               .arg(height)
                               .arg(chunk)));
        }
    }

    void failedLoadKeepsTheEarlierCarrier()
    {
        Carrier carrier;
        const QByteArray first = makeBitmap(4, 2, 1);
        QVERIFY(carrier.LoadCarrier(put("first.bmp", first)).ok());
        QVERIFY(!carrier.LoadCarrier(put("bad.bmp", QByteArray("BMnope"))).ok());
        QByteArray hidden(3, '\0');
        QVERIFY(carrier.ReadHidden(hidden, 3, 0).ok());
        QByteArray pixels = first.mid(54);
        QCOMPARE(hidden, readAll(HiddenStream(pixels)));
        carrier.release();
        QVERIFY(!carrier.isLoaded());
        QVERIFY(!carrier.ReadHidden(hidden, 3, 0).ok());
    }
};

QTEST_GUILESS_MAIN(TestCarrier)
#include "tst_carrier.moc"
