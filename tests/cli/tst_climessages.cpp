// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "TestBitmaps.h"

#include <QDir>
#include <QtTest>

// What veldra-cli says to people: help, hints, the reasons it gives, and
// byte counts in messages.
class TestCliMessages : public QObject, private ScratchFolder {
    Q_OBJECT

private slots:
    void helpNamesTheProgram()
    {
        const Run help = cli({"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY2(help.out.startsWith("Usage: veldra-cli [options]"), qPrintable(help.out));
        QVERIFY(!help.out.contains("--help-all"));
        QCOMPARE(cli({"--help-all"}).status, 2);
    }

    void namesThatLookLikeOptionsGetAHint()
    {
        const QString bmp = put("dash.bmp", makeBitmap(100, 100, 1));
        put("-dash.txt", "dash");
        QProcess process;
        process.setWorkingDirectory(root());
        startCli(process, {"add", bmp, "-dash.txt"});
        Run run = finishCli(process);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("put \"--\" before it"), qPrintable(run.err));
        startCli(process, {"add", bmp, "--", "-dash.txt"});
        QCOMPARE(finishCli(process).status, 0);
    }

    void storedNamesSayWhyTheyDiffer()
    {
        const QString bmp = put("names.bmp", makeBitmap(100, 100, 2));
        QVERIFY(QDir(root()).mkpath("n"));
        Run run = cli({"add", bmp, put("n/ lead.txt", "x")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("stored as \"lead.txt\" (blanks at the start or end of a name "
                                  "are not kept)."),
            qPrintable(run.err));
        run = cli({"add", bmp, put("n/" + QString(30, 'x'), "x")});
        QVERIFY2(run.err.contains("(names keep at most 28 characters)."), qPrintable(run.err));
    }

    void messagesGroupEveryThreeDigits()
    {
        const QString bmp = put("big.bmp", makeBitmap(2000, 2000, 3)); // 1 500 000 bytes
        const Run run = cli({"add", bmp, put("huge.bin", QByteArray(1600000, 'h'))});
        QCOMPARE(run.status, 1);
        QVERIFY2(
            run.err.contains("The file has 1 600 000 bytes, but only 1 500 000 bytes are free."),
            qPrintable(run.err));
    }

    void extractionFoldersAreNamedOnceAndMade()
    {
        const QString bmp = put("out.bmp", makeBitmap(100, 100, 4));
        QCOMPARE(cli({"add", bmp, put("a.txt", "a"), put("b.txt", "b")}).status, 0);
        QCOMPARE(cli({"extract", bmp, "-o", path("made/deeper")}).status, 0);
        QCOMPARE(readFile(path("made/deeper/b.txt")), QByteArray("b"));

        const Run run = cli({"extract", bmp, "-o", path("a.txt")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err,
            QString("Files cannot be written into the folder %1. It is not a folder.\n")
                .arg(path("a.txt")));
    }

    void namesThatAreNotTextAreSaidSo()
    {
        const QString bmp = put("bytes.bmp", makeBitmap(100, 100, 5));
        QProcess bash;
        bash.setWorkingDirectory(root());
        bash.start("bash",
            {"-c",
                QString("printf x > $'caf\\xe9.txt' && '%1' add '%2' $'caf\\xe9.txt'; "
                        "status=$?; rm $'caf\\xe9.txt'; exit $status")
                    .arg(VELDRA_CLI, bmp)});
        QVERIFY(bash.waitForFinished());
        QCOMPARE(bash.exitCode(), 1);
        const QString err = QString::fromUtf8(bash.readAllStandardError());
        QVERIFY2(err.contains("not valid UTF-8"), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TestCliMessages)
#include "tst_climessages.moc"
