// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TestBitmaps.h"
#include "bitmap/Carrier.h"
#include "io/AtomicFile.h"
#include "io/ImageLock.h"
#include "io/TemporaryRegistry.h"

#include <QDir>
#include <QScopeGuard>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// An access ACL as "system.posix_acl_access" holds it (the kernel's
// posix_acl_xattr.h): version 2, then each entry's tag, permissions and id,
// in tag order, little-endian. Here: owner rw, nobody rw, group r, mask rw,
// others r.
QByteArray aclValue()
{
    QByteArray value(4 + 5 * 8, '\0');
    qToLittleEndian<quint32>(2, value.data());
    const quint32 entries[5][3]
        = {{0x01, 6, ~0u}, {0x02, 6, 65534}, {0x04, 4, ~0u}, {0x10, 6, ~0u}, {0x20, 4, ~0u}};
    for (int i = 0; i < 5; ++i) {
        qToLittleEndian<quint16>(quint16(entries[i][0]), value.data() + 4 + 8 * i);
        qToLittleEndian<quint16>(quint16(entries[i][1]), value.data() + 6 + 8 * i);
        qToLittleEndian<quint32>(entries[i][2], value.data() + 8 + 8 * i);
    }
    return value;
}

// The mode and the values of the two attributes of the file at path.
QByteArrayList metadata(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st { };
    QByteArrayList found
        = {QByteArray::number(::stat(native.constData(), &st) == 0 ? st.st_mode & 07777 : 0, 8)};
    for (const char *name : {"user.note", "system.posix_acl_access"}) {
        QByteArray value(4096, '\0');
        const ssize_t got = ::getxattr(native.constData(), name, value.data(), 4096);
        found << (got < 0 ? QByteArray("(none)") : value.left(got));
    }
    return found;
}

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

// Writing a file whole or not at all: a new file never replaces an existing
// one when asked not to, an edited one keeps its attributes, and temporary
// files do not outlive the program.
class TestAtomicFile : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    QString folder(const QString &name)
    {
        QDir(root()).mkpath(name);
        return path(name);
    }

private slots:
    void createNeverReplaces_data()
    {
        QTest::addColumn<bool>("unnamed");
        QTest::newRow("without a name") << true;
        QTest::newRow("named") << false;
    }

    void createNeverReplaces()
    {
        QFETCH(bool, unnamed);
        AtomicFile::unnamedTemporaries = unnamed;
        const auto restore = qScopeGuard([] { AtomicFile::unnamedTemporaries = true; });
        const QString dir = folder(QString("create-%1").arg(unnamed));
        const QString fresh = dir + "/fresh.txt";
        AtomicFile first(fresh, AtomicFile::Mode::Create);
        QVERIFY(first.open() && first.write("new", 3) && first.commit());
        QVERIFY(!first.alreadyExists());
        QCOMPARE(readFile(fresh), QByteArray("new"));

        AtomicFile again(fresh, AtomicFile::Mode::Create);
        QCOMPARE(again.open().kind(), Outcome::Kind::Exists);
        QVERIFY(again.alreadyExists());

        // Another program takes the name while the file is written.
        const QString raced = dir + "/raced.txt";
        AtomicFile late(raced, AtomicFile::Mode::Create);
        QVERIFY(late.open() && late.write("mine", 4));
        QVERIFY(writeFile(raced, "theirs"));
        const Outcome committed = late.commit();
        QCOMPARE(committed.kind(), Outcome::Kind::Exists);
        QVERIFY(late.alreadyExists());
        QCOMPARE(readFile(raced), QByteArray("theirs"));
        QCOMPARE(entries(dir), QStringList({"fresh.txt", "raced.txt"}));

        AtomicFile nowhere(dir + "/missing/x.txt", AtomicFile::Mode::Create);
        QCOMPARE(nowhere.open().kind(), Outcome::Kind::SystemError);
        QVERIFY(!nowhere.alreadyExists());
    }

    // The extended attributes and the ACL come along, and the mode and the
    // ACL's mask stay exactly as they were, also when the image was deleted
    // while it was open.
    void editKeepsAttributesAndAcl()
    {
        const QString dir = folder("attributes");
        const QString kept = put("attributes/kept.bmp", makeBitmap(64, 64));
        const QString deleted = put("attributes/deleted.bmp", makeBitmap(64, 64));
        const QByteArray note = "seen by the owner", acl = aclValue();
        for (const QString &image : {kept, deleted}) {
            const QByteArray native = QFile::encodeName(image);
            if (::setxattr(native.constData(), "user.note", note.constData(), note.size(), 0) != 0)
                QSKIP("The file system of the test folder keeps no extended attributes.");
            QCOMPARE(::setxattr(native.constData(), "system.posix_acl_access", acl.constData(),
                         acl.size(), 0),
                0);
        }
        const QByteArrayList before = metadata(kept);
        QCOMPARE(before.mid(0, 2), QByteArrayList({"664", note}));

        AtomicFile edit(kept, AtomicFile::Mode::Edit);
        QVERIFY(edit.open() && edit.write("changed", 7) && edit.commit());
        QCOMPARE(metadata(kept), before);

        Carrier carrier;
        QVERIFY(carrier.LoadCarrier(deleted).ok());
        QCOMPARE(::unlink(QFile::encodeName(deleted).constData()), 0);
        QVERIFY(carrier.SaveCarrier(deleted, {runOf(0, "hidden")}).ok());
        QCOMPARE(metadata(deleted), before);
        QCOMPARE(entries(dir), QStringList({"deleted.bmp", "kept.bmp"}));
    }

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
