// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ScriptedPrompter.h"
#include "ui/frmPassword.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestFrmPassword : public QObject {
    Q_OBJECT

private slots:
    void layout()
    {
        QString password;
        frmPassword dialog(password);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Enter password..."));
        QCOMPARE(dialog.size(), QSize(169, 64));
        QVERIFY(dialog.cmdOK->isDefault());
        QCOMPARE(dialog.cmdOK->text(), QStringLiteral("OK"));
        QVERIFY(dialog.windowFlags() & Qt::Tool);
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QVERIFY(dialog.txtPassword->text().isEmpty());
        QVERIFY(!dialog.txtPassword->testAttribute(Qt::WA_InputMethodEnabled));
    }

    void typedCharactersShowAsStars()
    {
        QString password;
        frmPassword dialog(password);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(dialog.txtPassword, "s3cret");
        QCOMPARE(dialog.txtPassword->displayText(), QStringLiteral("******"));
        QCOMPARE(dialog.txtPassword->echoMode(), QLineEdit::Password);
    }

    void okAndEnterStoreTheText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("useEnter");
        QTest::newRow("OK") << "open sesame" << false;
        QTest::newRow("Enter") << "open sesame" << true;
        QTest::newRow("empty OK") << "" << false;
        QTest::newRow("long") << QString(5000, 'k') << true;
    }
    void okAndEnterStoreTheText()
    {
        QFETCH(QString, typed);
        QFETCH(bool, useEnter);
        QString password = "earlier";
        frmPassword dialog(password);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.txtPassword->setText(typed);
        if (useEnter)
            QTest::keyClick(dialog.txtPassword, Qt::Key_Return);
        else
            QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        QCOMPARE(password, typed);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void escapeAndCloseBoxLeaveThePasswordAlone_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Escape in the text box") << 0;
        QTest::newRow("Escape on the button") << 1;
        QTest::newRow("close box") << 2;
    }
    void escapeAndCloseBoxLeaveThePasswordAlone()
    {
        QFETCH(int, how);
        QString password = "remembered";
        frmPassword dialog(password);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.txtPassword->setText("typed but dismissed");
        if (how == 0)
            QTest::keyClick(dialog.txtPassword, Qt::Key_Escape);
        else if (how == 1)
            QTest::keyClick(dialog.cmdOK, Qt::Key_Escape);
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(password, QStringLiteral("remembered"));
    }

    void refusesCharactersTheContainerCannotStore()
    {
        ScriptedPrompter prompter;
        QString password = "before";
        frmPassword dialog(password, nullptr, &prompter);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.txtPassword->setText(QStringLiteral("\u0142\u00f3d\u017a"));
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        QCOMPARE(prompter.messages.size(), 1);
        QCOMPARE(prompter.messages.first().icon, QMessageBox::Critical);
        QVERIFY(prompter.messages.first().text.contains("U+0142"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(password, QStringLiteral("before"));

        dialog.txtPassword->setText(QStringLiteral("caf\u00e9 \u20ac"));
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        QCOMPARE(password, QStringLiteral("caf\u00e9 \u20ac"));
    }

    // A sealed container's passphrase: any text, of at most 4096 bytes.
    void aPassphraseIsAnyTextUpTo4096Bytes()
    {
        ScriptedPrompter prompter;
        QString passphrase = "before";
        frmPassword dialog(passphrase, nullptr, &prompter);
        dialog.askForPassphrase("New passphrase...");
        dialog.show();
        for (const int length : {2049, 2048}) { // two bytes each in UTF-8
            dialog.txtPassword->setText(QString(length, QChar(0x0142)));
            QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        }
        QCOMPARE(prompter.texts(), QStringList {"A passphrase has at most 4096 bytes."});
        QCOMPARE(passphrase, QString(2048, QChar(0x0142)));
    }
};

QTEST_MAIN(TestFrmPassword)
#include "tst_frmpassword.moc"
