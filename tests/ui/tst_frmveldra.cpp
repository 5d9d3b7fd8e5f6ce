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

    void layoutAtStart()
    {
        QCOMPARE(w().windowTitle(), QStringLiteral("Steganographic encoder/decoder 2.0"));
        QCOMPARE(w().size(), QSize(256, 330));
        QCOMPARE(w().minimumSize(), w().maximumSize());
        QVERIFY(!(w().windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(w().txtBitmap->text().isEmpty());
        QVERIFY(w().txtBitmap->isEnabled() && w().cmdBrowse->isEnabled());
        QVERIFY(!w().cmdOpen->isEnabled() && !w().cmdClose->isEnabled()
            && !w().cmdWrClose->isEnabled());
        QVERIFY(!w().fraFiles->isVisible());
        QVERIFY(w().shpFiles->isVisible());
        QCOMPARE(w().shpFiles->geometry(), QRect(8, 80, 241, 225));
        QCOMPARE(w().shpFiles->palette().color(QPalette::Window), QColor(128, 128, 128));
        QCOMPARE(w().lblCapacity->text(), QStringLiteral("0 bytes"));
        QVERIFY(!w().chkUsePass->isChecked());

        const QList<std::pair<const char *, const char *>> captions = {{"Label1", "Bitmap file:"},
            {"cmdBrowse", "..."}, {"cmdOpen", "&Open"}, {"cmdClose", "&Close"},
            {"cmdWrClose", "&Write && Close"}, {"Label2", "Capacity:"}, {"Label3", "Used space:"},
            {"Label4", "Free space:"}, {"cmdAdd", "&Add"}, {"cmdRem", "&Remove"},
            {"cmdExtract", "&Extract"}, {"cmdExtractAll", "E&xtract all"},
            {"chkUsePass", "Use &password encryption (slower)"}};
        for (const auto &[name, caption] : captions) {
            auto *control = w().findChild<QWidget *>(name);
            QVERIFY2(control, name);
            const QString text = qobject_cast<QLabel *>(control)
                ? qobject_cast<QLabel *>(control)->text()
                : qobject_cast<QAbstractButton *>(control)->text();
            QCOMPARE(text, QString::fromUtf8(caption));
        }
        QCOMPARE(w().fraFiles->title(), QStringLiteral("Files inside / Security"));
        QCOMPARE(w().lblCopy->font().pointSizeF(), 6.75);
        QVERIFY(!w().lblCopy->text().isEmpty());
        QVERIFY(!w().windowIcon().isNull());
        for (QPushButton *button : w().findChildren<QPushButton *>())
            QVERIFY2(
                !button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    }

    void everyCaptionShowsWhole()
    {
        for (QWidget *control : w().captionedControls())
            QVERIFY2(frmVeldra::captionFits(control), qPrintable(control->objectName()));
    }

    void fileDialogsAreConfigured()
    {
        QCOMPARE(w().cdl->nameFilters().first(), QStringLiteral("Bitmap (*.bmp)"));
        QCOMPARE(w().cdl2->nameFilters(), QStringList {"Everything (*)"});
        QCOMPARE(w().cdl->defaultSuffix(), QStringLiteral("bmp"));
        QCOMPARE(w().cdl->fileMode(), QFileDialog::ExistingFile);
        // Add takes several files, and "Makefile" means Makefile.
        QCOMPARE(w().cdl2->defaultSuffix(), QString());
        QCOMPARE(w().cdl2->fileMode(), QFileDialog::ExistingFiles);
        for (QFileDialog *d : {w().cdl, w().cdl2})
            QCOMPARE(d->acceptMode(), QFileDialog::AcceptOpen);
    }

    void tabOrderFollowsTheDesignAndSkipsHiddenControls()
    {
        const QString bmp = bitmap("tab.bmp");
        w().txtBitmap->setText(bmp);
        w().txtBitmap->setFocus();
        QStringList visited;
        for (int i = 0; i < 3; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, (QStringList {"txtBitmap", "cmdBrowse", "cmdOpen"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtBitmap"));

        open(bmp);
        w().cmdWrClose->setFocus();
        visited.clear();
        for (int i = 0; i < 8; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited,
            (QStringList {"cmdWrClose", "lstFiles", "cmdAdd", "cmdRem", "cmdExtract",
                "cmdExtractAll", "chkUsePass", "cmdClose"}));
    }

    void hiddenFrameIsOutOfReach()
    {
        const QString bmp = bitmap("reach.bmp");
        w().txtBitmap->setText(bmp);
        // Not by mouse: the grey shape is what lies under the buttons' places.
        const QPoint addCentre = w().cmdAdd->mapTo(&w(), w().cmdAdd->rect().center());
        QCOMPARE(w().childAt(addCentre), w().shpFiles);
        // Not by access key. A button pressed by its access key clicks after a
        // short animation, so give it time.
        for (Qt::Key key : {Qt::Key_A, Qt::Key_R, Qt::Key_E, Qt::Key_X, Qt::Key_P})
            QTest::keyClick(&w(), key, Qt::AltModifier);
        QTest::qWait(300);
        QVERIFY(prompter().fileDialogsAsked.isEmpty());
        QCOMPARE(prompter().foldersAsked, 0);
        QCOMPARE(prompter().passwordsAsked, 0);
        QVERIFY(prompter().messages.isEmpty());

        // Once open, the same keys reach them.
        open(bmp);
        QCOMPARE(w().childAt(addCentre), w().cmdAdd);
        QTest::keyClick(&w(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(prompter().fileDialogsAsked, QStringList {"cdl2"});
        QTest::keyClick(&w(), Qt::Key_X, Qt::AltModifier);
        QTRY_COMPARE(prompter().foldersAsked, 1);
        QTest::keyClick(&w(), Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(prompter().passwordsAsked, 1);
        QTest::keyClick(&w(), Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(!containerOpen());
        QTest::keyClick(&w(), Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(containerOpen());
    }

    void openButtonFollowsThePath()
    {
        const QString bmp = bitmap("follow.bmp");
        w().txtBitmap->setText(bmp);
        QVERIFY(w().cmdOpen->isEnabled());
        w().txtBitmap->setText(m_dir->path());
        QVERIFY(!w().cmdOpen->isEnabled());
        w().txtBitmap->setText(path("missing.bmp"));
        QVERIFY(!w().cmdOpen->isEnabled());
        w().txtBitmap->clear();
        QVERIFY(!w().cmdOpen->isEnabled());
        QTest::keyClicks(w().txtBitmap, bmp);
        QVERIFY(w().cmdOpen->isEnabled());
    }

    void browse()
    {
        const QString bmp = bitmap("browse.bmp");
        w().txtBitmap->setText("typed");
        click(w().cmdBrowse); // cancelled
        QCOMPARE(w().txtBitmap->text(), QStringLiteral("typed"));
        prompter().files.enqueue(bmp);
        click(w().cmdBrowse);
        QCOMPARE(prompter().fileDialogsAsked, (QStringList {"cdl", "cdl"}));
        QCOMPARE(w().txtBitmap->text(), bmp);
        QVERIFY(w().cmdOpen->isEnabled());
    }

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

    void passwordProtection()
    {
        const QString bmp = bitmap("secret.bmp");
        const QByteArray data = randomBytes(200, 4);
        hide(bmp, {file("data.bin", data)}, "pw");
        QCOMPARE(w().Password(), QStringLiteral("pw"));

        // Wrong password: one message, nothing open, the path kept.
        prompter().passwords.enqueue(QStringLiteral("wrong"));
        open(bmp);
        QCOMPARE(prompter().texts(), QStringList {"Invalid password!"});
        QVERIFY(!containerOpen());
        QVERIFY(w().cmdOpen->isEnabled());
        QCOMPARE(w().txtBitmap->text(), bmp);

        // The right one: asked exactly once, the box checked without asking.
        // Open is still at work meanwhile: its button says so.
        const int askedBefore = prompter().passwordsAsked;
        prompter().passwords.enqueue(QStringLiteral("pw"));
        QString captionWhileAsked;
        bool busyCursor = false;
        prompter().onPassword = [&] {
            captionWhileAsked = w().cmdOpen->text();
            busyCursor = QApplication::overrideCursor() != nullptr;
        };
        open(bmp);
        prompter().onPassword = nullptr;
        QCOMPARE(captionWhileAsked, QStringLiteral("Wait..."));
        QVERIFY(busyCursor);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(w().cmdOpen->text(), QStringLiteral("&Open"));
        QVERIFY(containerOpen());
        QCOMPARE(prompter().passwordsAsked, askedBefore + 1);
        QVERIFY(w().chkUsePass->isChecked());
        QVERIFY(!w().isLoading());
        QDir().mkpath(path("pwout"));
        select("data.bin");
        prompter().folders.enqueue(folderWithSeparator(path("pwout")));
        click(w().cmdExtract);
        QCOMPARE(readFile(path("pwout/data.bin")), data);
        click(w().cmdClose);

        // A dismissed dialog keeps the remembered password, which opens it.
        open(bmp);
        QVERIFY(containerOpen());
        QCOMPARE(w().Password(), QStringLiteral("pw"));
    }

    void aRefusedPasswordIsForgotten()
    {
        const QString secret = bitmap("refused.bmp");
        const QString fresh = bitmap("next.bmp");
        hide(secret, {file("s.txt", "s")}, "right");
        QVERIFY(w().chkUsePass->isChecked());
        prompter().passwords.enqueue(QStringLiteral("wrnog"));
        open(secret);
        QCOMPARE(prompter().texts(), QStringList {"Invalid password!"});
        QVERIFY(w().Password().isEmpty());
        QVERIFY(!w().chkUsePass->isChecked());
        // The next image is not protected with the mistyped password.
        hide(fresh, {file("f.txt", "f")});
        QVERIFY(!storedHeader(fresh).UsePassword);
    }

    void aNewPasswordIsTypedTwice()
    {
        open(bitmap("twice.bmp"));
        prompter().passwords.enqueue(QStringLiteral("one"));
        prompter().passwords.enqueue(QStringLiteral("two"));
        click(w().chkUsePass);
        QCOMPARE(prompter().passwordKinds, (QStringList {"enter", "confirm"}));
        QCOMPARE(prompter().texts(), QStringList {"The two passwords differ."});
        QVERIFY(!w().chkUsePass->isChecked());
        QVERIFY(w().Password().isEmpty());
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

    void checkBoxAndPassword()
    {
        open(bitmap("box.bmp"));
        prompter().passwords.enqueue(QString()); // confirms an empty text
        click(w().chkUsePass);
        QVERIFY(!w().chkUsePass->isChecked());
        click(w().chkUsePass); // dismissed while Password is empty
        QVERIFY(!w().chkUsePass->isChecked());

        prompter().passwords.enqueue(QStringLiteral("first"));
        prompter().passwords.enqueue(QStringLiteral("first"));
        click(w().chkUsePass);
        QVERIFY(w().chkUsePass->isChecked());
        QCOMPARE(w().Password(), QStringLiteral("first"));
        click(w().chkUsePass); // unchecking empties the password
        QVERIFY(w().Password().isEmpty());

        prompter().passwords.enqueue(QStringLiteral("second"));
        prompter().passwords.enqueue(QStringLiteral("second"));
        click(w().chkUsePass);
        click(w().chkUsePass);
        QVERIFY(w().Password().isEmpty());
        QCOMPARE(prompter().passwordsAsked, 6);
    }

    void passwordCarriesOverToTheNextContainer()
    {
        const QString plain = bitmap("plain.bmp");
        const QString secret = bitmap("secret.bmp");
        const QString fresh = bitmap("fresh.bmp");
        hide(plain, {file("p.txt", "p")});
        QCOMPARE(storedHeader(plain).PasswordHash, 0);
        hide(secret, {file("s.txt", "s")}, "carried");

        // A plain container opened after a protected one: the box is cleared
        // without touching the password, whose hash is then written.
        open(plain);
        QVERIFY(!w().chkUsePass->isChecked());
        QCOMPARE(w().Password(), QStringLiteral("carried"));
        click(w().cmdWrClose);
        QVERIFY(!storedHeader(plain).UsePassword);
        QCOMPARE(storedHeader(plain).PasswordHash, 16074779); // the hash of "carried"
        const int asked = prompter().passwordsAsked;
        open(plain);
        QCOMPARE(prompter().passwordsAsked, asked);
        QCOMPARE(rows(), QStringList {"p.txt"});
        click(w().cmdClose);

        // An image without a container opened while the box is still checked
        // is written protected with the earlier password.
        prompter().passwords.enqueue(QStringLiteral("carried"));
        open(secret);
        click(w().cmdClose);
        open(fresh);
        QVERIFY(w().chkUsePass->isChecked());
        add(file("f.txt", "f"));
        click(w().cmdWrClose);
        QVERIFY(storedHeader(fresh).UsePassword);
        prompter().passwords.enqueue(QStringLiteral("not it"));
        open(fresh);
        QCOMPARE(prompter().texts(), QStringList {"Invalid password!"});
    }

    void escapeEndsTheProgramWithoutWriting_data()
    {
        QTest::addColumn<bool>("withContainer");
        QTest::newRow("no container") << false;
        QTest::newRow("container open") << true;
    }
    void escapeEndsTheProgramWithoutWriting()
    {
        QFETCH(bool, withContainer);
        const QString bmp = bitmap("esc.bmp");
        const QByteArray before = readFile(bmp);
        QLineEdit *receiver = w().txtBitmap;
        if (withContainer) {
            open(bmp);
            add(file("e.txt", "e"));
            select("e.txt");
            w().lstFiles->setFocus();
        }
        QWidget *focus = withContainer ? static_cast<QWidget *>(w().lstFiles) : receiver;
        QTest::keyClick(focus, Qt::Key_Escape);
        QVERIFY(!w().isVisible());
        QVERIFY(!containerOpen());
        QCOMPARE(w().openFile(), nullptr);
        QCOMPARE(readFile(bmp), before);
        QVERIFY(prompter().messages.isEmpty());
    }

    // The labels keep their fixed pattern; messages group every three digits.
    void formatBytes_data()
    {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("0") << qint64(0) << "0 bytes"
                           << "0 bytes";
        QTest::newRow("1") << qint64(1) << "1 bytes"
                           << "1 byte";
        QTest::newRow("999") << qint64(999) << "999 bytes"
                             << "999 bytes";
        QTest::newRow("1234") << qint64(1234) << "1 234 bytes"
                              << "1 234 bytes";
        QTest::newRow("12345") << qint64(12345) << "12 345 bytes"
                               << "12 345 bytes";
        QTest::newRow("123456") << qint64(123456) << "123 456 bytes"
                                << "123 456 bytes";
        QTest::newRow("1234567") << qint64(1234567) << "1234 567 bytes"
                                 << "1 234 567 bytes";
        QTest::newRow("2147483647") << qint64(2147483647) << "2147483 647 bytes"
                                    << "2 147 483 647 bytes";
        QTest::newRow("-5") << qint64(-5) << "-5 bytes"
                            << "-5 bytes";
        QTest::newRow("-1234") << qint64(-1234) << "-1 234 bytes"
                               << "-1 234 bytes";
    }
    void formatBytes()
    {
        QFETCH(qint64, count);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QCOMPARE(frmVeldra::FormatBytes(count), text);
        QCOMPARE(bytesText(count), message);
    }

    void folderPathsEndInOneSeparator()
    {
        QCOMPARE(folderWithSeparator("/home/user/Work"), QStringLiteral("/home/user/Work/"));
        QCOMPARE(folderWithSeparator("/home/user/Work/"), QStringLiteral("/home/user/Work/"));
        QCOMPARE(folderWithSeparator("/"), QStringLiteral("/"));
        QCOMPARE(folderWithSeparator(QString()), QString());
        const QString deep = "/" + QStringList(40, QString(10, 'd')).join('/');
        QCOMPARE(folderWithSeparator(deep), deep + '/');
    }
};

QTEST_MAIN(TestFrmVeldra)
#include "tst_frmveldra.moc"
