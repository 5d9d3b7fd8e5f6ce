// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TestBitmaps.h"
#include "base/FailureText.h"
#include "io/ImageLock.h"
#include "io/SignalHandOn.h"

#include <QDir>
#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// The handler in place before ours, for the child processes below.
struct sigaction g_before { };

void endWithSeven(int, siginfo_t *, void *)
{
    ::_exit(7);
}
void endWithNine(int)
{
    ::_exit(9);
}
void handingOn(int signal, siginfo_t *info, void *context)
{
    handOnSignal(signal, info, context, g_before);
}

// The wait status of a child that installs handingOn for signal, with
// before as the handler in place before it, and raises signal.
int statusAfterRaising(int signal, const struct sigaction &before)
{
    const pid_t child = ::fork();
    if (child == 0) {
        g_before = before;
        struct sigaction ours { };
        ours.sa_sigaction = handingOn;
        ours.sa_flags = SA_SIGINFO;
        ::sigemptyset(&ours.sa_mask);
        ::sigaction(signal, &ours, nullptr);
        ::raise(signal);
        ::_exit(0); // the signal was swallowed
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

} // namespace

// The image lock: how long a writer waits for it, and what it says when it
// cannot be made.
class TestImageLock : public QObject, private ScratchFolder {
    Q_OBJECT

private slots:
    void theCallerDecidesHowLongToWait()
    {
        const QString image = put("held.bmp", makeBitmap(8, 8));
        ImageLock holder;
        QVERIFY(holder.acquire(image).ok());

        // Ended early, long before the ten seconds are up.
        ImageLock waiter;
        int calls = 0;
        const Outcome ended = waiter.acquire(image, 10s,
            [&](std::chrono::milliseconds, bool timeUp) { return !timeUp && ++calls < 3; });
        QVERIFY(!ended);
        QCOMPARE(ended.what(), QStringLiteral("Another program is writing this image."));
        QCOMPARE(calls, 3);

        // Kept going past the time asked for, until the holder lets go.
        int expiries = 0;
        const Outcome kept
            = waiter.acquire(image, 0ms, [&](std::chrono::milliseconds, bool timeUp) {
                  if (timeUp && ++expiries == 3)
                      holder.release();
                  return true;
              });
        QVERIFY2(kept.ok(), qPrintable(fullText(kept)));
        QCOMPARE(expiries, 3);
    }

    // Work under the lock: taken for it, let go after it whatever came of
    // it, and not taken twice when held already.
    void workRunsWhileTheLockIsHeld()
    {
        const QString image = put("work.bmp", makeBitmap(8, 8));
        ImageLock lock;
        ImageLock other;
        Outcome done = lock.whileHeld(image, 0ms, {}, [&] {
            // Another writer cannot have it meanwhile.
            return other.acquire(image, 0ms).ok() ? Outcome::success()
                                                  : Outcome::failure(QStringLiteral("held"));
        });
        QCOMPARE(done.what(), QStringLiteral("held"));
        QVERIFY(!lock.isHeld());
        QVERIFY(other.acquire(image, 0ms).ok()); // let go after a failure too
        other.release();

        QVERIFY(lock.acquire(image).ok());
        done = lock.whileHeld(image, 0ms, {}, [] { return Outcome::success(); });
        QVERIFY(done.ok());
        QVERIFY(!lock.isHeld());

        QVERIFY(other.acquire(image).ok());
        done = lock.whileHeld(image, 0ms, {}, [] { return Outcome::success(); });
        QCOMPARE(done.what(), QStringLiteral("Another program is writing this image."));
    }

    // A signal handed on reaches the handler that was there before, of
    // either form, or else does what it does by default.
    void signalsAreHandedOn()
    {
        struct sigaction before { };
        before.sa_sigaction = endWithSeven;
        before.sa_flags = SA_SIGINFO;
        int status = statusAfterRaising(SIGUSR1, before);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 7);

        before = {};
        before.sa_handler = endWithNine;
        status = statusAfterRaising(SIGUSR1, before);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 9);

        before = {};
        before.sa_handler = SIG_DFL;
        status = statusAfterRaising(SIGTERM, before);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
    }

    // Root may write anywhere: the lock is tried as user nobody, in a child
    // process, on an image that user may write in a folder it may not.
    void anUnwritableFolderSaysWhy()
    {
        QTemporaryDir shared(QStringLiteral("/tmp/veldra-lock-XXXXXX"));
        QVERIFY(shared.isValid());
        const QString folder = shared.filePath("read-only");
        QVERIFY(QDir().mkdir(folder));
        const QString image = folder + "/picture.bmp";
        QVERIFY(writeFile(image, makeBitmap(8, 8)));
        QCOMPARE(::chmod(QFile::encodeName(image).constData(), 0666), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
        QCOMPARE(::chmod(QFile::encodeName(shared.path()).constData(), 0755), 0);

        int pipe[2];
        QCOMPARE(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            const bool dropped = ::geteuid() != 0
                || (::setgroups(0, nullptr) == 0 && ::setresgid(65534, 65534, 65534) == 0
                    && ::setresuid(65534, 65534, 65534) == 0);
            ImageLock lock;
            const QByteArray said = dropped ? fullText(lock.acquire(image, 0ms)).toUtf8()
                                            : QByteArray("cannot drop privileges");
            (void)!::write(pipe[1], said.constData(), static_cast<size_t>(said.size()));
            ::_exit(0);
        }
        ::close(pipe[1]);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        char buffer[1024];
        const ssize_t got = ::read(pipe[0], buffer, sizeof buffer);
        const QByteArray said(buffer, qMax<ssize_t>(got, 0));
        ::close(pipe[0]);
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        if (said == "cannot drop privileges")
            QSKIP("This process cannot become user nobody.");
        QVERIFY2(
            said.startsWith("The image cannot be written: its folder " + QFile::encodeName(folder)
                + " must be writable. Permission denied. The image is replaced by a "
                  "complete new copy written beside it"),
            said.constData());
    }
};

QTEST_GUILESS_MAIN(TestImageLock)
#include "tst_imagelock.moc"
