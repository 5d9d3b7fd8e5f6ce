// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "CliCommand.h"

#include <QFileDevice>

#include "TerminalText.h"
#include "base/FailureText.h"

QString CliCommand::usageProblem(const CommandLine &line) const
{
    if (QString problem = optionsAndArgumentsProblem(line); !problem.isEmpty())
        return problem;
    // Standard input gives one thing only: a file to add, or one password.
    const qsizetype fromInput = argumentsFromInput(line)
        + (line.value(CliOption::PasswordFile) == QLatin1String("-"))
        + (line.value(CliOption::NewPasswordFile) == QLatin1String("-"));
    if (fromInput > 1)
        return tr("Standard input (\"-\") can serve only one purpose at a time.");
    return {};
}

QString CliCommand::optionsAndArgumentsProblem(const CommandLine &line) const
{
    if (QString refused = refusedOption(line); !refused.isEmpty())
        return refused;
    return argumentsProblem(line);
}

QString CliCommand::argumentsProblem(const CommandLine &line) const
{
    if (!line.arguments.isEmpty())
        return tr("%1 takes only the bitmap.").arg(name());
    return {};
}

qsizetype CliCommand::argumentsFromInput(const CommandLine &) const
{
    return 0;
}

QString CliCommand::refusedOption(const CommandLine &line, CliOption first, CliOption last) const
{
    const QList<CliOption> taken = options();
    for (const CliOption option : cliOptions(first, last)) {
        if (line.isSet(option) && !taken.contains(option))
            return refusal(option, name());
    }
    return {};
}

void CliCommand::say(const QString &text)
{
    m_err << escapeControls(text) << '\n';
    m_err.flush();
}

int CliCommand::fail(const Outcome &outcome)
{
    say(fullText(outcome));
    return Failure;
}

int CliCommand::writeOutput(const std::function<Outcome(const OutputSink &sink)> &stream)
{
    m_out.flush();
    QIODevice *raw = m_out.device();
    const auto failed = [raw] {
        return Outcome::failure(
            tr("The output could not be written."), raw ? raw->errorString() : QString());
    };
    const Outcome written = stream([&](const char *data, qint64 size) {
        return raw && raw->write(data, size) == size ? Outcome::success() : failed();
    });
    if (!written)
        return fail(written);
    // What the device still buffers is written now, so that a full disk or a
    // closed pipe is reported here rather than lost at exit.
    auto *file = qobject_cast<QFileDevice *>(raw);
    if (file && !file->flush())
        return fail(failed());
    return Success;
}
