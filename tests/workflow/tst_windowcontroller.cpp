// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ScriptedUser.h"
#include "TestBitmaps.h"
#include "bitmap/Carrier.h"
#include "io/ImageLock.h"
#include "workflow/WindowController.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

#include <unistd.h>

// The window's flow without a widget: what the controller asks, in which
// order, what each answer does to the image on disk, and the password.
class TestWindowController : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedUser> m_user;
    std::unique_ptr<WindowController> m_controller;

    WindowController &c() { return *m_controller; }
    ScriptedUser &user() { return *m_user; }
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString file(const QString &name, const QByteArray &bytes)
    {
        if (!writeFile(path(name), bytes))
            qFatal("cannot write fixture");
        return path(name);
    }
    QString bitmap(const QString &name, int side = 100)
    {
        return file(name, makeBitmap(side, side, 5));
    }
    QStringList entries() const
    {
        QStringList out;
        const auto &table = m_controller->session()->file().colDescriptions();
        for (qsizetype i = 1; i <= table.count(); ++i)
            out << table.item(i);
        return out;
    }
    void hide(const QString &bmp, const QStringList &files, const QString &password = {})
    {
        QVERIFY(c().open(bmp));
        if (!password.isEmpty()) {
            user().passwords << password << password;
            c().setUsePassword(true);
        }
        c().addFiles(files);
        QVERIFY(c().writeAndClose());
    }
    // kept.txt can be read back, lost.txt cannot: its length runs far past
    // the end.
    QString damagedBitmap(const QString &name)
    {
        const QString bmp = bitmap(name);
        hide(bmp, {file("kept.txt", "kept"), file("lost.txt", "lost")});
        Carrier carrier;
        QByteArray length(4, '\0');
        qToLittleEndian<qint32>(1 << 20, length.data());
        if (!carrier.LoadCarrier(bmp)
            || !carrier.SaveCarrier(bmp, {runOf(14 + 32 + 4 + 28, length)}))
            qFatal("cannot damage the fixture");
        return bmp;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_user = std::make_unique<ScriptedUser>();
        m_controller = std::make_unique<WindowController>(*m_user);
        ScriptedUser *log = m_user.get();
        connect(&c(), &WindowController::opened, [log] { log->log << "opened"; });
        connect(&c(), &WindowController::closed, [log] { log->log << "closed"; });
        connect(&c(), &WindowController::usePasswordChanged,
            [log](bool on) { log->log << (on ? "box on" : "box off"); });
        connect(&c(), &WindowController::pathChanged,
            [log](const QString &to) { log->log << "path: " + QFileInfo(to).fileName(); });
    }
    void cleanup()
    {
        m_controller.reset();
        m_user.reset();
        m_dir.reset();
    }

    // Unreadable files first, then the cut image: No to either writes
    // nothing, Yes to both writes the image whole.
    void lossesAreAskedAboutInTurn()
    {
        const QString bmp = damagedBitmap("damaged.bmp");
        const QByteArray cut = readFile(bmp).left(54 + 8000);
        QVERIFY(writeFile(bmp, cut));
        QVERIFY(c().open(bmp));
        QCOMPARE(user().told.size(), 1);
        QCOMPARE(user().told[0].tone, WindowUser::Tone::Warning);
        QVERIFY(user().told[0].text.contains("cut short"));
        QVERIFY(user().told[0].text.contains("only 1 could be read"));

        QVERIFY(!c().writeAndClose());
        QCOMPARE(user().asked.size(), 1);
        QVERIFY(user().asked[0].text.startsWith("1 hidden file could not be read"));
        user().answers << true << false;
        QVERIFY(!c().writeAndClose());
        QCOMPARE(user().asked.size(), 3);
        QVERIFY(user().asked[2].text.startsWith("The image file is cut short."));
        QCOMPARE(user().asked[2].detail, c().session()->cutShortWarning());
        QVERIFY(c().isOpen());
        QCOMPARE(readFile(bmp), cut);

        user().answers << true << true;
        QVERIFY(c().writeAndClose());
        QVERIFY(!c().isOpen());
        QCOMPARE(QFileInfo(bmp).size(), 54 + 30000);
        QVERIFY(c().open(bmp));
        QCOMPARE(entries(), QStringList {"kept.txt"});
        QCOMPARE(user().told.size(), 1); // whole now
    }

    void anImageChangedOnDiskIsOverwrittenOnlyOnYes()
    {
        const QString bmp = bitmap("changed.bmp");
        QVERIFY(c().open(bmp));
        c().addFiles({file("mine.txt", "mine")});
        QByteArray theirs = readFile(bmp);
        theirs[60] = char(theirs[60] ^ 1);
        QVERIFY(writeInPlace(bmp, theirs));

        QVERIFY(!c().writeAndClose());
        QCOMPARE(user().asked.size(), 1);
        QVERIFY(user().asked[0].text.startsWith("The image was changed on disk"));
        QVERIFY(
            user().asked[0].detail.endsWith("Overwriting it loses what the other program wrote."));
        QVERIFY(c().isOpen());
        QCOMPARE(readFile(bmp), theirs);

        user().answers << true;
        QVERIFY(c().writeAndClose());
        QVERIFY(c().open(bmp));
        QCOMPARE(entries(), QStringList {"mine.txt"});
    }

    void aChangeDuringTheWriteIsAskedAbout()
    {
        const QString bmp = bitmap("during.bmp", 1000);
        QVERIFY(c().open(bmp));
        c().addFiles({file("mine.txt", "mine")});
        const QByteArray theirs = makeBitmap(1000, 1000, 11);
        // Runs while the copy is written: the controller keeps events going.
        QTimer::singleShot(0, this, [bmp, theirs] {
            QVERIFY(writeFile(bmp + ".new", theirs));
            QVERIFY(::rename(QFile::encodeName(bmp + ".new").constData(),
                        QFile::encodeName(bmp).constData())
                == 0);
        });
        QVERIFY(!c().writeAndClose());
        QCOMPARE(user().asked.size(), 1);
        QVERIFY(user().asked[0].detail.contains("while it was being written"));
        QCOMPARE(readFile(bmp), theirs);

        user().answers << true;
        QVERIFY(c().writeAndClose());
        QVERIFY(c().open(bmp));
        QCOMPARE(entries(), QStringList {"mine.txt"});
    }

    void anotherWriterIsWaitedForWhileTheUserSaysSo()
    {
        const QString bmp = bitmap("waiting.bmp");
        const QByteArray before = readFile(bmp);
        QVERIFY(c().open(bmp));
        c().addFiles({file("late.txt", "late")});
        c().setWriterWait(std::chrono::milliseconds(50));
        auto other = std::make_unique<ImageLock>();
        QVERIFY(other->acquire(bmp).ok());

        // Asked once the wait is over, not before; No gives up.
        QElapsedTimer waited;
        qint64 askedAfter = -1;
        user().onAsk = [&] {
            askedAfter = waited.elapsed();
        };
        waited.start();
        QVERIFY(!c().writeAndClose());
        QVERIFY2(askedAfter >= 50, qPrintable(QString::number(askedAfter)));
        QCOMPARE(user().asked.size(), 1);
        QCOMPARE(user().asked[0].text,
            QStringLiteral("Another program is still writing this image. Keep waiting for it?"));
        QCOMPARE(user().told.size(), 1);
        QCOMPARE(user().told[0].tone, WindowUser::Tone::Critical);
        QVERIFY(c().isOpen());
        QCOMPARE(readFile(bmp), before);

        user().answers << true; // Yes: waits on, and the other program lets go
        user().onAsk = [&other] {
            other.reset();
        };
        QVERIFY(c().writeAndClose());
        QCOMPARE(user().asked.size(), 2);
        QVERIFY(c().open(bmp));
        QCOMPARE(entries(), QStringList {"late.txt"});
    }

    void theDoneNoteFollowsTheClose()
    {
        const QString bmp = bitmap("linked.bmp");
        QVERIFY(::link(QFile::encodeName(bmp).constData(),
                    QFile::encodeName(path("other-name.bmp")).constData())
            == 0);
        hide(bmp, {file("a.txt", "a")});
        QCOMPARE(user().log.mid(user().log.size() - 2), (QStringList {"closed", "told: Done."}));
        QVERIFY(user().told.last().detail.contains("another name (a hard link)"));
    }

    void aRefusedPasswordIsForgotten()
    {
        const QString secret = bitmap("secret.bmp");
        const QString fresh = bitmap("fresh.bmp");
        hide(secret, {file("s.txt", "s")}, "right");
        QVERIFY(c().usePassword());
        QCOMPARE(c().password(), QStringLiteral("right"));

        user().log.clear();
        user().passwords << QStringLiteral("wrnog");
        QVERIFY(!c().open(secret));
        QCOMPARE(
            user().log, (QStringList {"password: enter", "box off", "told: Invalid password!"}));
        QVERIFY(c().password().isEmpty());
        QVERIFY(!c().usePassword());
        // The next image is not protected with the mistyped password: it
        // opens without one.
        hide(fresh, {file("f.txt", "f")});
        QVERIFY(c().open(fresh));
        QCOMPARE(user().log.count("password: enter"), 1);
        c().close();
        // The right one opens it, and the box shows it protected again.
        user().passwords << QStringLiteral("right");
        QVERIFY(c().open(secret));
        QVERIFY(c().usePassword());
        QCOMPARE(user().log.mid(user().log.size() - 2), (QStringList {"box on", "opened"}));
        c().close(); // and a dismissed dialog leaves it in force
        QVERIFY(c().open(secret));
    }

    // A password the container cannot store is refused, whoever typed it;
    // an image open already stays open, its changes with it.
    void unstorablePasswordsAndASecondOpenAreRefused()
    {
        const QString bmp = bitmap("store.bmp");
        QVERIFY(c().open(bmp));
        c().addFiles({file("new.txt", "n")});
        QVERIFY(!c().open(bitmap("other.bmp")));
        QCOMPARE(entries(), QStringList {"new.txt"});

        user().passwords << QStringLiteral("\u4e2d\u6587") << QStringLiteral("\u4e2d\u6587");
        c().setUsePassword(true);
        QVERIFY(!c().usePassword());
        QVERIFY(c().password().isEmpty());
        QVERIFY(user().told.last().text.contains("U+4E2D"));
    }

    void aPictureIsOfferedAsACopy()
    {
        const QString photo = path("photo.jpg");
        QVERIFY(QFile::copy(VELDRA_TEST_DATA "/coffee-crop.jpg", photo));
        QVERIFY(!c().open(photo)); // No, the default
        QCOMPARE(user().log.first(), QStringLiteral("told: File isn't a bitmap!"));
        QCOMPARE(user().asked.size(), 1);
        QVERIFY(user().asked[0].text.contains("Make a 24-bit BMP copy of it, \"photo.bmp\""));
        QVERIFY(user().asked[0].detail.contains("stored with losses"));
        QVERIFY(!QFileInfo::exists(path("photo.bmp")));
        QVERIFY(!c().isOpen());

        user().answers << true;
        QVERIFY(c().open(photo));
        QCOMPARE(c().path(), path("photo.bmp"));
        QVERIFY(user().log.endsWith("opened") && user().log.contains("path: photo.bmp"));
        QCOMPARE(c().session()->space().capacity, 320 * 240 * 3 / 8);
        c().close();
        user().answers << true;
        QVERIFY(c().open(photo)); // the name is taken now
        QCOMPARE(c().path(), path("photo (2).bmp"));
    }

    void extractAllGoesInReadingOrder()
    {
        QVERIFY(c().open(bitmap("order.bmp")));
        c().addFiles({file("zeta.txt", "z"), file("Beta.txt", "b"), file("alpha.txt", "a")});
        user().folders << file("plain", "x") + '/';
        c().extractAll();
        QCOMPARE(
            user().log.last(), "told: These files could not be written to " + path("plain") + "/:");
        QVERIFY(user().log.contains("folder from " + m_dir->path()));
        const QStringList lines = user().told.last().detail.split('\n');
        QCOMPARE(lines.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(lines[i].startsWith(QStringList {"alpha", "Beta", "zeta"}[i]),
                qPrintable(lines[i]));
    }
};

QTEST_GUILESS_MAIN(TestWindowController)
#include "tst_windowcontroller.moc"
