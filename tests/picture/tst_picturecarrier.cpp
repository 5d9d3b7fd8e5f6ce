// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "TestBitmaps.h"
#include "container/ContainerHeader.h"
#include "container/EntryRecord.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>
#include <QtTest>

#include <fcntl.h>

// "veldra-cli carrier": any picture becomes a plain 24-bit BMP that can carry
// hidden files, through the real program.
class TestPictureCarrier : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    // A width whose rows need fill bytes, and room for the 14-byte header
    // and the 32-byte record of one file (11 x 12 x 3 / 8 = 49 bytes).
    static constexpr int Width = 11;
    static constexpr int Height = 12;

    // A small picture with every component different, half of it partly
    // transparent when it has an alpha channel.
    static QImage picture(QImage::Format format)
    {
        QImage image(Width, Height, QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(
                    x, y, qRgba(20 * x + 10, 20 * y + 5, 220 - 20 * x, x < 6 ? 255 : 50 * (x - 6)));
        return format == QImage::Format_Indexed8 ? image.convertToFormat(QImage::Format_RGB32)
                                                       .convertToFormat(format, Qt::ThresholdDither)
                                                 : image.convertToFormat(format);
    }

    // A PNG of a few dozen bytes whose header claims side x side pixels: one
    // pixel in format, its size patched and the header's CRC made anew.
    static QByteArray pngClaiming(QImage::Format format, quint32 side)
    {
        QImage pixel(1, 1, format);
        pixel.fill(0);
        QByteArray png;
        QBuffer buffer(&png);
        pixel.save(&buffer, "PNG");
        qToBigEndian<quint32>(side, png.data() + 16);
        qToBigEndian<quint32>(side, png.data() + 20);
        quint32 crc = 0xFFFFFFFF;
        for (int i = 12; i < 29; ++i) { // "IHDR" and its 13 bytes
            crc ^= quint8(png[i]);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (crc & 1 ? 0xEDB88320u : 0);
        }
        qToBigEndian<quint32>(~crc, png.data() + 29);
        return png;
    }

private slots:
    void picturesBecomeCarriers_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<bool>("lossy");
        QTest::newRow("PNG with alpha") << "alpha.png" << int(QImage::Format_ARGB32) << false;
        QTest::newRow("JPEG") << "photo.jpg" << int(QImage::Format_RGB32) << true;
        QTest::newRow("8-bit palette BMP")
            << "palette.bmp" << int(QImage::Format_Indexed8) << false;
        QTest::newRow("32-bit BMP") << "deep.bmp" << int(QImage::Format_ARGB32) << false;
    }
    void picturesBecomeCarriers()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(bool, lossy);
        QVERIFY(picture(QImage::Format(format)).save(path(name)));
        // What the picture looks like, flattened onto white.
        QImage expected(QImage(path(name)).size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        const QImage read = QImage(path(name)).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < read.height(); ++y)
            for (int x = 0; x < read.width(); ++x) {
                const QRgb p = read.pixel(x, y);
                const auto over = [&p](int c) {
                    return (c * qAlpha(p) + 255 * (255 - qAlpha(p)) + 127) / 255;
                };
                expected.setPixel(x, y, qRgb(over(qRed(p)), over(qGreen(p)), over(qBlue(p))));
            }

        const QString bmp = path(name + ".carrier.bmp");
        const Run run = cli({"carrier", path(name), bmp});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("capacity: 49\n"));
        QCOMPARE(run.err.contains("Warning"), lossy);

        const QByteArray bytes = readFile(bmp);
        const qint64 stride = 36; // 33 bytes of pixels, 3 of fill
        QCOMPARE(bytes.size(), 54 + Height * stride);
        QCOMPARE(bytes.left(2), QByteArray("BM"));
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 10), 54u);
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 18), Width);
        QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 22), Height); // bottom-up
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));
        for (int row = 0; row < Height; ++row) {
            const char *line = bytes.constData() + 54 + row * stride;
            QCOMPARE(QByteArray(line + 3 * Width, 3), QByteArray(3, '\0'));
            for (int x = 0; x < Width; ++x) {
                const QRgb want = expected.pixel(x, Height - 1 - row);
                const char bgr[] = {char(qBlue(want)), char(qGreen(want)), char(qRed(want))};
                QCOMPARE(QByteArray(line + 3 * x, 3), QByteArray(bgr, 3));
            }
        }
        QVERIFY(cli({"info", bmp}).out.startsWith("capacity: 49\n"));
    }

    // A picture whose BMP could not hold even one empty file is refused,
    // saying how many pixels it takes; a picture of that many holds one.
    void tooSmallPicturesAreRefused()
    {
        // Every pixel carries 3 hidden bits.
        const int least = int(((ContainerHeader::Size + EntryRecord::Size) * 8 + 2) / 3);
        const auto column = [this](int height, const char *name) {
            QImage image(1, height, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            return image.save(path(name));
        };
        QVERIFY(column(least - 1, "short.png"));
        const Run run = cli({"carrier", path("short.png"), path("short.bmp")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("short.png is too small to carry hidden files.")
                && run.err.contains(QStringLiteral("at least %1 pixels").arg(least)),
            qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFileInfo::exists(path("short.bmp")));

        QVERIFY(column(least, "enough.png"));
        QCOMPARE(cli({"carrier", path("enough.png"), path("enough.bmp")}).status, 0);
        QCOMPARE(cli({"add", path("enough.bmp"), "-", "--name", "empty"}).status, 0);
        QCOMPARE(cli({"list", path("enough.bmp")}).out, QStringLiteral("0\tempty\n"));
    }

    // "-" writes the BMP to standard output, the bytes a file would get, and
    // the capacity line to standard error.
    void standardOutputTakesTheBitmap()
    {
        QVERIFY(picture(QImage::Format_ARGB32).save(path("source.png")));
        QCOMPARE(cli({"carrier", path("source.png"), path("file.bmp")}).status, 0);
        QProcess process;
        process.setWorkingDirectory(root());
        startCli(process, {"carrier", path("source.png"), "-"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), readFile(path("file.bmp")));
        QCOMPARE(process.readAllStandardError(), QByteArray("capacity: 49\n"));
        QVERIFY(!QFileInfo::exists(path("-")));
    }

    // Output that cannot be written, the capacity line or the BMP itself,
    // fails, saying why.
    void unwritableOutputIsReported()
    {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("needs /dev/full");
        QVERIFY(picture(QImage::Format_RGB32).save(path("source.png")));
        const QByteArray here = QFile::encodeName(root());
        for (const QString &target : {path("made.bmp"), QStringLiteral("-")}) {
            const Run run = cli({"carrier", path("source.png"), target}, {}, [&here] {
                ::dup2(::open("/dev/full", O_WRONLY), STDOUT_FILENO);
                if (::chdir(here.constData()) != 0)
                    ::_exit(125);
            });
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains("The output could not be written. No space left on device."),
                qPrintable(run.err));
        }
    }

    // The BMP states the picture's own resolution across and down, and 72 dpi
    // where the picture states none.
    void resolutionIsKept()
    {
        QImage image = picture(QImage::Format_RGB32);
        image.setDotsPerMeterX(3000);
        image.setDotsPerMeterY(4000);
        QVERIFY(image.save(path("stated.png")));
        // The same picture without the chunk that holds its resolution.
        QByteArray png = readFile(path("stated.png"));
        const qsizetype chunk = png.indexOf("pHYs") - 4;
        QVERIFY(chunk > 0);
        png.remove(chunk, 12 + qFromBigEndian<quint32>(png.constData() + chunk));
        put("unstated.png", png);

        const std::tuple<const char *, qint32, qint32> pictures[]
            = {{"stated.png", 3000, 4000}, {"unstated.png", 2835, 2835}};
        for (const auto &[name, across, down] : pictures) {
            const QString bmp = path(QString::fromLatin1(name) + ".bmp");
            QCOMPARE(cli({"carrier", path(name), bmp}).status, 0);
            const QByteArray bytes = readFile(bmp);
            QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 38), across);
            QCOMPARE(qFromLittleEndian<qint32>(bytes.constData() + 42), down);
        }
    }

    void existingOutputsAndNonPictures()
    {
        QVERIFY(picture(QImage::Format_RGB32).save(path("source.png")));
        const QString output = path("taken.bmp");
        QVERIFY(writeFile(output, "precious"));
        Run run = cli({"carrier", path("source.png"), output});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("give --force to replace it"), qPrintable(run.err));
        QCOMPARE(readFile(output), QByteArray("precious"));
        QCOMPARE(cli({"carrier", path("source.png"), output, "--force"}).status, 0);
        QCOMPARE(readFile(output).left(2), QByteArray("BM"));

        QVERIFY(writeFile(path("notes.txt"), "not a picture at all"));
        run = cli({"carrier", path("notes.txt"), path("notes.bmp")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("is not a picture that can be read"));
        QVERIFY(!QFileInfo::exists(path("notes.bmp")));
        QCOMPARE(cli({"carrier", path("notes.txt")}).status, 2);
    }

    // Pictures too large are refused before they are read, saying why: one
    // that takes too much memory, one whose BMP would be too large.
    void hugePicturesAreRefused()
    {
        const std::pair<QImage::Format, const char *> pictures[]
            = {{QImage::Format_RGB32, "MiB of memory to read"},
                {QImage::Format_Mono, "a carrier's pixels must take"}};
        for (const auto &[format, reason] : pictures) {
            const QString png = put("huge.png", pngClaiming(format, 30000));
            const Run run = cli({"carrier", png, path("huge.bmp")});
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains("is too large to make a carrier of. At 30000 x 30000 pixels")
                    && run.err.contains(reason),
                qPrintable(run.err));
            QVERIFY(!QFileInfo::exists(path("huge.bmp")));
        }
    }
};

QTEST_GUILESS_MAIN(TestPictureCarrier)
#include "tst_picturecarrier.moc"
