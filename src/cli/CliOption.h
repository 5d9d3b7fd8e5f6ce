// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include <QCommandLineOption>
#include <QList>
#include <QString>

// The options of veldra-cli's commands. Every command line is parsed with
// all of them, and each command refuses those it does not take, in the order
// given here: the problem reported is the first one found. A command that
// checks how two options go together does so once the options up to the
// later of them are known to be taken.
enum class CliOption {
    Json,
    Force,
    NoClobber,
    PasswordFile,
    NoPrompt,
    Protect,
    NoProtect,
    Output,
    Name,
    Wait,
    NewPasswordFile,
    Sealed,
};

// The options from first to last, both included, in the order above.
QList<CliOption> cliOptions(CliOption first = CliOption::Json, CliOption last = CliOption::Sealed);
// Every option, in the order the help lists them.
QList<CliOption> cliOptionsForHelp();

// The option as the parser knows it: its names, what it does and its value.
QCommandLineOption parserOption(CliOption option);

// The name to ask the parser about the option with.
QString optionName(CliOption option);

// The usage problem of giving option to the command named command, which
// does not take it.
QString refusal(CliOption option, const QString &command);
