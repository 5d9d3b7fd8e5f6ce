// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <vector>

class CliCommand;
class QCommandLineParser;

// veldra-cli: the window's actions on a bitmap's container for scripts.
// Picks the command a command line names, has it check the line, and runs
// it; the commands are in the classes derived from CliCommand. Results go to
// out, messages to err. The exit status is 0 on success, 1 on any failure
// and 2 on a usage error.
class CliTool {
    Q_DECLARE_TR_FUNCTIONS(CliTool)

public:
    CliTool(QTextStream &out, QTextStream &err);
    ~CliTool();
    CliTool(const CliTool &) = delete;
    CliTool &operator=(const CliTool &) = delete;

    // arguments[0] is the program's name, as in argv.
    int run(const QStringList &arguments);

private:
    // The parser of every command's options, with the help.
    void prepare(QCommandLineParser &parser) const;
    // The help's description, with the list of commands.
    QString description() const;
    // Runs the command the parsed command line names.
    int dispatch(const QCommandLineParser &parser);
    CliCommand *command(const QString &name) const;
    int usage(const QString &problem);

    QTextStream &m_out;
    QTextStream &m_err;
    // In the order the help lists them.
    std::vector<std::unique_ptr<CliCommand>> m_commands;
    // The same commands on a sealed container (--sealed).
    std::vector<std::unique_ptr<CliCommand>> m_sealedCommands;
};
