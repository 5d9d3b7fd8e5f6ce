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

    // A command line that does not fit is refused with one problem, the first
    // found: the command and bitmap, the value of --wait, the options in a
    // fixed order, then the arguments.
    void usageErrorsSayWhatDoesNotFit_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char *tag, const QStringList &arguments, const char *problem) {
            QTest::newRow(tag) << arguments << QString::fromUtf8(problem);
        };
        row("no command", {}, "No command given.");
        row("unknown command", {"frobnicate", "b"}, "Unknown command \"frobnicate\".");
        row("no bitmap", {"info"}, "No bitmap given.");
        row("wait value", {"info", "b", "--wait", "soon", "--protect"},
            "--wait takes a number of seconds, 0 or more, not \"soon\".");
        row("json", {"carrier", "p", "o", "--json"},
            "--json goes with info, list and analyse only.");
        row("force", {"info", "b", "--force"},
            "--force goes with carrier and the commands that write the image only.");
        row("no-clobber", {"list", "b", "--no-clobber"}, "--no-clobber goes with extract only.");
        row("no-clobber to output", {"extract", "b", "a", "-o", "-", "--no-clobber", "--wait", "1"},
            "--no-clobber does not go with -o -.");
        row("carrier arguments", {"carrier", "p", "--protect"},
            "carrier takes a picture and the BMP file to make.");
        row("carrier password", {"carrier", "p", "o", "--password-file", "p", "--wait", "1"},
            "carrier needs no password.");
        row("carrier prompt", {"carrier", "p", "o", "--no-prompt"}, "carrier needs no password.");
        row("no-protect", {"remove", "b", "a", "--no-protect"},
            "--protect and --no-protect go with add only.");
        row("protect both", {"add", "b", "f", "--protect", "--no-protect", "-o", "x"},
            "--protect and --no-protect exclude each other.");
        row("output", {"add", "b", "f", "-o", "x"}, "-o goes with extract only.");
        row("name", {"extract", "b", "--name", "n"}, "--name goes with add only.");
        row("wait", {"extract", "b", "--wait", "1"},
            "--wait goes with add, remove, protect, unprotect, seal and unseal only.");
        row("new password unprotect", {"unprotect", "b", "--new-password-file", "p"},
            "--new-password-file goes with protect and add --protect only.");
        row("new password add", {"add", "b", "f", "--new-password-file", "p"},
            "--new-password-file goes with protect and add --protect only.");
        row("options before arguments", {"list", "b", "extra", "--protect"},
            "--protect and --no-protect go with add only.");
        row("only the bitmap", {"analyse", "b", "x"}, "analyse takes only the bitmap.");
        row("add nothing", {"add", "b"}, "add needs at least one file.");
        row("remove nothing", {"remove", "b"}, "remove needs at least one name.");
        row("input twice", {"add", "b", "-", "-", "--name", "x"},
            "Standard input (\"-\") can be added only once.");
        row("name without input", {"add", "b", "f", "--name", "x"},
            "add - needs --name NAME, and --name goes with \"-\" only.");
        row("output one file", {"extract", "b", "a", "b", "-o", "-"},
            "extract -o - writes exactly one named file.");
        row("input for two", {"protect", "b", "--password-file", "-", "--new-password-file", "-"},
            "Standard input (\"-\") can serve only one purpose at a time.");
        row("input for files and password",
            {"add", "b", "-", "--name", "x", "--password-file", "-"},
            "Standard input (\"-\") can serve only one purpose at a time.");
    }
    void usageErrorsSayWhatDoesNotFit()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, problem);
        const Run run = cli(arguments);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, problem + "\nRun \"veldra-cli --help\" for the commands and options.\n");
        QVERIFY(run.out.isEmpty());
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
        // The program and the bitmap are handed over as arguments, never
        // pasted into the script, whatever their paths hold.
        bash.start("bash",
            {"-c",
                "printf x > $'caf\\xe9.txt' && \"$1\" add \"$2\" $'caf\\xe9.txt'; "
                "status=$?; rm $'caf\\xe9.txt'; exit $status",
                "bash", VELDRA_CLI, bmp});
        QVERIFY(bash.waitForFinished());
        QCOMPARE(bash.exitCode(), 1);
        const QString err = QString::fromUtf8(bash.readAllStandardError());
        QVERIFY2(err.contains("not valid UTF-8"), qPrintable(err));

        // Nor is a folder of such a name made for extract -o.
        QVERIFY(cli({"add", bmp, put("a.txt", "a")}).status == 0);
        bash.start("bash", {"-c", "\"$1\" extract \"$2\" -o $'out\\xe9'", "bash", VELDRA_CLI, bmp});
        QVERIFY(bash.waitForFinished());
        QCOMPARE(bash.exitCode(), 1);
        QVERIFY(QString::fromUtf8(bash.readAllStandardError()).contains("not valid UTF-8"));
        QCOMPARE(QDir(root()).entryList({"out*"}, QDir::Dirs), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCliMessages)
#include "tst_climessages.moc"
