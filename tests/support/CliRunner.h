// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// Runs the real veldra-cli, detached from any terminal, as a script would.

#include <QProcess>
#include <QStringList>

#include <functional>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <unistd.h>

struct Run {
    int status = -1;
    QString out;
    QString err;
};

inline void startCli(
    QProcess &process, const QStringList &arguments, const std::function<void()> &inChild = {})
{
    process.setChildProcessModifier([inChild] {
        ::setsid();
        if (inChild)
            inChild();
    });
    process.start(QStringLiteral(VELDRA_CLI), arguments);
}

inline Run finishCli(QProcess &process)
{
    if (!process.waitForFinished(30000))
        qFatal("veldra-cli did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError())};
}

// Runs veldra-cli as the user nobody. The program is opened while the test
// still runs as itself and started from that open file, so that it runs even
// when the checkout lies in a folder nobody may enter.
inline Run cliAsNobody(const QStringList &arguments)
{
    QList<QByteArray> words = {QByteArrayLiteral("veldra-cli")};
    for (const QString &argument : arguments)
        words << argument.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    QProcess process;
    process.setChildProcessModifier([&argv] {
        ::setsid();
        const int program = ::open(VELDRA_CLI, O_RDONLY | O_CLOEXEC);
        if (program < 0 || ::setgroups(0, nullptr) != 0 || ::setresgid(65534, 65534, 65534) != 0
            || ::setresuid(65534, 65534, 65534) != 0)
            ::_exit(127);
        ::fexecve(program, argv.data(), environ);
        ::_exit(127);
    });
    process.start(QStringLiteral(VELDRA_CLI), arguments);
    process.closeWriteChannel();
    return finishCli(process);
}

inline Run cli(const QStringList &arguments, const QByteArray &input = {},
    const std::function<void()> &inChild = {})
{
    QProcess process;
    startCli(process, arguments, inChild);
    process.write(input);
    process.closeWriteChannel();
    return finishCli(process);
}
