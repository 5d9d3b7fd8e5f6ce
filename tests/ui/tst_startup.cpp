// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "TestBitmaps.h"

#include <QProcess>
#include <QtTest>

#include <csignal>

// The program as it starts: its command line and the folder it works in.
class TestStartup : public QObject, private ScratchFolder {
    Q_OBJECT

private:
    // True once the main thread of process pid waits for events: start-up
    // is over.
    static bool waitingForEvents(qint64 pid)
    {
        QFile wchan(QString("/proc/%1/wchan").arg(pid));
        return wchan.open(QIODevice::ReadOnly) && wchan.readAll().contains("poll");
    }

private slots:
    void theWorkingFolderStaysWhereItWasStarted()
    {
        QProcess veldra;
        veldra.setWorkingDirectory(root());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        veldra.setProcessEnvironment(env);
        veldra.start(VELDRA_GUI, {});
        QVERIFY(veldra.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(waitingForEvents(veldra.processId()), 20000);
        const QString folder
            = QFile::symLinkTarget(QString("/proc/%1/cwd").arg(veldra.processId()));
        ::kill(pid_t(veldra.processId()), SIGTERM);
        veldra.waitForFinished();
        QCOMPARE(folder, QFileInfo(root()).canonicalFilePath());
    }

    void helpAndQtOptions()
    {
        QProcess veldra;
        QProcessEnvironment bare;
        bare.insert("PATH", qEnvironmentVariable("PATH"));
        veldra.setProcessEnvironment(bare);
        veldra.start(VELDRA_GUI, {"--help"});
        QVERIFY(veldra.waitForFinished());
        const QString help = QString::fromUtf8(veldra.readAllStandardOutput());
        QVERIFY2(help.startsWith("Usage: veldra [options] [BITMAP]"), qPrintable(help));
        QVERIFY(!help.contains("--help-all"));
        // Qt's own options are the toolkit's to take.
        veldra.start(VELDRA_GUI, {"-style", "fusion", "-platform", "offscreen", "--version"});
        QVERIFY(veldra.waitForFinished());
        QCOMPARE(veldra.exitCode(), 0);
        QCOMPARE(veldra.readAllStandardOutput(), QByteArray("veldra " VELDRA_VERSION "\n"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
