// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "WindowFixture.h"
#include "io/ImageLock.h"

#include <QTimer>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The window while other programs work on the open image: what leaves its
// bytes alone changes nothing, what replaces or writes it is asked about,
// and nothing the window writes lands on the image it reads.
class TestWindowChanges : public WindowFixture {
    Q_OBJECT

private:
    using Change = std::function<void(const QString &image)>;

    // Opens a bitmap holding two files and leaves it open with a third added.
    QString openWithFiles(const QString &name)
    {
        const QString bmp = bitmap(name, 300, 200);
        hide(bmp, {file("one.txt", "one"), file("two.bin", randomBytes(500, 2))});
        open(bmp);
        add(file("three.txt", "three"));
        return bmp;
    }
    // The rows of the image at path as a new window would show them.
    QStringList rowsOnDisk(const QString &bmp)
    {
        click(w().cmdClose);
        open(bmp);
        const QStringList shown = rows();
        click(w().cmdClose);
        return shown;
    }
    static void replaceByRename(const QString &image, const QByteArray &bytes)
    {
        QVERIFY(writeFile(image + ".new", bytes));
        QVERIFY(::rename(QFile::encodeName(image + ".new").constData(),
                    QFile::encodeName(image).constData())
            == 0);
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void harmlessChangesNeedNoQuestion_data()
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
            QVERIFY(QFile::rename(image, image + ".x") && QFile::rename(image + ".x", image));
        });
    }
    void harmlessChangesNeedNoQuestion()
    {
        QFETCH(Change, change);
        const QString bmp = openWithFiles("harmless.bmp");
        change(bmp);
        prompter().folders.enqueue(path(""));
        select("two.bin");
        click(w().cmdExtract);
        QCOMPARE(prompter().texts(), QStringList {"Done."});
        QCOMPARE(readFile(path("two.bin")), randomBytes(500, 2));
        click(w().cmdWrClose);
        QVERIFY(prompter().questionsAsked.isEmpty());
        QVERIFY(!containerOpen());
        QCOMPARE(rowsOnDisk(bmp), (QStringList {"one.txt", "three.txt", "two.bin"}));
    }

    // Deleted, or another file put in its place: the hidden files can still
    // be extracted, and Yes writes them from the image as it was opened.
    void aReplacedOrDeletedImageIsAskedAbout_data()
    {
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("overwrite");
        QTest::newRow("deleted, No") << true << false;
        QTest::newRow("deleted, Yes") << true << true;
        QTest::newRow("replaced, No") << false << false;
        QTest::newRow("replaced, Yes") << false << true;
    }
    void aReplacedOrDeletedImageIsAskedAbout()
    {
        QFETCH(bool, deleted);
        QFETCH(bool, overwrite);
        const QString bmp = openWithFiles("replaced.bmp");
        const QByteArray theirs = makeBitmap(300, 200, 9);
        if (deleted)
            QVERIFY(QFile::remove(bmp));
        else
            replaceByRename(bmp, theirs);

        prompter().folders.enqueue(path(""));
        click(w().cmdExtractAll);
        QCOMPARE(prompter().texts(), QStringList {"Done."});
        QCOMPARE(readFile(path("one.txt")), QByteArray("one"));

        prompter().answers.enqueue(overwrite);
        click(w().cmdWrClose);
        QCOMPARE(prompter().questionsAsked.size(), 1);
        QVERIFY(prompter().questionsAsked.first().detail.startsWith(
            deleted ? "It is no longer there." : "Another file was put in its place."));
        QCOMPARE(containerOpen(), !overwrite);
        if (!overwrite) {
            QCOMPARE(QFileInfo::exists(bmp), !deleted);
            if (!deleted)
                QCOMPARE(readFile(bmp), theirs);
            return;
        }
        QCOMPARE(rowsOnDisk(bmp), (QStringList {"one.txt", "three.txt", "two.bin"}));
    }

    // Another program writes the image while Write & Close copies it.
    void aChangeDuringTheWriteIsAskedAbout()
    {
        const QString bmp = bitmap("during.bmp", 1000, 1000);
        open(bmp);
        add(file("mine.txt", "mine"));
        const QByteArray theirs = makeBitmap(1000, 1000, 11);
        QTimer::singleShot(0, this, [&] { replaceByRename(bmp, theirs); });
        click(w().cmdWrClose);
        QCOMPARE(prompter().questionsAsked.size(), 1);
        QVERIFY2(prompter().questionsAsked.first().detail.contains("while it was being written"),
            qPrintable(prompter().questionsAsked.first().detail));
        QVERIFY(containerOpen());
        QCOMPARE(readFile(bmp), theirs);

        prompter().answers.enqueue(true);
        click(w().cmdWrClose);
        QVERIFY(!containerOpen());
        QCOMPARE(rowsOnDisk(bmp), QStringList {"mine.txt"});
    }

    // Another writer holds the image's lock: the window waits, painted and
    // captioned Wait..., and writes once it is free.
    void writeWaitsForAnotherWriter()
    {
        const QString bmp = bitmap("waiting.bmp");
        open(bmp);
        add(file("late.txt", "late"));
        auto other = std::make_unique<ImageLock>();
        QVERIFY(other->acquire(bmp).ok());
        QString caption;
        QTimer::singleShot(300, this, [&] {
            caption = w().cmdWrClose->text();
            other.reset();
        });
        click(w().cmdWrClose);
        QCOMPARE(caption, QStringLiteral("Wait..."));
        QVERIFY(prompter().questionsAsked.isEmpty());
        QVERIFY(!containerOpen());
        QCOMPARE(rowsOnDisk(bmp), QStringList {"late.txt"});
    }

    void extractionNeverReplacesTheImage()
    {
        QVERIFY(QDir(m_dir->path()).mkpath("own"));
        const QString bmp = bitmap("own/photo.bmp");
        hide(bmp, {file("photo.bmp", "tiny"), file("plan.txt", "plan")});
        const QByteArray image = readFile(bmp);
        open(bmp);
        prompter().folders.enqueue(path("own/"));
        click(w().cmdExtractAll);
        QCOMPARE(prompter().messages.size(), 1);
        QCOMPARE(prompter().messages.first().icon, QMessageBox::Critical);
        QVERIFY2(prompter().messages.first().detail.contains("would replace the image"),
            qPrintable(prompter().messages.first().detail));
        QCOMPARE(readFile(bmp), image);
        QCOMPARE(readFile(path("own/plan.txt")), QByteArray("plan"));
    }

    void otherNamesOfTheImageAreMentioned()
    {
        const QString bmp = bitmap("linked.bmp");
        QVERIFY(::link(QFile::encodeName(bmp).constData(),
                    QFile::encodeName(path("other-name.bmp")).constData())
            == 0);
        hide(bmp, {file("a.txt", "a")});
        QCOMPARE(prompter().texts(), QStringList {"Done."});
        QVERIFY2(prompter().messages.first().detail.contains("another name (a hard link)"),
            qPrintable(prompter().messages.first().detail));
    }

    void anImageCutShortIsNotFilledUnasked()
    {
        const QByteArray full = makeBitmap(100, 100, 3);
        const QString bmp = file("cut.bmp", full.left(54 + 8000));
        open(bmp);
        QCOMPARE(prompter().messages.size(), 1);
        QVERIFY2(prompter().messages.first().text.contains("cut short"),
            qPrintable(prompter().messages.first().text));
        add(file("a.txt", "a"));
        click(w().cmdWrClose);
        QCOMPARE(prompter().questionsAsked.size(), 1);
        QVERIFY(containerOpen());
        QCOMPARE(QFileInfo(bmp).size(), 54 + 8000);
        prompter().answers.enqueue(true);
        click(w().cmdWrClose);
        QVERIFY(!containerOpen());
        QCOMPARE(QFileInfo(bmp).size(), full.size());
    }
};

QTEST_MAIN(TestWindowChanges)
#include "tst_windowchanges.moc"
