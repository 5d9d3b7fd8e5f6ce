// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerCommand.h"

// info BITMAP [--json]: the container's room, its files and its protection.
class InfoCommand : public ContainerCommand {
    Q_DECLARE_TR_FUNCTIONS(InfoCommand)

public:
    using ContainerCommand::ContainerCommand;

    QString name() const override { return QStringLiteral("info"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    int work(ContainerSession &session, const CommandLine &line, PasswordInput &passwords) override;
};
