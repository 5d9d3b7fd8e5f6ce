// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ExtractCommand.h"

#include "base/FailureText.h"
#include "container/ContainerSession.h"
#include "io/FileProbe.h"

#include <QFileDevice>


namespace {

bool toStandardOutput(const CommandLine &line)
{
    return line.value(CliOption::Output) == QLatin1String("-");
}

} // namespace

QList<CliCommand::HelpLine> ExtractCommand::help() const
{
    return {{QStringLiteral("extract BITMAP [NAME...] [-o DIR] [--no-clobber]"),
                tr("write hidden files (all when none is named)")},
        {QStringLiteral("extract BITMAP NAME -o -"),
            tr("write one hidden file to standard output")}};
}

QList<CliOption> ExtractCommand::options() const
{
    return ContainerCommand::options() << CliOption::NoClobber << CliOption::Output;
}

QString ExtractCommand::optionsAndArgumentsProblem(const CommandLine &line) const
{
    if (QString refused = refusedOption(line, CliOption::Json, CliOption::NoClobber);
        !refused.isEmpty())
        return refused;
    // Standard output replaces nothing to keep.
    if (line.isSet(CliOption::NoClobber) && toStandardOutput(line))
        return tr("--no-clobber does not go with -o -.");
    if (QString refused = refusedOption(line, CliOption::PasswordFile); !refused.isEmpty())
        return refused;
    return argumentsProblem(line);
}

QString ExtractCommand::argumentsProblem(const CommandLine &line) const
{
    if (toStandardOutput(line) && line.arguments.size() != 1)
        return tr("extract -o - writes exactly one named file.");
    return {};
}

int ExtractCommand::work(ContainerSession &session, const CommandLine &line, PasswordInput &)
{
    int failures = 0;
    const QStringList descriptions = wanted(session, line, &failures);
    if (toStandardOutput(line))
        return descriptions.isEmpty() ? int(Failure) : toOutput(session, descriptions.constFirst());
    return intoFolder(session, line, descriptions, failures);
}

QStringList ExtractCommand::wanted(
    const ContainerSession &session, const CommandLine &line, int *failures)
{
    const DatFile &table = session.file();
    QStringList descriptions;
    if (line.arguments.isEmpty()) {
        for (qsizetype i = 1; i <= table.colDescriptions().count(); ++i)
            descriptions << table.colDescriptions().item(i);
        return descriptions;
    }
    for (const QString &asked : line.arguments) {
        // Written under the name it is stored with, whatever case was asked for.
        if (const QString *description = table.colDescriptions().find(asked)) {
            descriptions << *description;
        } else {
            say(tr("\"%1\" is not hidden in this image.").arg(asked));
            ++*failures;
        }
    }
    return descriptions;
}

int ExtractCommand::toOutput(const ContainerSession &session, const QString &description)
{
    return writeOutput(
        [&](const OutputSink &sink) { return session.file().streamData(description, sink); });
}

int ExtractCommand::intoFolder(const ContainerSession &session, const CommandLine &line,
    const QStringList &descriptions, int failures)
{
    const QString folder
        = line.isSet(CliOption::Output) ? line.value(CliOption::Output) : QStringLiteral(".");
    // A missing folder is made, as unpackers do; one that cannot take the
    // files is named once rather than once per file.
    if (Outcome ready = prepareFolder(folder); !ready)
        return fail(ready);
    const bool keepExisting = line.isSet(CliOption::NoClobber);
    for (const QString &description : descriptions) {
        if (Outcome written = session.extract(description, folder, keepExisting); !written) {
            say(description + QStringLiteral(": ") + fullText(written));
            ++failures;
        } else if (const QString used = session.file().extractionName(description);
                   used != description) {
            say(tr("\"%1\" cannot be a file name as it stands and was written as \"%2\".")
                    .arg(description, used));
        }
    }
    // All were asked for, and some could not even be listed.
    if (const qint64 unread = session.report().unread(); line.arguments.isEmpty() && unread > 0) {
        say(tr("Hidden files that could not be read, and were not extracted: %1.").arg(unread));
        ++failures;
    }
    return failures == 0 ? Success : Failure;
}
