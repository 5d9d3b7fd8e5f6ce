// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliCommand.h"
#include "CliTool.h"
#include "base/Translations.h"
#include "io/TemporaryRegistry.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

int main(int argc, char **argv)
{
    // Ctrl-C, a closed terminal or a kill during a write must not leave a
    // temporary copy of an image behind.
    TemporaryRegistry::installSignalHandlers();
    // Nothing here needs an event loop, and a command that reads a few bytes
    // of an image should not wait for an application object: one is made
    // only to speak the user's language, where that is not English.
    QCoreApplication::setApplicationName(QStringLiteral("veldra-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELDRA_VERSION));
    std::optional<QCoreApplication> application;
    if (Translations::wanted()) {
        application.emplace(argc, argv);
        Translations::install();
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CliTool tool(out, err);
    int status = tool.run(arguments);

    // Output that did not arrive is a failure, whatever the command did. A
    // command that failed has said why already.
    errno = 0;
    out.flush();
    const bool flushed = std::fflush(stdout) == 0;
    if (status == CliCommand::Success
        && (out.status() != QTextStream::Ok || !flushed || std::ferror(stdout))) {
        err << QCoreApplication::applicationName() << ": the output could not be written"
            << (errno ? QStringLiteral(": %1.").arg(QString::fromLocal8Bit(std::strerror(errno)))
                      : QStringLiteral("."))
            << '\n';
        status = CliCommand::Failure;
    }
    return status;
}
