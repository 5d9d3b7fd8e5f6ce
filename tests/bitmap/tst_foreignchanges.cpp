// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TestBitmaps.h"
#include "base/FailureText.h"
#include "bitmap/Carrier.h"

#include <QtTest>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Other programs at work on an open image: changes that leave its bytes
// alone do not matter; writes into it, or another file in its place, while
// a new copy is made, stop the copy from replacing anything.
class TestForeignChanges : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    using Change = std::function<void(const QString &image)>;

    static QByteArray hiddenOf(const Carrier &carrier, qint64 count)
    {
        QByteArray hidden(count, '\0');
        if (!carrier.ReadHidden(hidden, count, 0))
            return {};
        return hidden;
    }

    // A run whose bytes come from bytes, and that makes change once, while the
    // copy is half written.
    static HiddenRun runChanging(
        qint64 start, const QByteArray &bytes, std::function<void()> change)
    {
        auto done = std::make_shared<bool>(false);
        return {start, bytes.size(), [=](char *out, qint64 from, qint64 count) {
                    if (!*done) {
                        *done = true;
                        change();
                    }
                    std::memcpy(out, bytes.constData() + from, static_cast<std::size_t>(count));
                    return Outcome::success();
                }};
    }

private slots:
    void harmlessChangesLeaveTheOpenImageReadable_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("chmod") << Change([](const QString &image) {
            QVERIFY(::chmod(QFile::encodeName(image).constData(), 0600) == 0);
        });
        QTest::newRow("touch") << Change([](const QString &image) {
            QThread::msleep(20);
            QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(image).constData(), nullptr, 0) == 0);
        });
        QTest::newRow("renamed away and back") << Change([](const QString &image) {
            QVERIFY(QFile::rename(image, image + ".away"));
            QVERIFY(QFile::rename(image + ".away", image));
        });
        QTest::newRow("another name") << Change([](const QString &image) {
            QVERIFY(::link(QFile::encodeName(image).constData(),
                        QFile::encodeName(image + ".link").constData())
                == 0);
        });
        QTest::newRow("deleted") << Change(
            [](const QString &image) { QVERIFY(QFile::remove(image)); });
        QTest::newRow("replaced by a rename") << Change([](const QString &image) {
            QVERIFY(writeFile(image + ".new", makeBitmap(60, 40, 77)));
            QVERIFY(::rename(QFile::encodeName(image + ".new").constData(),
                        QFile::encodeName(image).constData())
                == 0);
        });
    }
    void harmlessChangesLeaveTheOpenImageReadable()
    {
        QFETCH(Change, change);
        const QByteArray original = makeBitmap(60, 40, 5);
        const QString image = put("open.bmp", original);
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(image).ok());
        const QByteArray before = hiddenOf(carrier, 100);
        carrier.finishFingerprint();

        change(image);
        QVERIFY(carrier.checkIntact().ok());
        QCOMPARE(hiddenOf(carrier, 100), before);
        // The image as it was opened is what a write copies, whatever the
        // path holds now.
        const QByteArray hidden = randomBytes(200, 6);
        QVERIFY(carrier.SaveCarrier(path("copy.bmp"), {runOf(0, hidden)}).ok());
        Carrier copy;
        QVERIFY(copy.LoadCarrier(path("copy.bmp")).ok());
        QCOMPARE(hiddenOf(copy, 200), hidden);
        QCOMPARE(readFile(path("copy.bmp")).mid(0, 54), original.left(54));
    }

    void aWriteIntoTheOpenImageIsNoticed()
    {
        const QString image = put("written.bmp", makeBitmap(60, 40, 5));
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(image).ok());
        QByteArray hidden(20, '\0');
        QVERIFY(carrier.ReadHidden(hidden, 20, 0).ok());
        carrier.finishFingerprint();
        QVERIFY(writeInPlace(image, makeBitmap(60, 40, 6))); // same size
        const Outcome read = carrier.ReadHidden(hidden, 20, 0);
        QCOMPARE(read.kind(), Outcome::Kind::ChangedOnDisk);
    }

    void changesDuringACopyReplaceNothing_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("written over in place") << Change(
            [](const QString &image) { QVERIFY(writeInPlace(image, makeBitmap(300, 200, 9))); });
        QTest::newRow("cut short") << Change([](const QString &image) {
            QVERIFY(::truncate(QFile::encodeName(image).constData(), 100) == 0);
        });
        QTest::newRow("replaced by a rename") << Change([](const QString &image) {
            QVERIFY(writeFile(image + ".theirs", makeBitmap(300, 200, 9)));
            QVERIFY(::rename(QFile::encodeName(image + ".theirs").constData(),
                        QFile::encodeName(image).constData())
                == 0);
        });
    }
    void changesDuringACopyReplaceNothing()
    {
        QFETCH(Change, change);
        const QString image = put("busy.bmp", makeBitmap(300, 200, 8));
        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(image).ok());
        carrier.finishFingerprint();
        // The change comes once the copy has passed its first pieces.
        const HiddenRun late = runChanging(20000, randomBytes(100, 1), [&] { change(image); });
        Carrier::SaveOptions options;
        options.chunkSize = 4096;
        const Outcome saved = carrier.SaveCarrier(image, {late}, options);
        QCOMPARE(saved.kind(), Outcome::Kind::ChangedOnDisk);
        QVERIFY2(saved.detail().contains("unchanged"), qPrintable(fullText(saved)));
        // What the other program did stays; no copy is left behind.
        QByteArray theirs;
        if (QFileInfo(image).size() == 100)
            theirs = makeBitmap(300, 200, 8).left(100);
        else
            theirs = makeBitmap(300, 200, 9);
        QCOMPARE(readFile(image), theirs);
        QCOMPARE(QDir(root()).entryList({".*"}, QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestForeignChanges)
#include "tst_foreignchanges.moc"
