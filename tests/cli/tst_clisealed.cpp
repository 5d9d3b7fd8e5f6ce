// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "TestBitmaps.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

// Sealed containers through the real veldra-cli, with the format's own key
// derivation: what a user and a script see.
class TestCliSealed : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    QString m_pw;
    QString m_wrong;

    static QJsonObject json(const Run &run)
    {
        return QJsonDocument::fromJson(run.out.toUtf8()).object();
    }

private slots:
    void initTestCase()
    {
        m_pw = put("pw", QStringLiteral("pass phr\u00e4se\n").toUtf8());
        m_wrong = put("wrong", "pass phrase\n");
    }

    void sealedFilesComeBackAndShowNothingElse()
    {
        const QString bmp = put("sealed.bmp", makeBitmap(800, 600, 1));
        const QString longName = QString(60, QChar(0x00e9)) + QString(70, 'n'); // 190 bytes
        const QByteArray data = randomBytes(20000, 2);
        QVERIFY(QDir(root()).mkpath("in"));
        Run run = cli({"seal", bmp, put("in/" + longName, data), put("in/empty", ""),
            "--password-file", m_pw});
        QCOMPARE(run.status, 0);
        run = cli({"list", bmp, "--sealed", "--password-file", m_pw});
        QCOMPARE(run.out, QStringLiteral("20000\t%1\n0\tempty\n").arg(longName));
        const QJsonObject info
            = json(cli({"info", bmp, "--sealed", "--json", "--password-file", m_pw}));
        QCOMPARE(info["sealed"].toBool(), true);
        QCOMPARE(info["files"].toInt(), 2);
        QCOMPARE(info["used"].toInt(), 20000);
        QVERIFY(QDir(root()).mkpath("out"));
        QCOMPARE(
            cli({"extract", bmp, "--sealed", "-o", path("out"), "--password-file", m_pw}).status,
            0);
        QCOMPARE(readFile(path("out/" + longName)), data);

        // Without the passphrase: a plain image, as a clean one is.
        const QString clean = put("clean.bmp", makeBitmap(800, 600, 3));
        QCOMPARE(cli({"info", bmp}).out, cli({"info", clean}).out);
        for (const QString &image : {bmp, clean}) {
            run = cli({"info", image, "--sealed", "--json", "--password-file", m_wrong});
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains("no sealed container opens with this passphrase"),
                qPrintable(run.err));
            QCOMPARE(json(run)["sealed"].toBool(true), false);
            QVERIFY(json(run)["room"].toInt() > 25000); // 1 440 000 pixel bytes / 49.6
        }
    }

    void aWrongPassphraseChangesNothing()
    {
        const QString bmp = put("guarded.bmp", makeBitmap(800, 600, 4));
        QCOMPARE(cli({"seal", bmp, put("a.txt", "a"), "--password-file", m_pw}).status, 0);
        const QByteArray sealed = readFile(bmp);
        for (const QStringList &command :
            {QStringList {"add", bmp, put("b.txt", "b")}, QStringList {"remove", bmp, "a.txt"},
                QStringList {"extract", bmp, "-o", root()}}) {
            const Run run = cli(command + QStringList {"--sealed", "--password-file", m_wrong});
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains("no sealed container opens"), qPrintable(run.err));
            QCOMPARE(readFile(bmp), sealed);
        }
        // Standard input goes in under a name, with the right passphrase.
        Run run = cli({"add", bmp, "-", "--name", "piped", "--sealed", "--password-file", m_pw},
            "from a pipe");
        QCOMPARE(run.status, 0);
        run = cli({"extract", bmp, "piped", "-o", "-", "--sealed", "--password-file", m_pw});
        QCOMPARE(run.out, QStringLiteral("from a pipe"));
    }

    // Sealing carries a plain container's files over and leaves no bit of
    // it; unsealing brings them back and leaves nothing sealed.
    void sealAndUnseal()
    {
        const QString bmp = put("convert.bmp", makeBitmap(800, 600, 5));
        const QByteArray plainData = randomBytes(3000, 6);
        QCOMPARE(cli({"add", bmp, put("plain.bin", plainData)}).status, 0);
        // Another name of the image keeps the plain container: sealing says so.
        QCOMPARE(::link(QFile::encodeName(bmp).constData(),
                     QFile::encodeName(path("other-name.bmp")).constData()),
            0);
        Run sealed = cli({"seal", bmp, put("new.txt", "new"), "--password-file", m_pw});
        QCOMPARE(sealed.status, 0);
        QVERIFY2(sealed.err.contains("another name (a hard link)"), qPrintable(sealed.err));
        QVERIFY(QFile::remove(path("other-name.bmp")));
        QCOMPARE(cli({"list", bmp, "--sealed", "--password-file", m_pw}).out,
            QStringLiteral("3000\tplain.bin\n3\tnew.txt\n"));
        QVERIFY(cli({"info", bmp}).out.contains("files: 0\n"));
        QVERIFY(!holdsAnyRunOf(hiddenStreamOf(bmp), plainData));

        QCOMPARE(cli({"unseal", bmp, "--password-file", m_pw}).status, 0);
        QCOMPARE(cli({"list", bmp}).out, QStringLiteral("3000\tplain.bin\n3\tnew.txt\n"));
        QCOMPARE(cli({"list", bmp, "--sealed", "--password-file", m_pw}).status, 1);
    }

    // A sealed name that turns its text around is shown escaped, in the
    // text output and in JSON alike.
    void namesThatTurnTextAroundAreEscaped()
    {
        const QString bmp = put("turned.bmp", makeBitmap(800, 600, 9));
        const QString name = QStringLiteral("invoice\u202Etxt.exe");
        QCOMPARE(cli({"seal", bmp, "--password-file", m_pw}).status, 0);
        QCOMPARE(
            cli({"add", bmp, "--sealed", "-", "--name", name, "--password-file", m_pw}, "x").status,
            0);
        const Run text = cli({"list", bmp, "--sealed", "--password-file", m_pw});
        QCOMPARE(text.out, QStringLiteral("1\tinvoice\\u202etxt.exe\n"));
        const Run json = cli({"list", bmp, "--sealed", "--json", "--password-file", m_pw});
        QVERIFY2(json.out.contains("invoice\\u202etxt.exe") && !json.out.contains(QChar(0x202E)),
            qPrintable(json.out));
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8())[0]["name"].toString(), name);
    }

    void usage()
    {
        const QString bmp = put("usage.bmp", makeBitmap(800, 600, 7));
        Run run = cli({"add", bmp, put("x", "x"), "--sealed", "--protect"});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.startsWith("--protect does not go with --sealed."), qPrintable(run.err));
        QCOMPARE(cli({"protect", bmp, "--sealed"}).status, 2);
        QCOMPARE(cli({"seal", bmp, "-"}).status, 2);
        run = cli({"seal", put("small.bmp", makeBitmap(100, 100, 8)), "--password-file", m_pw});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("too small for a sealed container"), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestCliSealed)
#include "tst_clisealed.moc"
