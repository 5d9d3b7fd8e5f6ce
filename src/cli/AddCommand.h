// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "WritingCommand.h"

#include <QStringList>

// add BITMAP FILE... [--protect | --no-protect] hides files under their bare
// names, add BITMAP - --name NAME standard input, and writes the image back:
// all or nothing. Without --protect or --no-protect the container keeps its
// protection.
class AddCommand : public WritingCommand {
    Q_DECLARE_TR_FUNCTIONS(AddCommand)

public:
    using WritingCommand::WritingCommand;

    QString name() const override { return QStringLiteral("add"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;
    bool takesPaths() const override { return true; }

    // What is wrong with add's files, for plain and sealed containers alike:
    // none, "-" more than once, or "-" without --name (or --name without
    // it); empty when nothing is. And how many are "-".
    static QString filesProblem(const CommandLine &line);
    static qsizetype filesFromInput(const CommandLine &line);

protected:
    QString optionsAndArgumentsProblem(const CommandLine &line) const override;
    QString argumentsProblem(const CommandLine &line) const override;
    qsizetype argumentsFromInput(const CommandLine &line) const override;
    int change(
        ContainerSession &session, const CommandLine &line, PasswordInput &passwords) override;

private:
    // Hides one file, "-" for standard input; adds to notes how its name is
    // stored when that differs. False after saying why it was refused.
    bool hide(ContainerSession &session, const QString &path, const CommandLine &line,
        QStringList &notes);
};
