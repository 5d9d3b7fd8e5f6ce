// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "WindowFixture.h"
#include "base/ByteCount.h"
#include "ui/FolderPicker.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QtTest>

#include <memory>

#include <sys/stat.h>

class TestFrmVeldra : public WindowFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void openingAnOrdinaryImageShowsAnEmptyContainer()
    {
        const QString bmp = bitmap("plain.bmp", 100, 100);
        const QByteArray before = readFile(bmp);
        open(bmp);
        QVERIFY(prompter().messages.isEmpty());
        QVERIFY(containerOpen());
        QVERIFY(!w().txtBitmap->isEnabled() && !w().cmdBrowse->isEnabled());
        QVERIFY(w().cmdClose->isEnabled() && w().cmdWrClose->isEnabled());
        QCOMPARE(w().cmdOpen->text(), QStringLiteral("&Open"));
        QCOMPARE(w().lblCapacity->text(), QStringLiteral("3 750 bytes"));
        QCOMPARE(w().lblUsed->text(), QStringLiteral("0 bytes"));
        QCOMPARE(w().lblFree->text(), QStringLiteral("3 750 bytes"));
        QVERIFY(rows().isEmpty());
        QCOMPARE(readFile(bmp), before); // nothing written until Write & Close
    }

    void openRefusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a bitmap") << QByteArray(100, 'x') << "File isn't a bitmap!";
        BitmapShape eight;
        eight.bitCount = 8;
        QTest::newRow("8-bit") << makeBitmap(eight) << "File must be a 24-bit bitmap!";
        QTest::newRow("too small for a header") << makeBitmap(6, 6) << "at least 112 bytes";
        BitmapShape palette;
        palette.offBits = 1078;
        QTest::newRow("colour table") << makeBitmap(palette) << "plain, uncompressed";
    }
    void openRefusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        open(file("refused.bmp", bytes));
        QCOMPARE(prompter().messages.size(), 1);
        QCOMPARE(prompter().messages.first().icon, QMessageBox::Critical);
        QVERIFY2(prompter().messages.first().text.contains(message),
            qPrintable(prompter().texts().join('|')));
        QVERIFY(!containerOpen());
        QVERIFY(w().cmdOpen->isEnabled() && w().txtBitmap->isEnabled());
        QCOMPARE(w().cmdOpen->text(), QStringLiteral("&Open"));
    }

    void bitmapDeletedAfterClose()
    {
        const QString bmp = bitmap("gone.bmp");
        open(bmp);
        click(w().cmdClose);
        QFile::remove(bmp);
        QVERIFY(w().cmdOpen->isEnabled());
        click(w().cmdOpen);
        QCOMPARE(prompter().texts(), QStringList {"Bitmap file not found!"});
    }

    void addShowsSortedRowsAndSizes()
    {
        open(bitmap("add.bmp", 100, 100));
        add(file("b.txt", QByteArray(10, 'b')));
        add(file("A.txt", QByteArray(20, 'a')));
        add(file("c.txt", QByteArray()));
        QVERIFY(prompter().messages.isEmpty());
        QCOMPARE(rows(), (QStringList {"A.txt", "b.txt", "c.txt"}));
        QVERIFY(w().lstFiles->selectedItems().isEmpty());
        QCOMPARE(w().lblUsed->text(), QStringLiteral("30 bytes"));
        QCOMPARE(w().lblFree->text(), QStringLiteral("3 720 bytes"));

        click(w().cmdAdd); // cancelled: nothing, no message
        QCOMPARE(rows().size(), 3);
        QVERIFY(prompter().messages.isEmpty());
    }

    void addRefusals()
    {
        open(bitmap("refuse.bmp", 100, 100)); // 3 750 bytes
        QDir().mkpath(path("other"));
        add(file("plan.txt", "plan"));
        add(file("other/plan.txt", "again"));
        add(file("other/PLAN.TXT", "upper"));
        add(path("vanished.txt"));
        add(file("big.bin", QByteArray(3747, 'x')));
        QCOMPARE(prompter().texts(),
            (QStringList {"Error!", "Error!", "Error!", "Not enough free space!"}));
        QCOMPARE(rows(), QStringList {"plan.txt"});
        for (const auto &m : prompter().messages)
            QCOMPARE(m.icon, QMessageBox::Critical);
    }

    void addKeepsTheWrittenContainerInsideTheImage()
    {
        open(bitmap("fit.bmp", 100, 100)); // capacity 3 750
        // Exactly the free figure passes the free-space test, but header and
        // record would not fit: refused with the numbers.
        add(file("exact.bin", QByteArray(3750, 'e')));
        QCOMPARE(prompter().messages.size(), 1);
        QCOMPARE(prompter().messages.first().text, QStringLiteral("Not enough free space!"));
        QVERIFY2(prompter().messages.first().detail.contains("needs 3 782 bytes"),
            qPrintable(prompter().fullTexts().join('|')));
        QVERIFY(prompter().messages.first().detail.contains("only 3 736 bytes more"));
        QVERIFY(rows().isEmpty());

        // The largest file that fits with header and record.
        add(file("largest.bin", QByteArray(3750 - 14 - 32, 'l')));
        QCOMPARE(rows(), QStringList {"largest.bin"});
        add(file("empty.bin", QByteArray()));
        QCOMPARE(prompter().messages.size(), 2); // even an empty file needs its record
        QCOMPARE(w().lblFree->text(), QStringLiteral("46 bytes"));
    }

    void addRefusesNamesTheContainerCannotHold()
    {
        open(bitmap("names.bmp", 100, 100));
        add(file(QString(28, 'n') + "-first.txt", "1"));
        add(file(QString(28, 'n') + "-second.txt", "2"));
        add(file(QStringLiteral("\u0142\u00f3d\u017a.txt"), "3"));
        QCOMPARE(prompter().messages.size(), 2);
        QVERIFY(prompter().messages[0].detail.contains("first 28 characters"));
        QVERIFY(prompter().messages[1].detail.contains("U+0142"));
        QCOMPARE(
            rows(), QStringList {QString(28, 'n') + "-first.txt"}); // listed in full while open
    }

    void remove()
    {
        open(bitmap("rem.bmp"));
        add(file("one.txt", QByteArray(5, '1')));
        add(file("two.txt", QByteArray(7, '2')));
        click(w().cmdRem); // no selection: nothing
        QCOMPARE(rows().size(), 2);
        select("one.txt");
        click(w().cmdRem);
        QCOMPARE(rows(), QStringList {"two.txt"});
        QCOMPARE(w().lblUsed->text(), QStringLiteral("7 bytes"));
        QVERIFY(prompter().messages.isEmpty());
    }

    void closeWritesNothing()
    {
        const QString bmp = bitmap("close.bmp");
        const QByteArray before = readFile(bmp);
        open(bmp);
        add(file("x.txt", "x"));
        click(w().cmdClose);
        QVERIFY(!containerOpen());
        QVERIFY(
            w().cmdOpen->isEnabled() && w().txtBitmap->isEnabled() && !w().cmdClose->isEnabled());
        QCOMPARE(w().txtBitmap->text(), bmp);
        QCOMPARE(readFile(bmp), before);
        QCOMPARE(w().openFile(), nullptr);
    }

    void writeCloseAndReopenAndExtract()
    {
        const QString bmp = bitmap("cycle.bmp", 120, 90);
        const QByteArray a = randomBytes(1000, 1);
        const QByteArray b = randomBytes(333, 2);
        hide(bmp, {file("a.bin", a), file("b.bin", b), file("zero.bin", QByteArray())});
        QCOMPARE(w().cmdWrClose->text(), QStringLiteral("&Write && Close"));
        QVERIFY(w().cmdOpen->isEnabled());
        QVERIFY(prompter().messages.isEmpty());

        open(bmp);
        QCOMPARE(rows(), (QStringList {"a.bin", "b.bin", "zero.bin"}));
        QCOMPARE(w().lblUsed->text(), QStringLiteral("1333 bytes").replace("1333", "1 333"));
        QVERIFY(!w().chkUsePass->isChecked());

        QDir().mkpath(path("out"));
        select("b.bin");
        prompter().folders.enqueue(folderWithSeparator(path("out")));
        click(w().cmdExtract);
        QCOMPARE(readFile(path("out/b.bin")), b);
        QCOMPARE(prompter().texts(), QStringList {"Done."});
        QCOMPARE(prompter().messages.last().icon, QMessageBox::Information);

        prompter().folders.enqueue(folderWithSeparator(path("out")));
        click(w().cmdExtractAll);
        QCOMPARE(readFile(path("out/a.bin")), a);
        QVERIFY(QFileInfo(path("out/zero.bin")).isFile());
        QCOMPARE(prompter().texts(), (QStringList {"Done.", "Done."}));
    }

    void extractAnswersDoneWhenNothingFailed()
    {
        open(bitmap("done.bmp"));
        click(w().cmdExtract); // no row: no folder asked
        QCOMPARE(prompter().foldersAsked, 0);
        click(w().cmdExtractAll); // empty list: still asks, cancelled
        QCOMPARE(prompter().foldersAsked, 1);
        add(file("f.txt", "f"));
        select("f.txt");
        click(w().cmdExtract); // folder picker cancelled
        QCOMPARE(prompter().texts(), (QStringList {"Done.", "Done.", "Done."}));
        QVERIFY(!QFileInfo::exists(path("f.txt.out")));
    }

    void extractFailuresAreNamedNotReportedAsDone()
    {
        open(bitmap("fail.bmp"));
        add(file("one.txt", "1"));
        add(file("two.txt", "2"));
        const QString notAFolder = file("plainfile", "x") + '/';
        select("one.txt");
        prompter().folders.enqueue(notAFolder);
        click(w().cmdExtract);
        prompter().folders.enqueue(notAFolder);
        click(w().cmdExtractAll);
        QCOMPARE(prompter().messages.size(), 2);
        for (const auto &m : prompter().messages) {
            QCOMPARE(m.icon, QMessageBox::Critical);
            QVERIFY(m.detail.contains("one.txt"));
        }
        QVERIFY(prompter().messages[1].detail.contains("two.txt"));
    }

    void damagedContainerOpensWithAWarning()
    {
        const QString bmp = bitmap("damaged.bmp", 100, 100);
        hide(bmp, {file("kept.txt", "kept"), file("lost.txt", "lost")});
        {
            // Claim a length past the end for the second entry.
            Carrier carrier;
            QVERIFY(carrier.LoadCarrier(bmp).ok());
            QByteArray length(4, '\0');
            qToLittleEndian<qint32>(1 << 20, length.data());
            QVERIFY(carrier.SaveCarrier(bmp, {runOf(14 + 32 + 4 + 28, length)}).ok());
        }
        open(bmp);
        QVERIFY(containerOpen());
        QCOMPARE(rows(), QStringList {"kept.txt"});
        QCOMPARE(prompter().messages.size(), 1);
        QCOMPARE(prompter().messages.first().icon, QMessageBox::Warning);
        QVERIFY(prompter().messages.first().text.contains("only 1 could be read"));

        // Writing it back would lose the entry that could not be read: asked
        // first, and the default answer keeps the image as it is.
        const QByteArray damaged = readFile(bmp);
        click(w().cmdWrClose);
        QCOMPARE(prompter().questionsAsked.size(), 1);
        QVERIFY(prompter().questionsAsked.first().text.startsWith(
            "1 hidden file could not be read and would be lost"));
        QVERIFY(containerOpen());
        QCOMPARE(readFile(bmp), damaged);
        prompter().answers.enqueue(true);
        click(w().cmdWrClose);
        QVERIFY(!containerOpen());
        open(bmp);
        QCOMPARE(rows(), QStringList {"kept.txt"});
        QCOMPARE(prompter().messages.size(), 1); // and it opens whole now
    }

    void imageChangedOnDiskIsOverwrittenOnlyWhenTheUserSaysSo()
    {
        const QString bmp = bitmap("changed.bmp");
        open(bmp);
        add(file("mine.txt", "mine"));
        // Another program writes to the image meanwhile.
        QByteArray theirs = readFile(bmp);
        theirs[60] = char(theirs[60] ^ 1);
        QVERIFY(writeFile(bmp, theirs));
        click(w().cmdWrClose);
        QCOMPARE(prompter().questionsAsked.size(), 1);
        QVERIFY2(prompter().questionsAsked.first().text.startsWith(
                     "The image was changed on disk since it was opened."),
            qPrintable(prompter().questionsAsked.first().text));
        QVERIFY(containerOpen());
        QCOMPARE(readFile(bmp), theirs);

        prompter().answers.enqueue(true);
        click(w().cmdWrClose);
        QVERIFY(!containerOpen());
        open(bmp);
        QCOMPARE(rows(), QStringList {"mine.txt"});
        QVERIFY(prompter().messages.isEmpty());
    }

    void failedWriteKeepsEverythingOpen()
    {
        const QString bmp = bitmap("keep.bmp", 100, 100);
        const QByteArray before = readFile(bmp);
        open(bmp);
        add(file("precious.txt", "precious"));
        {
            FileSizeLimit limit(1024);
            click(w().cmdWrClose);
        }
        QCOMPARE(prompter().messages.size(), 1);
        QVERIFY(prompter().messages.first().detail.contains("unchanged"));
        QVERIFY(containerOpen());
        QCOMPARE(rows(), QStringList {"precious.txt"});
        QCOMPARE(w().cmdWrClose->text(), QStringLiteral("&Write && Close"));
        QCOMPARE(readFile(bmp), before);

        click(w().cmdWrClose); // and a second try succeeds
        QVERIFY(!containerOpen());
        open(bmp);
        QCOMPARE(rows(), QStringList {"precious.txt"});
    }

    void pipesNeverBlockTheWindow()
    {
        const QString fifo = path("fifo");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        w().txtBitmap->setText(fifo);
        QVERIFY(!w().cmdOpen->isEnabled());
        open(bitmap("pipe.bmp"));
        add(fifo);
        QCOMPARE(prompter().fullTexts(),
            QStringList {"Error! It is a named pipe (FIFO), not a regular file."});
    }

    void namesShowAsTextNeverAsMarkup()
    {
        open(bitmap("markup.bmp"));
        const QString name = "<b>bold<b> & a name too long to keep.txt";
        add(file(name, "m"));
        QCOMPARE(rows(), QStringList {name});
        // The tooltip is markup; what it shows is the name as it is.
        const QString tip = w().lstFiles->item(0)->toolTip();
        QVERIFY2(QTextDocumentFragment::fromHtml(tip).toPlainText().contains(
                     "Stored as \"<b>bold<b> & a name too long\""),
            qPrintable(tip));

        // The real message box takes its texts as plain text.
        QList<Qt::TextFormat> formats;
        QTimer::singleShot(0, this, [&formats] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QLabel *label : box->findChildren<QLabel *>())
                if (!label->text().isEmpty())
                    formats << label->textFormat();
            box->accept();
        });
        Prompter::standard().message(&w(), QMessageBox::Critical, name, name);
        QCOMPARE(formats, (QList<Qt::TextFormat> {Qt::PlainText, Qt::PlainText}));
    }
};

QTEST_MAIN(TestFrmVeldra)
#include "tst_frmveldra.moc"
