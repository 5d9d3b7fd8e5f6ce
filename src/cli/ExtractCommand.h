// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerCommand.h"

#include <QStringList>

// extract BITMAP [NAME...] [-o DIR] [--no-clobber] writes hidden files (all
// when none is named) into a folder, never over the image it reads;
// extract BITMAP NAME -o - writes one to standard output.
class ExtractCommand : public ContainerCommand {
    Q_DECLARE_TR_FUNCTIONS(ExtractCommand)

public:
    using ContainerCommand::ContainerCommand;

    QString name() const override { return QStringLiteral("extract"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    QString optionsAndArgumentsProblem(const CommandLine &line) const override;
    QString argumentsProblem(const CommandLine &line) const override;
    int work(ContainerSession &session, const CommandLine &line, PasswordInput &passwords) override;

private:
    // The stored names of the files asked for; a name not hidden is said and
    // counted in *failures.
    QStringList wanted(const ContainerSession &session, const CommandLine &line, int *failures);
    int toOutput(const ContainerSession &session, const QString &description);
    int intoFolder(const ContainerSession &session, const CommandLine &line,
        const QStringList &descriptions, int failures);
};
