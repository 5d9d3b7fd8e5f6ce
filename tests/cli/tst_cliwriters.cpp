// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliRunner.h"
#include "TestBitmaps.h"
#include "io/ImageLock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

#include <csignal>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>

// Programs writing one image: they take turns, a crashed one does not block
// the next, and the image keeps its name, owner and mode.
class TestCliWriters : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    QStringList listed(const QString &bitmap)
    {
        QStringList names;
        for (const QString &row : cli({"list", bitmap}).out.split('\n', Qt::SkipEmptyParts))
            names << row.section('\t', 1);
        return names;
    }

    // True once the running veldra-cli process pid has a file open in
    // folder, other than those given, with data in it: the new copy.
    static bool writingInto(qint64 pid, const QString &folder, const QStringList &others)
    {
        const QString fds = QString("/proc/%1/fd").arg(pid);
        for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System)) {
            const QByteArray link = QFile::encodeName(fds + '/' + fd);
            char target[4096];
            const ssize_t length = ::readlink(link.constData(), target, sizeof target);
            const QString named = QFile::decodeName(QByteArray(target, qMax<ssize_t>(length, 0)));
            struct stat st { };
            if (named.startsWith(folder + '/') && !others.contains(named)
                && ::stat(link.constData(), &st) == 0 && st.st_size > 0)
                return true;
        }
        return false;
    }

private slots:
    void concurrentWritersTakeTurns()
    {
        const QString bmp = put("shared.bmp", makeBitmap(1200, 800, 4));
        for (int round = 0; round < 8; ++round) {
            const QString a = put(QString("a%1.bin").arg(round), randomBytes(20000, round));
            const QString b = put(QString("b%1.bin").arg(round), randomBytes(20000, round + 50));
            QProcess first;
            QProcess second;
            startCli(first, {"add", bmp, a});
            startCli(second, {"add", bmp, b});
            QCOMPARE(finishCli(first).status, 0);
            QCOMPARE(finishCli(second).status, 0);

            // A removal and an addition at once: both land.
            const QString c = put(QString("c%1.bin").arg(round), "c");
            startCli(first, {"remove", bmp, QString("a%1.bin").arg(round)});
            startCli(second, {"add", bmp, c});
            QCOMPARE(finishCli(first).status, 0);
            QCOMPARE(finishCli(second).status, 0);
            const QStringList names = listed(bmp);
            QVERIFY2(!names.contains(QString("a%1.bin").arg(round))
                    && names.contains(QString("b%1.bin").arg(round))
                    && names.contains(QString("c%1.bin").arg(round)),
                qPrintable(names.join(' ')));
        }
        QCOMPARE(listed(bmp).size(), 16);
        QVERIFY(!QFileInfo::exists(ImageLock::lockFilePath(bmp)));
    }

    void aLockLeftByACrashDoesNotBlock()
    {
        const QString bmp = put("crashed.bmp", makeBitmap(100, 100));
        const pid_t child = ::fork();
        if (child == 0) {
            ImageLock lock;
            if (lock.acquire(bmp))
                ::raise(SIGKILL);
            ::_exit(1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QVERIFY(QFileInfo::exists(ImageLock::lockFilePath(bmp)));
        QElapsedTimer clock;
        clock.start();
        const Run run = cli({"add", bmp, put("after.txt", "after")});
        QCOMPARE(run.status, 0);
        QVERIFY(clock.elapsed() < 4000); // not after waiting out the lock
        QCOMPARE(listed(bmp), QStringList {"after.txt"});
    }

    void aWriterThatCannotGetTheLockChangesNothing()
    {
        const QString bmp = put("busy.bmp", makeBitmap(100, 100));
        const QByteArray before = readFile(bmp);
        ImageLock held;
        QVERIFY(held.acquire(bmp).ok());
        const Run run = cli({"add", bmp, put("waiting.txt", "w")});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith("Another program is writing this image."), qPrintable(run.err));
        QCOMPARE(readFile(bmp), before);
        QCOMPARE(cli({"list", bmp}).status, 0); // readers need no lock
    }

    void theImageKeepsItsOwnerModeAndLongName()
    {
        // 250 bytes: too long for a temporary name made by adding a suffix.
        const QString bmp = put(QString(246, 'L') + ".bmp", makeBitmap(100, 100));
        QCOMPARE(::chown(QFile::encodeName(bmp).constData(), 65534, 65534), 0);
        QCOMPARE(::chmod(QFile::encodeName(bmp).constData(), 0444), 0);
        const Run run = cli({"add", bmp, put("owned.txt", "o")});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        struct stat st { };
        QCOMPARE(::stat(QFile::encodeName(bmp).constData(), &st), 0);
        QCOMPARE(st.st_uid, uid_t(65534));
        QCOMPARE(st.st_gid, gid_t(65534));
        QCOMPARE(st.st_mode & 07777, mode_t(0444));
        QCOMPARE(listed(bmp), QStringList {"owned.txt"});
        QCOMPARE(
            QDir(root()).entryList(QDir::Files | QDir::Hidden).filter(".veldra"), QStringList());
    }

    // SIGKILL cannot be caught: only a new copy without a name leaves nothing.
    void aKilledWriteLeavesNothingBehind()
    {
        QVERIFY(QDir(root()).mkpath("killed"));
        const QString folder = QFileInfo(root() + "/killed").canonicalFilePath();
        const QString bmp = put("killed/large.bmp", makeBitmap(3000, 3000, 9));
        const QByteArray before = readFile(bmp);
        QProcess writer;
        startCli(writer, {"add", bmp, put("payload.bin", randomBytes(1 << 20, 9))});
        QVERIFY(writer.waitForStarted());
        const QStringList others
            = {QFileInfo(bmp).canonicalFilePath(), ImageLock::lockFilePath(bmp)};
        bool writing = false;
        while (!(writing = writingInto(writer.processId(), folder, others))
            && !writer.waitForFinished(1)) { }
        QVERIFY(writing);
        QCOMPARE(::kill(pid_t(writer.processId()), SIGKILL), 0);
        QVERIFY(writer.waitForFinished());
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
        QCOMPARE(readFile(bmp), before);
        // The lock file stays, as after any crash; the next writer takes it over.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList({QFileInfo(ImageLock::lockFilePath(bmp)).fileName(), "large.bmp"}));
    }

    void writersWaitAsLongAsAsked()
    {
        const QString bmp = put("patient.bmp", makeBitmap(100, 100));
        const QString file = put("patient.txt", "p");
        for (const char *bad : {"-1", "soon", "", "1e3", "2s"})
            QCOMPARE(cli({"add", bmp, file, "--wait", bad}).status, 2);
        QCOMPARE(cli({"list", bmp, "--wait", "1"}).status, 2);

        ImageLock held;
        QVERIFY(held.acquire(bmp).ok());
        for (const char *seconds : {"0", "1"}) {
            const Run run = cli({"remove", bmp, "patient.txt", "--wait", seconds});
            QCOMPARE(run.status, 1);
            QVERIFY2(
                run.err.startsWith("Another program is writing this image."), qPrintable(run.err));
        }
        // Still waiting after the five seconds a writer waits by default; done
        // once the holder lets go.
        QProcess patient;
        startCli(patient, {"add", bmp, file, "--wait", "30"});
        QVERIFY(!patient.waitForFinished(6000));
        held.release();
        const Run run = finishCli(patient);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(listed(bmp), QStringList {"patient.txt"});
    }
};

QTEST_GUILESS_MAIN(TestCliWriters)
#include "tst_cliwriters.moc"
