// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SealedWriteCommands.h"

#include "AddCommand.h"

#include "base/FailureText.h"
#include "sealed/SealedSession.h"

#include <QFile>

QList<CliCommand::HelpLine> SealedAddCommand::help() const
{
    return {{QStringLiteral("add BITMAP --sealed FILE... | - --name NAME"),
        tr("hide files in the sealed container, written anew")}};
}

QList<CliOption> SealedAddCommand::options() const
{
    return SealedCommand::options() << CliOption::Name << CliOption::Wait;
}

qsizetype SealedAddCommand::argumentsFromInput(const CommandLine &line) const
{
    return AddCommand::filesFromInput(line);
}

QString SealedAddCommand::argumentsProblem(const CommandLine &line) const
{
    return AddCommand::filesProblem(line);
}

int SealedAddCommand::work(
    SealedSession &session, const CommandLine &line, const QByteArray &passphrase)
{
    for (const QString &path : line.arguments) {
        Outcome added = Outcome::success();
        if (path == QLatin1String("-")) {
            QFile input;
            added = input.open(stdin, QIODevice::ReadOnly)
                ? session.addFrom(input, line.value(CliOption::Name))
                : Outcome::failure(Outcome::Kind::Refused, input.errorString());
        } else {
            // Read as the image is written, so that no copy is held.
            added = session.add(path, false);
        }
        if (!added) {
            say((path == QLatin1String("-") ? tr("standard input") : path) + QStringLiteral(": ")
                + fullText(added));
            say(tr("The image was not changed."));
            return Failure;
        }
    }
    return writeBack(session, line, passphrase);
}

QList<CliCommand::HelpLine> SealedRemoveCommand::help() const
{
    return {{QStringLiteral("remove BITMAP --sealed NAME..."),
        tr("remove files from the sealed container, written anew")}};
}

QList<CliOption> SealedRemoveCommand::options() const
{
    return SealedCommand::options() << CliOption::Wait;
}

QString SealedRemoveCommand::argumentsProblem(const CommandLine &line) const
{
    return line.arguments.isEmpty() ? tr("remove needs at least one name.") : QString();
}

int SealedRemoveCommand::work(
    SealedSession &session, const CommandLine &line, const QByteArray &passphrase)
{
    for (const QString &name : line.arguments) {
        if (Outcome removed = session.remove(name); !removed) {
            say(fullText(removed));
            say(tr("The image was not changed."));
            return Failure;
        }
    }
    return writeBack(session, line, passphrase);
}
