#include "TestBitmaps.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

} // namespace

// Runs the real veldra-cli, detached from any terminal, as a script would.
class TestCli : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString file(const QString &name, const QByteArray &bytes)
    {
        if (!writeFile(path(name), bytes))
            qFatal("cannot write fixture");
        return path(name);
    }
    QString bitmap(const QString &name, int width = 100, int height = 100)
    {
        return file(name, makeBitmap(width, height, 3));
    }

    static Run cli(const QStringList &arguments, const QByteArray &input = {})
    {
        QProcess process;
        process.setChildProcessModifier([] { ::setsid(); });
        process.start(QStringLiteral(VELDRA_CLI), arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(30000))
            qFatal("veldra-cli did not finish");
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
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
            {"add", bmp, file("b.txt", QByteArray(20, 'b')), file("a.txt", QByteArray(10, 'a'))});
        QCOMPARE(run.status, 0);
        QCOMPARE(cli({"list", bmp}).out, QStringLiteral("20\tb.txt\n10\ta.txt\n"));
        QCOMPARE(cli({"info", bmp}).out,
            QStringLiteral("capacity: 3750\nused: 30\nfree: 3720\nfiles: 2\nprotected: no\n"));
    }

    void addIsAllOrNothing()
    {
        const QString bmp = bitmap("allornothing.bmp");
        const QByteArray before = readFile(bmp);
        Run run = cli({"add", bmp, file("fine.txt", "fine"), path("missing.txt")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("Error!"), qPrintable(run.err));
        QCOMPARE(readFile(bmp), before);

        run = cli({"add", bmp, file("huge.bin", QByteArray(3751, 'h'))});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("Not enough free space!"));
        run = cli({"add", bmp, file("dup.txt", "1"), file("DUP.TXT", "2")});
        QCOMPARE(run.status, 1);
        QCOMPARE(readFile(bmp), before);
    }

    void removeAndExtract()
    {
        const QString bmp = bitmap("remove.bmp");
        const QByteArray one = randomBytes(300, 1);
        const QByteArray two = randomBytes(200, 2);
        QCOMPARE(
            cli({"add", bmp, file("One.bin", one), file("two.bin", two), file("three.bin", "3")})
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

        run = cli({"extract", bmp, "-o", file("notadir", "x")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("One.bin") && run.err.contains("two.bin"));
    }

    void passwords()
    {
        const QString bmp = bitmap("secret.bmp");
        const QString pw = file("pw.txt", "p\xC3\xA4ss word\r\nsecond line ignored\n");
        const QByteArray data = randomBytes(100, 9);
        QCOMPARE(
            cli({"add", bmp, file("data.bin", data), "--protect", "--password-file", pw}).status,
            0);

        // Protected: every command needs the password.
        Run run = cli({"info", bmp});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("--password-file"));
        run = cli({"list", bmp, "--password-file", file("wrong.txt", "p\xC3\xA4ss\n")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("Invalid password!\n"));
        run = cli({"info", bmp, "--password-file", "-"}, "p\xC3\xA4ss word\n");
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.endsWith("protected: yes\n"));

        QDir().mkpath(path("pwout"));
        QCOMPARE(cli({"extract", bmp, "-o", path("pwout"), "--password-file", pw}).status, 0);
        QCOMPARE(readFile(path("pwout/data.bin")), data);

        // Adding keeps the protection unless told otherwise.
        QCOMPARE(cli({"add", bmp, file("more.txt", "m"), "--password-file", pw}).status, 0);
        QVERIFY(cli({"info", bmp, "--password-file", pw}).out.endsWith("protected: yes\n"));
        QCOMPARE(
            cli({"add", bmp, file("last.txt", "l"), "--no-protect", "--password-file", pw}).status,
            0);
        run = cli({"info", bmp});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.endsWith("files: 3\nprotected: no\n"));

        run = cli({"add", bmp, file("x.txt", "x"), "--protect", "--password-file",
            file("polish.txt",
                "\xC5\x82\xC3\xB3"
                "d\xC5\xBA\n")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("U+0142"));
        QCOMPARE(cli({"list", bmp}).out.count('\n'), 3);
    }

    void failuresAndUsage()
    {
        Run run = cli({"info", path("missing.bmp")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("Bitmap file not found!\n"));
        run = cli({"list",
            file("text.bmp", "not a bitmap at all, just text long enough to pass 54 bytes..")});
        QCOMPARE(run.err, QStringLiteral("File isn't a bitmap!\n"));

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
        QCOMPARE(cli({"--version"}).out, QStringLiteral("veldra-cli 2.0\n"));
        run = cli({"--help"});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("extract BITMAP [NAME...] [-o DIR]"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
