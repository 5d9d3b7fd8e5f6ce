// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "TestBitmaps.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <unistd.h>

// What veldra-cli leaves behind and reports around a write: readers beside
// writers, bytes a removal frees, extraction over the image it reads, damage
// and images cut short.
class TestCliSafety : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    static QJsonValue json(const QStringList &arguments)
    {
        const QJsonDocument document = QJsonDocument::fromJson(cli(arguments).out.toUtf8());
        return document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    }

private slots:
    void readersBesideWritersSeeWholeContainers()
    {
        const QString bmp = put("busy.bmp", makeBitmap(1000, 1000, 1));
        QStringList files;
        QVERIFY(QDir(root()).mkpath("many"));
        for (int i = 0; i < 1500; ++i)
            files << put(QString("many/f%1.txt").arg(i), QByteArray::number(i));
        QCOMPARE(cli(QStringList {"add", bmp} + files).status, 0);

        const QString extra = put("extra.txt", "extra");
        QProcess writer;
        writer.start("bash",
            {"-c",
                QString("for i in $(seq 40); do '%1' add '%2' '%3' && '%1' remove '%2' extra.txt "
                        "|| exit 1; done")
                    .arg(VELDRA_CLI, bmp, extra)});
        int reads = 0;
        // (waitForFinished lets QProcess notice that the loop has ended.)
        while (
            !(writer.waitForFinished(0) || writer.state() == QProcess::NotRunning) || reads < 5) {
            const Run run = cli({"list", bmp});
            QCOMPARE(run.status, 0);
            QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
            const qsizetype rows = run.out.count('\n');
            QVERIFY2(rows == 1500 || rows == 1501, qPrintable(QString::number(rows)));
            ++reads;
        }
        QVERIFY2(writer.exitStatus() == QProcess::NormalExit && writer.exitCode() == 0,
            writer.readAllStandardError().constData());
        QVERIFY(reads > 10);
    }

    void removedFilesLeaveNothingBehind_data()
    {
        QTest::addColumn<QStringList>("protection");
        QTest::newRow("plain") << QStringList();
        QTest::newRow("password") << QStringList {"--protect", "--password-file", "pw"};
    }
    void removedFilesLeaveNothingBehind()
    {
        QFETCH(QStringList, protection);
        if (!protection.isEmpty())
            protection.last() = put("pw", "secret\n");
        const QString bmp = put("wipe.bmp", makeBitmap(200, 200, 2));
        const QByteArray secret = randomBytes(3000, 7);
        QCOMPARE(cli(QStringList {"add", bmp, put("secret.bin", secret), put("kept.txt", "kept")}
                     + protection)
                     .status,
            0);
        const QByteArray stored = hiddenStreamOf(bmp);
        QVERIFY(holdsAnyRunOf(stored, secret) == protection.isEmpty());
        QCOMPARE(cli(QStringList {"remove", bmp, "secret.bin"} + protection.mid(1)).status, 0);
        const QByteArray after = hiddenStreamOf(bmp);
        QVERIFY(!holdsAnyRunOf(after, secret));
        // Nor as it was stored, scrambled.
        QVERIFY(!holdsAnyRunOf(after, stored.mid(14 + 32, 3000)));
        QVERIFY(!after.contains("secret.bin"));
    }

    void extractionNeverReplacesTheImage()
    {
        QVERIFY(QDir(root()).mkpath("self"));
        const QString bmp = put("self/photo.bmp", makeBitmap(100, 100, 3));
        QCOMPARE(cli({"add", bmp, put("photo.bmp", "tiny"), put("plan.txt", "plan")}).status, 0);
        const QByteArray image = readFile(bmp);
        QVERIFY(QFile::link(bmp, path("self/link.bmp")));

        QProcess extract;
        extract.setWorkingDirectory(path("self"));
        startCli(extract, {"extract", "photo.bmp"});
        const Run run = finishCli(extract);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("would replace the image"), qPrintable(run.err));
        QCOMPARE(readFile(bmp), image);
        QCOMPARE(readFile(path("self/plan.txt")), QByteArray("plan"));
        // Through a link to it, from another folder.
        QVERIFY(QDir(root()).mkpath("elsewhere"));
        QVERIFY(QFile::link(bmp, path("elsewhere/photo.bmp")));
        QCOMPARE(
            cli({"extract", path("self/link.bmp"), "photo.bmp", "-o", path("elsewhere")}).status,
            1);
        QCOMPARE(readFile(bmp), image);

        // Other files are replaced, unless asked to keep them.
        const QString plan = put("self/plan.txt", "mine");
        QCOMPARE(cli({"extract", bmp, "plan.txt", "-o", path("self"), "--no-clobber"}).status, 1);
        QCOMPARE(readFile(plan), QByteArray("mine"));
        QCOMPARE(cli({"extract", bmp, "plan.txt", "-o", path("self")}).status, 0);
        QCOMPARE(readFile(plan), QByteArray("plan"));
    }

    void otherNamesOfTheImageAreMentioned()
    {
        const QString bmp = put("named.bmp", makeBitmap(100, 100, 3));
        QVERIFY(::link(QFile::encodeName(bmp).constData(),
                    QFile::encodeName(path("second-name.bmp")).constData())
            == 0);
        const Run run = cli({"add", bmp, put("n.txt", "n")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("another name (a hard link)"), qPrintable(run.err));
        QCOMPARE(cli({"add", bmp, put("m.txt", "m")}).err, QString());
    }

    void damageIsNeverReportedAsSuccess()
    {
        // A record whose size runs past the end: the second file is lost.
        const QString bmp = put("damaged.bmp", makeBitmap(100, 100, 4));
        QCOMPARE(cli({"add", bmp, put("a.txt", "aaaa"), put("b.txt", "bbbb")}).status, 0);
        QByteArray bytes = readFile(bmp);
        const qint64 lengthBit = 54 + 8 * (14 + 32 + 4 + 31); // b.txt's length, top byte
        bytes[lengthBit - 1] = char(bytes[lengthBit - 1] | 1);
        QVERIFY(writeFile(bmp, bytes));

        QVERIFY(QDir(root()).mkpath("out"));
        const Run run = cli({"extract", bmp, "-o", path("out")});
        QCOMPARE(run.status, 1);
        QCOMPARE(readFile(path("out/a.txt")), QByteArray("aaaa"));
        QVERIFY(!QFileInfo::exists(path("out/b.txt")));
        QCOMPARE(cli({"extract", bmp, "a.txt", "-o", path("out")}).status, 0);

        const QJsonObject info = json({"info", bmp, "--json"}).toObject();
        QCOMPARE(info["damaged"].toBool(), true);
        QCOMPARE(info["unreadable"].toInteger(), 1);
        const QJsonArray list = json({"list", bmp, "--json"}).toArray();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].toObject()["name"].toString(), QStringLiteral("a.txt"));
        QCOMPARE(list[1].toObject()["unreadable"].toInteger(), 1);
        QVERIFY(!list[1].toObject().contains("name"));
        QCOMPARE(json({"info", put("whole.bmp", makeBitmap(10, 10)), "--json"})
                     .toObject()["damaged"]
                     .toBool(true),
            false);
    }

    void endlessPasswordsAreRefused()
    {
        const QString bmp = put("pw.bmp", makeBitmap(100, 100, 5));
        const QByteArray before = readFile(bmp);
        for (const QString &file :
            {QStringLiteral("/dev/zero"), put("long", QByteArray(5000, 'p'))}) {
            const Run run
                = cli({"add", bmp, put("x.txt", "x"), "--protect", "--password-file", file});
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains("longer than 4096 bytes"), qPrintable(run.err));
            QCOMPARE(readFile(bmp), before);
        }
    }

    void imagesCutShortAreSaidSoAndNotMadeWorse()
    {
        const QByteArray full = makeBitmap(100, 100, 6);
        const QString whole = put("whole.bmp", full);
        QCOMPARE(
            cli({"add", whole, put("a.bin", randomBytes(10, 1)), put("b.bin", randomBytes(400, 2))})
                .status,
            0);
        // The file ends inside b.bin's data.
        const QString cut
            = put("cut.bmp", readFile(whole).left(54 + 8 * (14 + 32 + 10 + 32 + 200)));
        const QByteArray before = readFile(cut);
        QVERIFY(QDir(root()).mkpath("cutout"));
        Run run = cli({"extract", cut, "-o", path("cutout")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("cut short"), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(path("cutout/b.bin")));
        const QJsonObject info = json({"info", cut, "--json"}).toObject();
        QCOMPARE(info["files"].toInteger(), 1);
        QCOMPARE(info["missing_bytes"].toInteger(), 30000 - 8 * (14 + 32 + 10 + 32 + 200));

        QCOMPARE(cli({"remove", cut, "a.bin"}).status, 1);
        QCOMPARE(readFile(cut), before);
        // Cut short after the container: a write would fill the rest.
        const QString tail = put("tail.bmp", readFile(whole).left(54 + 8 * 1000));
        run = cli({"remove", tail, "a.bin"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("--force"), qPrintable(run.err));
        QCOMPARE(QFileInfo(tail).size(), 54 + 8 * 1000);
        QCOMPARE(cli({"remove", tail, "a.bin", "--force"}).status, 0);
        QCOMPARE(QFileInfo(tail).size(), full.size());
        QCOMPARE(cli({"list", tail}).out, QStringLiteral("400\tb.bin\n"));

        // A header that claims far more than the file holds, and a container
        // of 2^31 - 1 files in the few pixel bytes there are.
        BitmapShape shape;
        shape.width = 16384;
        shape.height = 10000;
        QByteArray lying = bitmapHeaders(shape, 166);
        QByteArray header("VLD2\xff\xff\xff\x7f\0\0\0\0\0\0", 14);
        for (const char byte : header) {
            for (int j = 0; j < 8; ++j)
                lying.append(char((byte >> j) & 1));
        }
        const QString claim = put("claim.bmp", lying);
        run = cli({"info", claim, "--json"});
        QCOMPARE(run.status, 0);
        const QJsonObject claimed = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(claimed["files"].toInteger(), 0);
        QCOMPARE(claimed["damaged"].toBool(), true);
        QCOMPARE(cli({"add", claim, put("c.txt", "c")}).status, 1);
        QCOMPARE(QFileInfo(claim).size(), 166);
    }
};

QTEST_GUILESS_MAIN(TestCliSafety)
#include "tst_clisafety.moc"
