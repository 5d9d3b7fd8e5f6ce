// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "TestBitmaps.h"

#include "bitmap/Carrier.h"
#include "container/ContainerHeader.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>

class TestCli : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    QString bitmap(const QString &name, int width = 100, int height = 100)
    {
        return put(name, makeBitmap(width, height, 3));
    }

    // Writes a container with the given stored names, as another program
    // might have made it.
    static void hideRaw(const QString &bitmapPath, const QList<QByteArray> &names)
    {
        Carrier carrier;
        if (!carrier.LoadCarrier(bitmapPath))
            qFatal("cannot load %s", qPrintable(bitmapPath));
        ContainerHeader header;
        header.startFresh();
        header.FileCount = qint32(names.size());
        QByteArray stored = header.toBytes();
        for (const QByteArray &name : names) {
            QByteArray record = name.leftJustified(28, ' ', true) + QByteArray(4, '\0');
            record[28] = 1;
            stored += record + 'x';
        }
        if (!carrier.SaveCarrier(bitmapPath, {runOf(0, stored)}))
            qFatal("cannot write the container");
    }

private slots:
    void infoAndListOutputFormats()
    {
        const QString bmp = bitmap("formats.bmp");
        Run run = cli({"info", bmp});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out,
            QStringLiteral("capacity: 3750\nused: 0\nfree: 3750\nfiles: 0\nprotected: no\n"));
        QVERIFY(run.err.isEmpty());

        run = cli(
            {"add", bmp, put("b.txt", QByteArray(20, 'b')), put("a.txt", QByteArray(10, 'a'))});
        QCOMPARE(run.status, 0);
        QCOMPARE(cli({"list", bmp}).out, QStringLiteral("20\tb.txt\n10\ta.txt\n"));
        QCOMPARE(cli({"info", bmp}).out,
            QStringLiteral("capacity: 3750\nused: 30\nfree: 3720\nfiles: 2\nprotected: no\n"));
    }

    void addIsAllOrNothing()
    {
        const QString bmp = bitmap("allornothing.bmp");
        const QByteArray before = readFile(bmp);
        Run run = cli({"add", bmp, put("fine.txt", "fine"), path("missing.txt")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("Error!"), qPrintable(run.err));
        QCOMPARE(readFile(bmp), before);

        run = cli({"add", bmp, put("huge.bin", QByteArray(3751, 'h'))});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("Not enough free space!"));
        run = cli({"add", bmp, put("dup.txt", "1"), put("DUP.TXT", "2")});
        QCOMPARE(run.status, 1);
        QCOMPARE(readFile(bmp), before);
    }

    void removeAndExtract()
    {
        const QString bmp = bitmap("remove.bmp");
        const QByteArray one = randomBytes(300, 1);
        const QByteArray two = randomBytes(200, 2);
        QCOMPARE(cli({"add", bmp, put("One.bin", one), put("two.bin", two), put("three.bin", "3")})
                     .status,
            0);

        const QByteArray before = readFile(bmp);
        Run run = cli({"remove", bmp, "two.bin", "nothere"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("nothere"));
        QCOMPARE(readFile(bmp), before);
        QCOMPARE(cli({"remove", bmp, "THREE.BIN"}).status, 0);
        QCOMPARE(cli({"list", bmp}).out, QStringLiteral("300\tOne.bin\n200\ttwo.bin\n"));

        QDir().mkpath(path("out"));
        QCOMPARE(cli({"extract", bmp, "-o", path("out")}).status, 0);
        QCOMPARE(readFile(path("out/One.bin")), one);
        QCOMPARE(readFile(path("out/two.bin")), two);

        QDir().mkpath(path("named"));
        run = cli({"extract", bmp, "one.bin", "ghost", "-o", path("named")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("ghost"));
        QCOMPARE(readFile(path("named/One.bin")), one); // its stored name
        QCOMPARE(QDir(path("named")).entryList(QDir::Files), QStringList {"One.bin"});

        run = cli({"extract", bmp, "-o", put("notadir", "x")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("notadir") && !run.err.contains("two.bin"));
    }

    // Names a user's files can have go in and come out under the name stored;
    // a name that could not come out is refused, saying why.
    void namesThatGoInComeOut()
    {
        const QString bmp = bitmap("names.bmp");
        QDir().mkpath(path("src"));
        const QStringList names = {"12:30 notes.txt", "a\\b.txt", " lead.txt",
            QStringLiteral("caf\u00e9 \u00e9t\u00e9.txt"), QString(30, 'x') + ".txt"};
        const QStringList stored = {names[0], names[1], "lead.txt", names[3], QString(28, 'x')};
        QStringList files;
        for (int i = 0; i < names.size(); ++i)
            files << put("src/" + names[i], QByteArray::number(i));
        Run run = cli(QStringList {"add", bmp} + files);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("stored as \"" + stored[4] + "\""), qPrintable(run.err));
        QVERIFY(run.err.contains("stored as \"lead.txt\""));
        QDir().mkpath(path("back"));
        QCOMPARE(cli({"extract", bmp, "-o", path("back")}).status, 0);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(readFile(path("back/" + stored[i])), QByteArray::number(i));

        const QByteArray before = readFile(bmp);
        for (const QString bad : {"tab\there", "new\nline", "esc\x1b[2J", " "}) {
            run = cli({"add", bmp, put("src/" + bad, "bad")});
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains(bad == " " ? "Error! \" \" could not be written back as a "
                                                   "file under its stored name \"\": The name is "
                                                   "empty."
                                                 : "Error!"),
                qPrintable(run.err));
            QVERIFY(bad == " " || run.err.contains("control character"));
            QVERIFY(!run.err.contains('\x1b')); // shown escaped
        }
        QCOMPARE(readFile(bmp), before);
    }

    // Relative paths and names that begin with ':' are the user's files, which
    // Qt's file classes would take for the program's own resources.
    void pathsBeginningWithColon()
    {
        const QString folder = root() + "/:colon";
        QVERIFY(QDir().mkpath(folder + "/:out") && QDir().mkpath(folder + "/:sealed"));
        QVERIFY(writeFile(folder + "/:c.bmp", makeBitmap(160, 160, 3)));
        QVERIFY(writeFile(folder + "/:a.txt", "colon"));
        QVERIFY(writeFile(folder + "/:pw", "pw\n"));
        const QByteArray there = QFile::encodeName(folder);
        const auto inFolder = [there] {
            if (::chdir(there.constData()) != 0)
                ::_exit(127);
        };
        Run run = cli({"add", ":c.bmp", ":a.txt"}, {}, inFolder);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        run = cli({"extract", ":c.bmp", ":a.txt", "-o", ":out"}, {}, inFolder);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(readFile(folder + "/:out/:a.txt"), "colon");
        run = cli({"seal", ":c.bmp", "--password-file", ":pw"}, {}, inFolder);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        run = cli({"extract", ":c.bmp", "--sealed", "-o", ":sealed", "--password-file", ":pw"}, {},
            inFolder);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(readFile(folder + "/:sealed/:a.txt"), "colon");
    }

    // Names from elsewhere reach the terminal escaped, and extract writes them
    // under cleaned names inside the folder, saying so.
    void storedNamesAreEscapedAndCleaned()
    {
        const QString bmp = bitmap("crafted.bmp");
        hideRaw(bmp, {"\x1b]0;owned\x07", "up/../x", "up_.._x"});
        Run run = cli({"list", bmp});
        QCOMPARE(run.out, QStringLiteral("1\t\\x1b]0;owned\\x07\n1\tup/../x\n1\tup_.._x\n"));
        // JSON escapes what lies below 0x20 itself; DEL, which it leaves
        // alone, is escaped too.
        const QString deleted = bitmap("deleted.bmp");
        hideRaw(deleted, {"del\x7fname"});
        run = cli({"list", deleted, "--json"});
        QVERIFY2(run.out.contains("del\\u007fname") && !run.out.contains(QChar(0x7F)),
            qPrintable(run.out));
        QDir().mkpath(path("crafted"));
        run = cli({"extract", bmp, "-o", path("crafted")});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("\"up/../x\" cannot be a file name as it stands and was written "
                                  "as \"up_. (2)._x\"."),
            qPrintable(run.err));
        QCOMPARE(QDir(path("crafted")).entryList(QDir::Files),
            (QStringList {"_]0;owned_", "up_. (2)._x", "up_.._x"}));
    }

    void onlyRegularFilesAreOpened()
    {
        const QString bmp = bitmap("pipes.bmp");
        QCOMPARE(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
        Run run = cli({"info", path("fifo")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err,
            QStringLiteral(
                "Bitmap file not found! It is a named pipe (FIFO), not a regular file.\n"));
        run = cli({"add", bmp, path("fifo")});
        QVERIFY(run.err.contains("Error! It is a named pipe (FIFO), not a regular file."));
        run = cli({"add", bmp, "/dev/zero"});
        QVERIFY(run.err.contains("Error! It is a character device, not a regular file."));
        QCOMPARE(cli({"list", bmp}).out, QString());

        // Its size says 0, its content is longer: it is read to its end.
        QCOMPARE(cli({"add", bmp, "/proc/self/status"}).status, 0);
        const QStringList row = cli({"list", bmp}).out.trimmed().split('\t');
        QCOMPARE(row.value(1), QStringLiteral("status"));
        QVERIFY(row.value(0).toInt() > 100);
    }

    void failuresSayWhy()
    {
        const QString bmp = bitmap("why.bmp");
        // A bitmap the user may not read: root reads every file, so root
        // runs the program as nobody instead.
        Run run;
        if (::geteuid() == 0) {
            run = cliAsNobody({"info", bmp});
        } else {
            QVERIFY(QFile::setPermissions(bmp, {}));
            run = cli({"info", bmp});
            QVERIFY(QFile::setPermissions(bmp, QFile::ReadOwner | QFile::WriteOwner));
        }
        QCOMPARE(run.err, QStringLiteral("Bitmap file not found! Permission denied.\n"));

        QDir().mkpath(path("other"));
        QCOMPARE(cli({"add", bmp, put("same.txt", "1")}).status, 0);
        run = cli({"add", bmp, put("other/SAME.TXT", "2")});
        QVERIFY2(
            run.err.contains("Error! A file named \"same.txt\" is already hidden in this image."),
            qPrintable(run.err));

        // A write cut short, as on a full disk, says what the system said.
        const QByteArray before = readFile(bmp);
        const QString extra = put("extra.txt", "e");
        {
            FileSizeLimit limit(8192);
            run = cli({"add", bmp, extra});
        }
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("File too large. The image on disk was left unchanged."),
            qPrintable(run.err));
        QCOMPARE(readFile(bmp), before);

        QProcess full;
        full.setStandardOutputFile("/dev/full");
        startCli(full, {"info", bmp});
        run = finishCli(full);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("No space left on device"), qPrintable(run.err));
    }

    void jsonForScripts()
    {
        const QString bmp = bitmap("json.bmp");
        hideRaw(bmp, {"tab\there", "plain.txt"});
        Run run = cli({"info", bmp, "--json"});
        QCOMPARE(run.status, 0);
        const QJsonObject info = QJsonDocument::fromJson(run.out.toUtf8()).object();
        QCOMPARE(info.value("capacity").toInteger(), 3750);
        QCOMPARE(info.value("used").toInteger(), 2);
        QCOMPARE(info.value("free").toInteger(), 3748);
        QCOMPARE(info.value("files").toInteger(), 2);
        QCOMPARE(info.value("protected"), QJsonValue(false));
        QCOMPARE(info.value("room").toInteger(), 3750 - 14 - 3 * 32 - 2);

        run = cli({"list", bmp, "--json"});
        const QJsonArray list = QJsonDocument::fromJson(run.out.toUtf8()).array();
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].toObject().value("name").toString(), QStringLiteral("tab\there"));
        QVERIFY(run.out.contains("tab\\there")); // escaped by JSON, not by us
        QCOMPARE(list[1].toObject().value("size").toInteger(), 1);
    }

    // Data piped in and out, as after "gpg -c --output -".
    void pipesInAndOut()
    {
        const QString bmp = bitmap("pipes-data.bmp");
        const QByteArray secret = randomBytes(2000, 42) + QByteArray(3, '\0') + "\n\r\x1a";
        Run run = cli({"add", bmp, "-", "--name", "secret.pdf.gpg"}, secret);
        QCOMPARE(run.status, 0);
        QProcess out;
        startCli(out, {"extract", bmp, "SECRET.PDF.GPG", "-o", "-"});
        out.closeWriteChannel();
        QVERIFY(out.waitForFinished(30000));
        QCOMPARE(out.exitCode(), 0);
        QCOMPARE(out.readAllStandardOutput(), secret);
        QProcess full;
        full.setStandardOutputFile("/dev/full");
        startCli(full, {"extract", bmp, "secret.pdf.gpg", "-o", "-"});
        run = finishCli(full);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("No space left on device"), qPrintable(run.err));

        const QByteArray before = readFile(bmp);
        run = cli({"add", bmp, "-", "--name", "too-big"}, QByteArray(4000, 'x'));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith("standard input: Not enough free space!"), qPrintable(run.err));
        QCOMPARE(readFile(bmp), before);
        for (const QStringList &arguments :
            {QStringList {"add", bmp, "-"}, QStringList {"add", bmp, "-", "-", "--name", "x"},
                QStringList {"add", bmp, "-", "--name", "x", "--password-file", "-"},
                QStringList {"extract", bmp, "-o", "-"}})
            QCOMPARE(cli(arguments).status, 2);
    }

    void failuresAndUsage()
    {
        Run run = cli({"info", path("missing.bmp")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("Bitmap file not found! No such file or directory.\n"));
        run = cli({"list",
            put("text.bmp", "not a bitmap at all, just text long enough to pass 54 bytes..")});
        QCOMPARE(run.err, QStringLiteral("File isn't a bitmap! It does not begin with \"BM\".\n"));

        const QString bmp = bitmap("usage.bmp");
        for (const QStringList &arguments : {QStringList {}, QStringList {"frobnicate", bmp},
                 QStringList {"info"}, QStringList {"list", bmp, "extra"}, QStringList {"add", bmp},
                 QStringList {"remove", bmp}, QStringList {"list", bmp, "--protect"},
                 QStringList {"add", bmp, bmp, "--protect", "--no-protect"},
                 QStringList {"info", bmp, "-o", "x"}, QStringList {"info", bmp, "--bogus"}}) {
            run = cli(arguments);
            QVERIFY2(run.status == 2, qPrintable(arguments.join(' ')));
            QVERIFY(run.err.contains("--help"));
        }
        QCOMPARE(cli({"--version"}).out, QStringLiteral("veldra-cli " VELDRA_VERSION "\n"));
        run = cli({"--help"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("extract BITMAP [NAME...] [-o DIR]"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
