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

// Passwords on the command line: from files, standard input and the
// terminal, set, changed and removed.
class TestCliPasswords : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    QString bitmap(const QString &name, int width = 100, int height = 100)
    {
        return put(name, makeBitmap(width, height, 3));
    }

    // Reads what the terminal at master shows until it holds text.
    static QByteArray readUntil(int master, const QByteArray &text)
    {
        QByteArray seen;
        while (!seen.contains(text)) {
            pollfd ready {master, POLLIN, 0};
            char buffer[256];
            if (::poll(&ready, 1, 10000) <= 0)
                break;
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            seen.append(buffer, n);
        }
        return seen;
    }

    static bool echoing(int master)
    {
        termios settings {};
        return ::tcgetattr(master, &settings) == 0 && (settings.c_lflag & ECHO);
    }

private slots:
    void passwords()
    {
        const QString bmp = bitmap("secret.bmp");
        const QString pw = put("pw.txt", "p\xC3\xA4ss word\r\nsecond line ignored\n");
        const QByteArray data = randomBytes(100, 9);
        QCOMPARE(
            cli({"add", bmp, put("data.bin", data), "--protect", "--password-file", pw}).status, 0);

        // Protected: every command needs the password.
        Run run = cli({"info", bmp});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("--password-file"));
        run = cli({"list", bmp, "--password-file", put("wrong.txt", "p\xC3\xA4ss\n")});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("Invalid password!\n"));
        run = cli({"info", bmp, "--password-file", "-"}, "p\xC3\xA4ss word\n");
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.endsWith("protected: yes\n"));

        QDir().mkpath(path("pwout"));
        QCOMPARE(cli({"extract", bmp, "-o", path("pwout"), "--password-file", pw}).status, 0);
        QCOMPARE(readFile(path("pwout/data.bin")), data);

        // Adding keeps the protection unless told otherwise.
        QCOMPARE(cli({"add", bmp, put("more.txt", "m"), "--password-file", pw}).status, 0);
        QVERIFY(cli({"info", bmp, "--password-file", pw}).out.endsWith("protected: yes\n"));
        QCOMPARE(
            cli({"add", bmp, put("last.txt", "l"), "--no-protect", "--password-file", pw}).status,
            0);
        run = cli({"info", bmp});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.endsWith("files: 3\nprotected: no\n"));

        run = cli({"add", bmp, put("x.txt", "x"), "--protect", "--password-file",
            put("polish.txt",
                "\xC5\x82\xC3\xB3"
                "d\xC5\xBA\n")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("U+0142"));
        QCOMPARE(cli({"list", bmp}).out.count('\n'), 3);
    }

    // The password prompt hides the typing and gives the terminal back as it
    // was on every way out: a stop and continue goes on with the same line,
    // Ctrl-C ends the program with echo on again.
    void passwordPromptGivesTheTerminalBack()
    {
        const QString bmp = bitmap("tty.bmp");
        QCOMPARE(cli({"add", bmp, put("t.txt", "t"), "--protect", "--password-file",
                         put("tty-pw.txt", "password\n")})
                     .status,
            0);
        const QByteArray program = VELDRA_CLI;
        const QByteArray image = QFile::encodeName(bmp);
        for (const bool interrupt : {false, true}) {
            int master = -1;
            const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
            if (child == 0) {
                ::execl(program.constData(), program.constData(), "info", image.constData(),
                    static_cast<char *>(nullptr));
                ::_exit(127);
            }
            QVERIFY(child > 0);
            QVERIFY(readUntil(master, "Password: ").contains("Password: "));
            QTRY_VERIFY(!echoing(master));
            QCOMPARE(::write(master, "pass", 4), ssize_t(4));
            // A signal interrupts the read; Ctrl-C ends the program.
            if (interrupt)
                QCOMPARE(::write(master, "\x03", 1), ssize_t(1));
            else
                QCOMPARE(::kill(child, SIGTSTP), 0);
            if (!interrupt) {
                QTRY_VERIFY(!echoing(master));
                QCOMPARE(::write(master, "word\n", 5), ssize_t(5));
                QVERIFY(readUntil(master, "protected: yes").contains("protected: yes"));
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            if (interrupt)
                QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT);
            else
                QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            QVERIFY(echoing(master));
            ::close(master);
        }
    }

    void protectionWithoutAdding()
    {
        const QString bmp = bitmap("protect.bmp");
        QCOMPARE(cli({"add", bmp, put("kept.txt", "kept")}).status, 0);
        const QString one = put("one.pw", "one\n");
        const QString two = put("two.pw", "two\n");
        QCOMPARE(cli({"protect", bmp, "--new-password-file", one}).status, 0);
        Run run = cli({"list", bmp, "--no-prompt"});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains("--password-file"));
        QCOMPARE(
            cli({"protect", bmp, "--password-file", one, "--new-password-file", two}).status, 0);
        QCOMPARE(
            cli({"list", bmp, "--password-file", one}).err, QStringLiteral("Invalid password!\n"));
        QCOMPARE(cli({"unprotect", bmp, "--password-file", two}).status, 0);
        run = cli({"list", bmp, "--no-prompt"});
        QCOMPARE(run.out, QStringLiteral("4\tkept.txt\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliPasswords)
#include "tst_clipasswords.moc"
