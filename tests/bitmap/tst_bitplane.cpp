// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "BitOps.h"
#include "HiddenStream.h"
#include "bitmap/BitPlane.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace BitOps;

namespace {

// The bit-at-a-time reference: one hidden bit per step, as the stored format
// defines it. The word-wide code must agree with it exactly.
void oracleRead(const QByteArray &pixels, QByteArray &buffer, qint64 count, qint64 start)
{
    qint64 p = start * 8;
    for (qint64 i = 0; i < count; ++i) {
        auto &out = reinterpret_cast<std::uint8_t &>(buffer[i]);
        for (int j = 0; j < 8; ++j, ++p) {
            if (BitGet(reinterpret_cast<const std::uint8_t &>(pixels.constData()[p]), 0))
                BitSet(out, j);
            else
                BitClr(out, j);
        }
    }
}

void oracleWrite(QByteArray &pixels, const QByteArray &buffer, qint64 count, qint64 start)
{
    qint64 p = start * 8;
    for (qint64 i = 0; i < count; ++i) {
        const auto &in = reinterpret_cast<const std::uint8_t &>(buffer.constData()[i]);
        for (int j = 0; j < 8; ++j, ++p) {
            auto &pixel = reinterpret_cast<std::uint8_t &>(pixels[p]);
            if (BitGet(in, j))
                BitSet(pixel, 0);
            else
                BitClr(pixel, 0);
        }
    }
}

QByteArray randomBytes(qsizetype size, QRandomGenerator &rng)
{
    QByteArray bytes(size, '\0');
    for (char &c : bytes)
        c = static_cast<char>(rng.bounded(256));
    return bytes;
}

} // namespace

class TestBitPlane : public QObject {
    Q_OBJECT

private slots:
    void primitives()
    {
        std::uint8_t b = 0b1010'0000;
        QVERIFY(BitGet(b, 7) && !BitGet(b, 6) && BitGet(b, 5));
        BitSet(b, 0);
        BitClr(b, 7);
        QCOMPARE(b, std::uint8_t(0b0010'0001));
    }

    void matchesOracleOnRandomRuns_data()
    {
        QTest::addColumn<bool>("wide");
        QTest::newRow("widest kernels the processor has") << true;
        QTest::newRow("word-wide kernels") << false;
    }
    void matchesOracleOnRandomRuns()
    {
        QFETCH(bool, wide);
        const bool used = BitPlane::useWideKernels(wide);
        const auto restore = qScopeGuard([] { BitPlane::useWideKernels(true); });
        if (wide && !used)
            QSKIP("this processor has no wider kernels");
        QRandomGenerator rng(20261207);
        for (int round = 0; round < 300; ++round) {
            // Odd sizes and offsets exercise every alignment and the tails
            // of the word-wide loops.
            const qsizetype size = 8 * rng.bounded(1, 200) + rng.bounded(8);
            QByteArray pixels = randomBytes(size, rng);
            HiddenStream stream(pixels);
            const qint64 start = rng.bounded(stream.Capacity() + 1);
            const qint64 count = rng.bounded(stream.Capacity() - start + 1);

            QByteArray fast(count, '\0');
            QByteArray slow(count, '\x55');
            QVERIFY(stream.ReadHidden(fast, count, start).ok());
            oracleRead(pixels, slow, count, start);
            QCOMPARE(fast, slow);

            const QByteArray data = randomBytes(count, rng);
            QByteArray expected = pixels;
            oracleWrite(expected, data, count, start);
            QVERIFY(stream.WriteHidden(data, count, start).ok());
            QCOMPARE(pixels, expected);
        }
    }

    void writeTouchesOnlyBitZeroOfTheRun()
    {
        QRandomGenerator rng(7);
        QByteArray pixels = randomBytes(8 * 50, rng);
        const QByteArray before = pixels;
        HiddenStream stream(pixels);
        const QByteArray data = randomBytes(9, rng);
        QVERIFY(stream.WriteHidden(data, 9, 13).ok());
        for (qsizetype i = 0; i < pixels.size(); ++i) {
            const bool inRun = i >= 8 * 13 && i < 8 * 22;
            const int changed = (pixels.at(i) ^ before.at(i)) & 0xFF;
            QVERIFY2(inRun ? (changed & 0xFE) == 0 : changed == 0, qPrintable(QString::number(i)));
        }
        QByteArray back(9, '\0');
        QVERIFY(stream.ReadHidden(back, 9, 13).ok());
        QCOMPARE(back, data);
    }

    void worked0x4BExample()
    {
        QByteArray pixels(8 * 4, '\xF0');
        HiddenStream stream(pixels);
        QVERIFY(stream.WriteHidden(QByteArray("\x4B", 1), 1, 2).ok());
        const int expected[8] = {1, 1, 0, 1, 0, 0, 1, 0};
        for (int j = 0; j < 8; ++j)
            QCOMPARE(pixels.at(16 + j) & 1, expected[j]);

        for (int j = 0; j < 8; ++j)
            pixels[16 + j] = char(j == 7 ? 0x11 : 0x10);
        QByteArray one(1, '\0');
        QVERIFY(stream.ReadHidden(one, 1, 2).ok());
        QCOMPARE(quint8(one.at(0)), quint8(0x80));
    }

    void evenPixelsReadAsZero()
    {
        QByteArray pixels(8 * 40, '\0');
        for (qsizetype i = 0; i < pixels.size(); ++i)
            pixels[i] = char((i * 2) & 0xFE);
        QByteArray out(40, '\x7F');
        QVERIFY(HiddenStream(pixels).ReadHidden(out, 40, 0).ok());
        QCOMPARE(out, QByteArray(40, '\0'));
    }

    void capacity_data()
    {
        QTest::addColumn<qsizetype>("pixelBytes");
        QTest::addColumn<qint32>("capacity");
        QTest::newRow("640x480") << qsizetype(921600) << 115200;
        QTest::newRow("4x2") << qsizetype(24) << 3;
        QTest::newRow("2x2 with fill") << qsizetype(12) << 1;
        QTest::newRow("6 bytes") << qsizetype(6) << 0;
    }
    void capacity()
    {
        QFETCH(qsizetype, pixelBytes);
        QFETCH(qint32, capacity);
        QByteArray pixels(pixelBytes, '\0');
        QCOMPARE(HiddenStream(pixels).Capacity(), capacity);
    }

    void runsOutsideThePixelAreaAreRefusedUntouched_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<qint64>("start");
        QTest::newRow("negative start") << qint64(2) << qint64(-1);
        QTest::newRow("negative count") << qint64(-1) << qint64(0);
        QTest::newRow("one past the end") << qint64(4) << qint64(7);
        QTest::newRow("start at the end") << qint64(1) << qint64(10);
        QTest::newRow("huge start") << qint64(1) << (qint64(1) << 62);
        QTest::newRow("overflowing sum") << qint64(INT64_MAX) << qint64(1);
    }
    void runsOutsideThePixelAreaAreRefusedUntouched()
    {
        QFETCH(qint64, count);
        QFETCH(qint64, start);
        QByteArray pixels = QByteArray(8 * 10, '\xAA');
        const QByteArray before = pixels;
        HiddenStream stream(pixels);
        QByteArray buffer(16, '\x33');
        const Outcome write = stream.WriteHidden(buffer.constData(), count, start);
        QVERIFY(!write.ok());
        QVERIFY(!write.what().isEmpty());
        QVERIFY(!stream.ReadHidden(buffer.data(), count, start).ok());
        QCOMPARE(pixels, before);
        QCOMPARE(buffer, QByteArray(16, '\x33'));
    }

    void emptyRunChangesNothing()
    {
        QByteArray pixels(64, '\x01');
        HiddenStream stream(pixels);
        QByteArray buffer(4, 'x');
        QVERIFY(stream.ReadHidden(buffer, 0, 3).ok());
        QVERIFY(stream.WriteHidden(QByteArray(), 0, 8).ok());
        QCOMPARE(buffer, QByteArray(4, 'x'));
        QCOMPARE(pixels, QByteArray(64, '\x01'));
    }
};

QTEST_GUILESS_MAIN(TestBitPlane)
#include "tst_bitplane.moc"
