// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "CliOption.h"
#include "CommandLine.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QTextStream>

#include <functional>

class Outcome;

// One command of veldra-cli: its name, its lines in the help, the options
// it takes, the checks of a command line given to it, and its work. Results
// go to the output stream, messages to the error stream.
class CliCommand {
    Q_DECLARE_TR_FUNCTIONS(CliCommand)

public:
    // The exit statuses of veldra-cli.
    enum Status { Success = 0, Failure = 1, UsageError = 2 };

    // A line of the help's list of commands: how the command is called, and
    // what it does that way.
    struct HelpLine {
        QString synopsis;
        QString description;
    };

    CliCommand(QTextStream &out, QTextStream &err) : m_out(out), m_err(err) { }
    virtual ~CliCommand() = default;
    CliCommand(const CliCommand &) = delete;
    CliCommand &operator=(const CliCommand &) = delete;

    virtual QString name() const = 0;
    virtual QList<HelpLine> help() const = 0;
    // The options the command takes; it refuses the others.
    virtual QList<CliOption> options() const = 0;

    // What does not fit in line for this command, as a usage problem, or an
    // empty text when all fits.
    QString usageProblem(const CommandLine &line) const;

    // Whether the arguments after the bitmap are paths of files rather than
    // names of hidden ones.
    virtual bool takesPaths() const { return false; }

    // Does the work and gives the exit status. Only for a line that fits.
    virtual int run(const CommandLine &line) = 0;

protected:
    // The checks of options and arguments, the first problem found: by
    // default the options the command does not take, then the arguments.
    virtual QString optionsAndArgumentsProblem(const CommandLine &line) const;
    // By default, the command takes only the bitmap.
    virtual QString argumentsProblem(const CommandLine &line) const;
    // How many arguments stand for standard input.
    virtual qsizetype argumentsFromInput(const CommandLine &line) const;

    // The first option from first to last that line sets and this command
    // does not take, as a usage problem; an empty text when there is none.
    QString refusedOption(const CommandLine &line, CliOption first = CliOption::Json,
        CliOption last = CliOption::Sealed) const;

    // A message on the error stream, names in it escaped.
    void say(const QString &text);
    // Says why outcome failed, and gives the status for it.
    int fail(const Outcome &outcome);

    // Writes what stream hands over to standard output as it comes (a
    // hidden file's bytes for extract -o -), and reports a full disk or a
    // closed pipe as a failure.
    using OutputSink = std::function<Outcome(const char *data, qint64 size)>;
    int writeOutput(const std::function<Outcome(const OutputSink &sink)> &stream);

    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }

private:
    QTextStream &m_out;
    QTextStream &m_err;
};
