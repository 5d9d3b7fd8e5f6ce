// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "ContainerCommand.h"

// list BITMAP [--json]: the size and name of every hidden file, in stored
// order.
class ListCommand : public ContainerCommand {
    Q_DECLARE_TR_FUNCTIONS(ListCommand)

public:
    using ContainerCommand::ContainerCommand;

    QString name() const override { return QStringLiteral("list"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    int work(ContainerSession &session, const CommandLine &line, PasswordInput &passwords) override;

private:
    void printJson(const ContainerSession &session);
};
