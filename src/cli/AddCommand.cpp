// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "AddCommand.h"

#include "PasswordInput.h"
#include "base/FailureText.h"
#include "container/ContainerSession.h"
#include "container/EntryRecord.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

QList<CliCommand::HelpLine> AddCommand::help() const
{
    return {{QStringLiteral("add BITMAP FILE... [--protect | --no-protect]"),
                tr("hide files and write the image back")},
        {QStringLiteral("add BITMAP - --name NAME"), tr("hide standard input under NAME")}};
}

QList<CliOption> AddCommand::options() const
{
    return WritingCommand::options() << CliOption::Protect << CliOption::NoProtect
                                     << CliOption::Name << CliOption::NewPasswordFile;
}

QString AddCommand::optionsAndArgumentsProblem(const CommandLine &line) const
{
    if (QString refused = refusedOption(line, CliOption::Json, CliOption::NoProtect);
        !refused.isEmpty())
        return refused;
    if (line.isSet(CliOption::Protect) && line.isSet(CliOption::NoProtect))
        return tr("--protect and --no-protect exclude each other.");
    if (QString refused = refusedOption(line, CliOption::Output); !refused.isEmpty())
        return refused;
    // The new password is for --protect.
    if (line.isSet(CliOption::NewPasswordFile) && !line.isSet(CliOption::Protect))
        return refusal(CliOption::NewPasswordFile, name());
    return argumentsProblem(line);
}

QString AddCommand::argumentsProblem(const CommandLine &line) const
{
    return filesProblem(line);
}

qsizetype AddCommand::argumentsFromInput(const CommandLine &line) const
{
    return filesFromInput(line);
}

QString AddCommand::filesProblem(const CommandLine &line)
{
    if (line.arguments.isEmpty())
        return tr("add needs at least one file.");
    const qsizetype fromInput = filesFromInput(line);
    if (fromInput > 1)
        return tr("Standard input (\"-\") can be added only once.");
    if ((fromInput == 1) != line.isSet(CliOption::Name))
        return tr("add - needs --name NAME, and --name goes with \"-\" only.");
    return {};
}

qsizetype AddCommand::filesFromInput(const CommandLine &line)
{
    return line.arguments.count(QStringLiteral("-"));
}

bool AddCommand::hide(
    ContainerSession &session, const QString &path, const CommandLine &line, QStringList &notes)
{
    const bool fromInput = path == QLatin1String("-");
    const QString source = fromInput ? tr("standard input") : path;
    Outcome added = Outcome::success();
    if (fromInput) {
        QFile input;
        added = input.open(stdin, QIODevice::ReadOnly)
            ? session.addFrom(input, line.value(CliOption::Name))
            : Outcome::failure(Outcome::Kind::Refused, input.errorString());
    } else {
        // Read as the image is written, milliseconds from now, so that no
        // copy of the file need be held in memory.
        added = session.add(path, Holding::FromFile);
    }
    if (!added) {
        leaveUnchanged(source + QStringLiteral(": ") + fullText(added));
        return false;
    }
    const QString hiddenName = fromInput ? line.value(CliOption::Name) : QFileInfo(path).fileName();
    if (const QString why = EntryRecord::whyStoredDifferently(hiddenName); !why.isEmpty())
        notes << tr("%1: stored as \"%2\" (%3).")
                     .arg(source, EntryRecord::storedForm(hiddenName), why);
    return true;
}

int AddCommand::change(ContainerSession &session, const CommandLine &line, PasswordInput &passwords)
{
    // All or nothing: one refused file and the image is not written.
    QStringList notes;
    for (const QString &path : line.arguments) {
        if (!hide(session, path, line, notes))
            return Failure;
    }
    bool usePassword = session.header().UsePassword;
    QByteArray password = session.password();
    if (line.isSet(CliOption::Protect)) {
        const std::optional<QByteArray> fresh = freshPassword(passwords);
        if (!fresh)
            return Failure;
        usePassword = true;
        password = *fresh;
    } else if (line.isSet(CliOption::NoProtect)) {
        usePassword = false;
        password.clear();
    }
    const int status = writeBack(session, line, usePassword, password);
    if (status == Success) {
        for (const QString &note : std::as_const(notes))
            say(note);
    }
    return status;
}
