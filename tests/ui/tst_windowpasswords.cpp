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

// The password of the main window: typed, refused, confirmed, carried on.
class TestWindowPasswords : public WindowFixture {
    Q_OBJECT

private slots:
    void init() { setUp(); }
    void cleanup() { tearDown(); }

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
};

QTEST_MAIN(TestWindowPasswords)
#include "tst_windowpasswords.moc"
