// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

// Bitmaps with info headers of the other kinds: those that carry, those that
// are refused and why, and the ones ImageMagick writes.

#include "HiddenStream.h"
#include "TestBitmaps.h"
#include "analysis/ImageAnalysis.h"
#include "base/FailureText.h"
#include "bitmap/Carrier.h"

#include <QImage>
#include <QProcess>
#include <QtTest>

Q_DECLARE_METATYPE(BitmapVariant)

class TestBitmapKinds : public QObject, private ScratchFolder {
    Q_OBJECT

    // ImageMagick's convert of a random photo into format ("BMP2:" and the
    // like), or nothing without it.
    QByteArray converted(const QString &format)
    {
        QProcess convert;
        convert.start("convert", {"-version"});
        if (!convert.waitForFinished() || !convert.readAll().startsWith("Version: ImageMagick"))
            return {};
        QImage photo(37, 23, QImage::Format_RGB32);
        QRandomGenerator rng(5);
        for (int i = 0; i < 37 * 23; ++i)
            photo.setPixel(i % 37, i / 37, rng.generate() | 0xFF000000);
        if (!photo.save(path("photo.png"))
            || QProcess::execute("convert", {path("photo.png"), format + path("photo.bmp")}) != 0)
            return {};
        return readFile(path("photo.bmp"));
    }

private slots:
    void carriers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<qint64>("area");
        const auto row = [](const char *name, const BitmapVariant &v) {
            QTest::newRow(name) << v.bytes() << v.pixelOffset() << v.area();
        };
        for (const char *name : {"124", "108", "56", "52", "12"})
            row(name, {.infoSize = QByteArray(name).toUInt()});
        row("124, gap and profile before the pixels",
            {.infoSize = 124, .gap = 64, .profileAt = 14 + 124 + 16, .profileSize = 48});
        row("124, profile after the pixels",
            {.infoSize = 124, .tail = 40, .profileAt = 14 + 124 + 120 + 8, .profileSize = 32});
        row("108, top-down, gap and tail", {.infoSize = 108, .height = -5, .gap = 13, .tail = 9});
        row("12, gap and tail", {.infoSize = 12, .gap = 9, .tail = 7});
        for (const QString format : {"", "BMP2:"}) {
            const QByteArray bytes = converted(format);
            QTest::addRow("ImageMagick %sbmp", qPrintable(format))
                << bytes
                << qint64(bytes.isEmpty() ? 0 : qFromLittleEndian<quint32>(bytes.data() + 10))
                << qint64(37 * 23 * 3);
        }
    }
    void carriers()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, offset);
        QFETCH(qint64, area);
        if (bytes.isEmpty())
            QSKIP("ImageMagick's convert is not installed.");
        const QString file = put("carrier.bmp", bytes);
        Carrier carrier;
        const Outcome loaded = carrier.LoadCarrier(file);
        QVERIFY2(loaded.ok(), qPrintable(fullText(loaded)));
        QCOMPARE(carrier.Capacity(), area / 8);
        const QByteArray secret = randomBytes(carrier.Capacity(), 11);
        QVERIFY(carrier.SaveCarrier(file, {runOf(0, secret)}).ok());

        // Only the lowest bits of the pixel area changed, and they hold it.
        QByteArray pixels = bytes.mid(offset, area);
        QVERIFY(HiddenStream(pixels).WriteRuns({runOf(0, secret)}).ok());
        QCOMPARE(readFile(file), bytes.replace(offset, area, pixels));
        Carrier reread;
        QByteArray back(secret.size(), '\0');
        QVERIFY(reread.LoadCarrier(file).ok() && reread.ReadHidden(back, back.size(), 0).ok());
        QCOMPARE(back, secret);
    }

    void cutShortVariantCountsFromItsOwnOffset()
    {
        const BitmapVariant v {.infoSize = 124, .gap = 100};
        const QString file = put("short.bmp", v.bytes().left(v.pixelOffset() + 10));
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(file).ok());
        QCOMPARE(carrier.missingPixelBytes(), v.area() - 10);
        ImageAnalysis analysis;
        QVERIFY(analyseImage(file, &analysis).ok());
        QCOMPARE(analysis.missingBytes, v.area() - 10);
    }

    void refusalsNameTheReason_data()
    {
        QTest::addColumn<BitmapVariant>("variant");
        QTest::addColumn<QString>("text");
        const QString depth = "File must be a 24-bit bitmap! This one has %1 bits per pixel.";
        const QString compressed = "This bitmap is compressed (%1).";
        const QString unknown = "This bitmap has a header of an unknown kind (%1 bytes)";
        const auto row = [](const char *name, const BitmapVariant &v, const QString &text) {
            QTest::newRow(name) << v << text;
        };
        row("12, 8 bits", {.infoSize = 12, .bitCount = 8, .gap = 768}, depth.arg(8));
        row("32 bits", {.infoSize = 40, .bitCount = 32}, depth.arg(32));
        row("JPEG", {.infoSize = 40, .bitCount = 0, .compression = 4}, compressed.arg("JPEG"));
        row("PNG", {.bitCount = 0, .compression = 5}, compressed.arg("PNG"));
        row("RLE8", {.infoSize = 40, .bitCount = 8, .compression = 1, .gap = 1024},
            compressed.arg("RLE8"));
        row("RLE4", {.infoSize = 40, .bitCount = 4, .compression = 2, .gap = 64},
            compressed.arg("RLE4"));
        row("bit fields", {.infoSize = 108, .bitCount = 32, .compression = 3},
            compressed.arg("bit fields"));
        row("20", {.infoSize = 20}, unknown.arg(20));
        row("64", {.infoSize = 64}, unknown.arg(64));
        row("pixels past the end", {.infoSize = 12, .offBits = 3200000000u},
            "File isn't a bitmap! Its pixels would start at byte 3200000000, after the end");
        row("pixels in the headers", {.offBits = 100},
            "This bitmap's pixels would start inside its headers (at byte 100;");
        row("profile among the pixels", {.profileAt = 14 + 124 + 100, .profileSize = 4},
            "This bitmap's colour profile (bytes 238 to 241) lies among its pixels");
    }
    void refusalsNameTheReason()
    {
        QFETCH(BitmapVariant, variant);
        QFETCH(QString, text);
        const QString file = put("refused.bmp", variant.bytes());
        Carrier carrier;
        const Outcome loaded = carrier.LoadCarrier(file);
        QVERIFY2(fullText(loaded).startsWith(text), qPrintable(fullText(loaded)));
        // The copy is offered, and the command named, for exactly the bitmaps
        // that Qt reads, as the carrier command does.
        const bool converts = !QImage(file).isNull();
        QVERIFY(loaded.kind() == Outcome::Kind::NotABitmap
            || loaded.kind() == Outcome::Kind::NotTwentyFourBit
            || loaded.kind() == Outcome::Kind::Unsupported);
        QCOMPARE(loaded.detail().contains("veldra-cli carrier PICTURE OUTPUT.bmp"), converts);
    }
};

QTEST_GUILESS_MAIN(TestBitmapKinds)
#include "tst_bitmapkinds.moc"
