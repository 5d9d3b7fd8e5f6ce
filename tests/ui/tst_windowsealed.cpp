// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "WindowFixture.h"
#include "sealed/SealedSession.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMimeData>

// Sealed containers in the window, reached through the menu of the Open
// button and of the path box. Apart from one seal with the format's real key
// derivation, checked with veldra-cli, the derivation is made cheap through
// the controller's setSealedCost.
class TestWindowSealed : public WindowFixture {
    Q_OBJECT

private:
    static SealedKeys::Cost cheap() { return {1, std::size_t(8) << 20}; }
    // The menu of control, shown for Shift+F10 with control focused.
    static QMenu *menuOf(QWidget *control)
    {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F10, Qt::ShiftModifier);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    }
    // Chooses from the menu of control by the underlined letter.
    static void choose(QWidget *control, char letter)
    {
        QMenu *menu = menuOf(control);
        QVERIFY(menu);
        QTest::keyClick(menu, letter);
    }

private slots:
    void init()
    {
        setUp();
        w().controller().setSealedCost(cheap());
    }
    void cleanup() { tearDown(); }

    void theMenuIsThereForTheKeyboard()
    {
        QVERIFY(w().cmdOpen->toolTip().contains("Shift+F10"));
        QVERIFY(w().cmdOpen->accessibleDescription().contains("Shift+F10"));
        QVERIFY(w().txtBitmap->accessibleDescription().contains("Shift+F10"));
        w().txtBitmap->setText(bitmap("menu.bmp"));
        QCOMPARE(w().txtBitmap->toolTip(), w().cmdOpen->toolTip());
        QMenu *menu = menuOf(w().cmdOpen);
        QVERIFY(menu);
        QCOMPARE(menu->actions(), (QList<QAction *> {w().actOpenSealed, w().actSeal}));
        QCOMPARE(w().actOpenSealed->text() + w().actSeal->text(), "&Open sealed...&Seal...");
        QVERIFY(w().actOpenSealed->isEnabled() && w().actSeal->isEnabled());
        QTest::keyClick(menu, Qt::Key_Escape);
        QVERIFY(!QApplication::activePopupWidget() && w().isVisible());
        // The path box's own menu, by the Menu key, ends with both.
        QTest::keyClick(w().txtBitmap, Qt::Key_Menu);
        menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu && menu->actions().size() > 3 && menu->actions().last() == w().actSeal);
    }

    // A wrong passphrase or a dismissed dialog change nothing; the right one
    // opens it, and Add, a drop, Remove, Extract and Write & Close keep it
    // sealed. The password box does not apply meanwhile.
    void aSealedImageIsOpenedChangedAndWrittenBack()
    {
        const QString bmp = bitmap("keep.bmp", 160, 160);
        SealedSession made;
        made.setCost(cheap());
        QVERIFY(made.startNew(bmp).ok() && made.add(file("a.txt", "alpha")).ok());
        QVERIFY(made.writeBack(bmp, "pp", {}).ok() && made.open(bmp, "pp").ok());
        const QByteArray before = readFile(bmp);
        w().txtBitmap->setText(bmp);
        prompter().passwords.enqueue(QStringLiteral("wrong"));
        choose(w().cmdOpen, 'o');
        choose(w().txtBitmap, 'o'); // dismissed
        QCOMPARE(prompter().passwordKinds, (QStringList {"passphrase", "passphrase"}));
        QCOMPARE(
            prompter().texts(), QStringList {"no sealed container opens with this passphrase"});
        QVERIFY(!containerOpen() && w().chkUsePass->isEnabled());
        QCOMPARE(readFile(bmp), before);

        prompter().passwords.enqueue(QStringLiteral("pp"));
        choose(w().cmdOpen, 'o');
        QCOMPARE(w().lblCapacity->text(), frmVeldra::FormatBytes(made.space().capacity));
        QCOMPARE(w().lblFree->text(), frmVeldra::FormatBytes(made.space().free));
        QVERIFY(!w().chkUsePass->isEnabled());
        QVERIFY(w().chkUsePass->toolTip().contains("sealed container"));
        QVERIFY(QDir().mkpath(path("in")));
        add(file("in/keep.bmp", "not the image"));
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile(file("in/d.txt", "delta"))});
        QDragEnterEvent enter({5, 5}, Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QDropEvent drop({5, 5}, Qt::CopyAction, &dropped, Qt::LeftButton, {});
        QApplication::sendEvent(w().lstFiles->viewport(), &enter);
        QApplication::sendEvent(w().lstFiles->viewport(), &drop);
        select("a.txt");
        click(w().cmdRem);
        QCOMPARE(rows(), (QStringList {"d.txt", "keep.bmp"}));
        for (const char *row : {"keep.bmp", "d.txt"}) {
            select(row);
            prompter().folders.enqueue(m_dir->path() + '/');
            click(w().cmdExtract);
        }
        QVERIFY(prompter().messages[1].detail.contains("would replace the image"));
        QCOMPARE(readFile(bmp), before);
        QCOMPARE(readFile(path("d.txt")), QByteArray("delta"));
        click(w().cmdWrClose);
        QVERIFY(!containerOpen() && w().chkUsePass->isEnabled());
        QVERIFY(w().chkUsePass->toolTip().isEmpty());

        prompter().passwords.enqueue(QStringLiteral("pp"));
        choose(w().cmdOpen, 'o');
        QCOMPARE(rows(), (QStringList {"d.txt", "keep.bmp"}));
    }

    // Seal carries a plain container's files over, with the format's real
    // key derivation: veldra-cli finds them, and a plain Open finds nothing.
    void sealMakesASealedContainerOfAPlainOne()
    {
        const QString bmp = bitmap("plain.bmp", 160, 160);
        hide(bmp, {file("p.txt", "plain one"), file("q.txt", "plain two")}, "pw");
        w().controller().setSealedCost({});
        w().txtBitmap->setText(bmp);
        prompter().answers.enqueue(true);
        for (const char *typed : {"pw", "new one", "new one"})
            prompter().passwords.enqueue(QString(typed));
        choose(w().txtBitmap, 's');
        QVERIFY(prompter().questionsAsked[0].text.contains("plain container's files are carried"));
        QCOMPARE(prompter().passwordKinds.mid(2),
            (QStringList {"enter", "new passphrase", "confirm passphrase"}));
        QCOMPARE(rows(), (QStringList {"p.txt", "q.txt"}));
        click(w().cmdWrClose);
        QVERIFY(!containerOpen() && prompter().messages.isEmpty());
        const Run list = cli({"list", bmp, "--sealed", "--password-file", "-"}, "new one\n");
        QCOMPARE(list.out, QStringLiteral("9\tp.txt\n9\tq.txt\n"));
        open(bmp);
        QVERIFY(containerOpen() && rows().isEmpty());
    }
};

QTEST_MAIN(TestWindowSealed)
#include "tst_windowsealed.moc"
