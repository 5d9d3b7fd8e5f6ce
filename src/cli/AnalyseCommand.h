// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "CliCommand.h"

// analyse BITMAP [--json]: how visible hidden data are in the image, from
// its pixels alone.
class AnalyseCommand : public CliCommand {
    Q_DECLARE_TR_FUNCTIONS(AnalyseCommand)

public:
    using CliCommand::CliCommand;

    QString name() const override { return QStringLiteral("analyse"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;
    int run(const CommandLine &line) override;
};
