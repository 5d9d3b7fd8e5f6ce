// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "WindowFixture.h"
#include "ui/Prompter.h"
#include "ui/frmPassword.h"

#include <QCompleter>
#include <QElapsedTimer>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QTextDocumentFragment>
#include <QTimer>

// The window as desktop users reach for it: drops, several files at once,
// dialogs that start where the user works, the keyboard, tooltips.
class TestDesktop : public WindowFixture {
    Q_OBJECT

private:
    // Drops the files on target as a drag from a file manager would.
    static bool drop(QWidget *target, const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << (p.contains("://") ? QUrl(p) : QUrl::fromLocalFile(p));
        data.setUrls(urls);
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }
    static QString plain(const QString &tooltip)
    {
        return QTextDocumentFragment::fromHtml(tooltip).toPlainText();
    }

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

    void droppedFilesAreAddedOneByOne()
    {
        const QString bmp = bitmap("drop.bmp");
        // Anywhere on the window, or on the path box, a bitmap becomes the path.
        QVERIFY(drop(&w(), {bmp}));
        QCOMPARE(w().txtBitmap->text(), bmp);
        w().txtBitmap->clear();
        QVERIFY(drop(w().txtBitmap, {bmp}));
        QCOMPARE(w().txtBitmap->text(), bmp);
        QVERIFY(!drop(w().txtBitmap, {bmp, bmp})); // one path only

        click(w().cmdOpen);
        QVERIFY(drop(w().lstFiles->viewport(),
            {file("one.txt", "1"), m_dir->path(), file("two.txt", "22"), "https://example.org/x"}));
        QCOMPARE(rows(), (QStringList {"one.txt", "two.txt"}));
        QCOMPARE(prompter().messages.size(), 2);
        QCOMPARE(prompter().messages[0].text,
            QStringLiteral("Only files on this computer can be used."));
        QCOMPARE(
            prompter().messages[1].text, QStringLiteral("1 of the 3 files could not be added."));
        QVERIFY(prompter().messages[1].detail.contains("It is a folder, not a file."));
        QVERIFY(!drop(w().txtBitmap, {bmp})); // the path is locked while open
    }

    void addTakesSeveralFiles()
    {
        open(bitmap("several.bmp"));
        prompter().fileLists.enqueue(
            {file("a.txt", "a"), file("big.bin", QByteArray(4000, 'b')), file("Makefile", "m")});
        click(w().cmdAdd);
        QCOMPARE(rows(), (QStringList {"a.txt", "Makefile"}));
        QCOMPARE(prompter().messages.size(), 1);
        QVERIFY(prompter().messages[0].detail.startsWith(
            "big.bin: Not enough free space! The file has 4 000 bytes, but only 3 749 bytes are "
            "free."));
    }

    void dialogsStartWhereTheUserWorks()
    {
        QDir().mkpath(path("pictures"));
        QDir().mkpath(path("documents"));
        QDir().mkpath(path("out"));
        const QString bmp = file("pictures/photo.bmp", makeBitmap(100, 100));
        w().txtBitmap->setText(bmp);
        click(w().cmdBrowse);
        QCOMPARE(prompter().fileDialogStarts.last(), path("pictures"));
        QCOMPARE(w().cdl->selectedFiles().value(0), bmp);

        click(w().cmdOpen);
        click(w().cmdAdd); // cancelled: starts at the bitmap
        add(file("documents/d.txt", "d"));
        click(w().cmdAdd);
        QCOMPARE(prompter().fileDialogStarts.mid(1),
            (QStringList {path("pictures"), path("pictures"), path("documents")}));

        select("d.txt");
        prompter().folders.enqueue(path("out") + '/');
        click(w().cmdExtract);
        click(w().cmdExtractAll);
        QCOMPARE(prompter().folderStarts, (QStringList {path("pictures"), path("out") + '/'}));
    }

    void keyboard()
    {
        const QString bmp = bitmap("keys.bmp");
        w().txtBitmap->setText(bmp);
        w().txtBitmap->setFocus();
        QTest::keyClick(w().txtBitmap, Qt::Key_Return);
        QVERIFY(containerOpen());
        QCOMPARE(QApplication::focusWidget(), w().cmdAdd); // the list is empty
        add(file("k.txt", "k"));
        add(file("l.txt", "l"));
        click(w().cmdWrClose);
        QTest::keyClick(w().txtBitmap, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), w().lstFiles);

        select("k.txt");
        QTest::keyClick(w().lstFiles, Qt::Key_Delete);
        QCOMPARE(rows(), QStringList {"l.txt"});
        select("l.txt");
        QDir().mkpath(path("keyed"));
        prompter().folders.enqueue(path("keyed") + '/');
        QTest::keyClick(w().lstFiles, Qt::Key_Return);
        QCOMPARE(readFile(path("keyed/l.txt")), QByteArray("l"));
        QCOMPARE(prompter().texts(), QStringList {"Done."});
    }

    void rowsSortAsPeopleRead()
    {
        open(bitmap("sorted.bmp"));
        for (const QString &name : {QStringLiteral("zeta.txt"), QStringLiteral("\u00e9t\u00e9.txt"),
                 QStringLiteral("etc.txt"), QStringLiteral("Alpha.txt"), QStringLiteral("beta.txt"),
                 QStringLiteral("ETA.txt")})
            add(file(name, "x"));
        QCOMPARE(rows(),
            (QStringList {"Alpha.txt", "beta.txt", "ETA.txt", "etc.txt",
                QStringLiteral("\u00e9t\u00e9.txt"), "zeta.txt"}));
        click(w().cmdClose);
        open(bitmap("numbers.bmp"));
        for (const char *name : {"10.txt", "9.txt", "part 2.txt", "part 10.txt"})
            add(file(name, "12345"));
        QCOMPARE(rows(), (QStringList {"9.txt", "10.txt", "part 2.txt", "part 10.txt"}));
        QCOMPARE(w().lstFiles->item(0)->data(Qt::AccessibleDescriptionRole).toString(),
            QStringLiteral("5 bytes"));
    }

    // Names typed in quotes in the Add dialog that do not exist are named in
    // Add's result; the others go in.
    void typedNamesThatDoNotExistAreNamed()
    {
        open(bitmap("typed.bmp"));
        file("Alpha.txt", "a");
        file("zeta.txt", "z");
        w().cdl2->setDirectory(m_dir->path());
        QTimer::singleShot(0, w().cdl2, [this] {
            QVERIFY(QTest::qWaitForWindowExposed(w().cdl2));
            auto *name = w().cdl2->findChild<QLineEdit *>("fileNameEdit");
            name->clear();
            QTest::keyClicks(name, "\"Alpha.txt\" \"zeta.txt\" \"nothere.txt\"");
            QTest::keyClick(name, Qt::Key_Return);
        });
        const QStringList chosen = Prompter::standard().openFiles(w().cdl2);
        QCOMPARE(chosen, (QStringList {path("Alpha.txt"), path("zeta.txt"), path("nothere.txt")}));

        // A name beginning with ':' is a file in the folder like any other.
        file(":colon.txt", "c");
        QTimer::singleShot(0, w().cdl2, [this] {
            QVERIFY(QTest::qWaitForWindowExposed(w().cdl2));
            auto *name = w().cdl2->findChild<QLineEdit *>("fileNameEdit");
            name->clear();
            QTest::keyClicks(name, "\":colon.txt\" \"zeta.txt\"");
            QTest::keyClick(name, Qt::Key_Return);
        });
        QCOMPARE(Prompter::standard().openFiles(w().cdl2),
            (QStringList {path(":colon.txt"), path("zeta.txt")}));
        prompter().fileLists.enqueue(chosen);
        click(w().cmdAdd);
        QCOMPARE(rows(), (QStringList {"Alpha.txt", "zeta.txt"}));
        QCOMPARE(prompter().texts(), QStringList {"1 of the 3 files could not be added."});
        QVERIFY(prompter().messages.first().detail.startsWith("nothere.txt: Error! No such file"));
    }

    // Why a typed path cannot be opened shows in the path box's tooltip.
    void thePathBoxSaysWhy()
    {
        w().txtBitmap->setText(path("missing.bmp"));
        QCOMPARE(w().txtBitmap->toolTip(), QStringLiteral("No such file or directory."));
        QCOMPARE(w().txtBitmap->accessibleDescription(), w().txtBitmap->toolTip());
        w().txtBitmap->setText(m_dir->path());
        QCOMPARE(w().txtBitmap->toolTip(), QStringLiteral("It is a folder, not a file."));
        w().txtBitmap->setText(bitmap("there.bmp"));
        QVERIFY(w().txtBitmap->toolTip().startsWith("Its menu (right click"));
        QVERIFY(w().txtBitmap->accessibleDescription().startsWith("The path of"));
    }

    void figuresExplainThemselves()
    {
        open(bitmap("figures.bmp")); // 3 750 bytes
        add(file(QString(30, 'n') + ".txt", QByteArray(1234, 'n')));
        QCOMPARE(plain(w().lstFiles->item(0)->toolTip()),
            "1 234 bytes\nStored as \"" + QString(28, 'n')
                + "\": names keep at most 28 characters.");
        // The largest file the tooltip names goes in; one byte more does not.
        const QString tip = plain(w().lblFree->toolTip());
        const qint64 largest = 3750 - 14 - 32 - 1234 - 32;
        QVERIFY2(tip.startsWith("The largest file that can still be added: 2 438 bytes."),
            qPrintable(tip));
        QCOMPARE(w().lblFree->text(), QStringLiteral("2 516 bytes"));
        add(file("over.bin", QByteArray(largest + 1, 'o')));
        QCOMPARE(prompter().messages.size(), 1);
        add(file("fits.bin", QByteArray(largest, 'f')));
        QCOMPARE(rows().size(), 2);
        QVERIFY(plain(w().lblFree->toolTip())
                    .startsWith("The largest file that can still be added: 0 bytes."));
    }

    void aBitmapNamedAtStartIsOpened()
    {
        const QString bmp = bitmap("start.bmp");
        hide(bmp, {file("s.txt", "s")});
        w().txtBitmap->clear();
        w().openPath(bmp);
        QCOMPARE(w().txtBitmap->text(), bmp);
        QCOMPARE(rows(), QStringList {"s.txt"});

        // --help and --version need no display; a second bitmap is a usage error.
        QProcess veldra;
        QProcessEnvironment bare;
        bare.insert("PATH", qEnvironmentVariable("PATH"));
        veldra.setProcessEnvironment(bare);
        for (const QString option : {"--version", "--help"}) {
            veldra.start(VELDRA_GUI, {option});
            QVERIFY(veldra.waitForFinished(10000));
            QCOMPARE(veldra.exitCode(), 0);
            const QString out = QString::fromUtf8(veldra.readAllStandardOutput());
            QVERIFY2(option == "--help" ? out.contains("[BITMAP]")
                                        : out == "veldra " VELDRA_VERSION "\n",
                qPrintable(out));
        }
        veldra.start(VELDRA_GUI, {"a.bmp", "b.bmp"});
        QVERIFY(veldra.waitForFinished(10000));
        QCOMPARE(veldra.exitCode(), 2);
    }

    void aPictureIsOfferedAsACarrier()
    {
        QImage photo(40, 30, QImage::Format_RGB32);
        photo.fill(QColor(90, 140, 200));
        QVERIFY(photo.save(path("photo.png")));
        open(path("photo.png"));
        QCOMPARE(prompter().texts(), QStringList {"File isn't a bitmap!"});
        QCOMPARE(prompter().questionsAsked.size(), 1);
        QVERIFY(prompter().questionsAsked[0].text.startsWith(
            "This picture cannot carry hidden files as it is. Make a 24-bit BMP copy of it, "
            "\"photo.bmp\""));
        QVERIFY(!QFileInfo::exists(path("photo.bmp")) && !containerOpen());

        prompter().answers.enqueue(true);
        open(path("photo.png"));
        QVERIFY(containerOpen());
        QCOMPARE(w().txtBitmap->text(), path("photo.bmp"));
        QCOMPARE(w().lblCapacity->text(), QStringLiteral("450 bytes"));
        click(w().cmdClose);
        prompter().answers.enqueue(true);
        open(path("photo.png")); // the name is taken now
        QCOMPARE(w().txtBitmap->text(), path("photo (2).bmp"));
        QVERIFY(containerOpen());
    }

    void everyControlIsNamedForScreenReaders()
    {
        QString password;
        frmPassword dialog(password);
        QList<QWidget *> controls = dialog.findChildren<QWidget *>();
        for (QWidget *child : w().findChildren<QWidget *>()) {
            // The controls the window builds, not the parts Qt builds inside them.
            if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_")
                && child->parentWidget()
                && (child->parentWidget() == &w() || child->parentWidget() == w().fraFiles))
                controls << child;
        }
        QVERIFY(controls.size() > 20);
        for (QWidget *control : controls) {
            if (qobject_cast<QFileDialog *>(control) || control->objectName().startsWith("qt_"))
                continue;
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
            QVERIFY2(
                !control->accessibleDescription().isEmpty(), qPrintable(control->objectName()));
        }
    }

    void noPopupOutlivesItsDialog()
    {
        file("completion-one.txt", "1");
        file("completion-two.txt", "2");
        QFileDialog dialog(&w(), QString(), m_dir->path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QWidget *popup = nullptr;
        bool shown = false;
        QTimer::singleShot(0, &dialog, [&] {
            // Typing into the name box brings up the completion list once the
            // folder has been read.
            auto *name = dialog.findChild<QLineEdit *>("fileNameEdit");
            popup = name && name->completer() ? name->completer()->popup() : nullptr;
            QElapsedTimer waited;
            waited.start();
            while (popup && !popup->isVisible() && waited.elapsed() < 5000) {
                name->clear();
                QTest::keyClicks(name, "completion-");
                QTest::qWait(50);
            }
            shown = popup && popup->isVisible();
            static_cast<QDialog &>(dialog).done(QDialog::Accepted);
        });
        runFileDialog(&dialog);
        QVERIFY(shown);
        QVERIFY(!popup->isVisible());
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
