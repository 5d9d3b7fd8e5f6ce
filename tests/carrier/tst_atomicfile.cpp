// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TestBitmaps.h"
#include "carrier/AtomicFile.h"
#include "carrier/ImageLock.h"
#include "carrier/TemporaryRegistry.h"

#include <QDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A child process that writes part of target into a named temporary, as
// veldra-cli would (its signal handlers installed), and waits for a signal.
pid_t startWriting(const QString &target, AtomicFile::Mode mode)
{
    int ready[2];
    if (::pipe(ready) != 0)
        qFatal("no pipe");
    const pid_t child = ::fork();
    if (child == 0) {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            std::signal(signal, SIG_DFL); // not the test framework's handlers
        const rlimit noCore {0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        TemporaryRegistry::installSignalHandlers();
        AtomicFile::unnamedTemporaries = false;
        AtomicFile file(target, mode);
        if (file.open() && file.write("partial", 7))
            (void)!::write(ready[1], "r", 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char c = 0;
    if (::read(ready[0], &c, 1) != 1)
        qFatal("the writer did not start");
    ::close(ready[0]);
    return child;
}

// Ends child with signal; true when the signal ended it.
bool endWith(pid_t child, int signal)
{
    int status = 0;
    return ::kill(child, signal) == 0 && ::waitpid(child, &status, 0) == child
        && WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

} // namespace

// Writing a file whole or not at all: temporary files do not outlive the
// program.
class TestAtomicFile : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    QString folder(const QString &name)
    {
        QDir(root()).mkpath(name);
        return path(name);
    }

private slots:
    void signalsRemoveNamedTemporaries_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGQUIT") << SIGQUIT;
    }

    void signalsRemoveNamedTemporaries()
    {
        QFETCH(int, signal);
        const QString dir = folder(QString("signal-%1").arg(signal));
        const pid_t writer = startWriting(dir + "/out.bin", AtomicFile::Mode::Replace);
        QCOMPARE(entries(dir).size(), 1); // the named temporary
        QVERIFY(endWith(writer, signal));
        QCOMPARE(entries(dir), QStringList());
    }

    // A copy left by a writer killed with SIGKILL goes when the next writer
    // of its image holds the lock; those of other images, and other new
    // files, stay.
    void leftoversGoWithTheNextWriterOfTheirImage()
    {
        const QString dir = folder("left");
        const QString photo = put("left/photo.bmp", "p");
        const QString other = put("left/other.bmp", "o");
        const QString longName = put("left/" + QString(246, 'L') + ".bmp", "l");
        const auto leave = [&](const QString &target, AtomicFile::Mode mode) {
            const QStringList before = entries(dir);
            if (!endWith(startWriting(target, mode), SIGKILL))
                qFatal("the writer was not killed");
            QStringList left = entries(dir);
            for (const QString &name : before)
                left.removeOne(name);
            return left.size() == 1 ? left.constFirst() : QString();
        };
        const QString photoCopy = leave(photo, AtomicFile::Mode::Edit);
        const QString otherCopy = leave(other, AtomicFile::Mode::Edit);
        const QString extracted = leave(photo, AtomicFile::Mode::Replace);
        const QString longCopy = leave(longName, AtomicFile::Mode::Edit);
        for (const QString &name : {photoCopy, otherCopy, extracted, longCopy})
            QVERIFY2(name.startsWith('.') && QFileInfo::exists(dir + '/' + name), qPrintable(name));

        ImageLock lock;
        QVERIFY(lock.acquire(photo).ok());
        QVERIFY(!QFileInfo::exists(dir + '/' + photoCopy));
        QVERIFY(QFileInfo::exists(dir + '/' + otherCopy));
        QVERIFY(QFileInfo::exists(dir + '/' + extracted));
        QVERIFY(QFileInfo::exists(dir + '/' + longCopy));
        QVERIFY(lock.acquire(longName).ok());
        QVERIFY(!QFileInfo::exists(dir + '/' + longCopy));
        QVERIFY(QFileInfo::exists(dir + '/' + otherCopy));
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
