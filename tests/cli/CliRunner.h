// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

// Runs the real veldra-cli, detached from any terminal, as a script would.

#include <QProcess>
#include <QStringList>

#include <functional>

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

inline Run cli(const QStringList &arguments, const QByteArray &input = {},
    const std::function<void()> &inChild = {})
{
    QProcess process;
    startCli(process, arguments, inChild);
    process.write(input);
    process.closeWriteChannel();
    return finishCli(process);
}
