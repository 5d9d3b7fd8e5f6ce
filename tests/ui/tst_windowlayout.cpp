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

// The main window as it starts: its controls, captions, dialogs, keys and
// the figures of its labels.
class TestWindowLayout : public WindowFixture {
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

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
