// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "WritingCommand.h"

// remove BITMAP NAME...: removes hidden files by name, regardless of letter
// case, and writes the image back; all or nothing.
class RemoveCommand : public WritingCommand {
    Q_DECLARE_TR_FUNCTIONS(RemoveCommand)

public:
    using WritingCommand::WritingCommand;

    QString name() const override { return QStringLiteral("remove"); }
    QList<HelpLine> help() const override;

protected:
    QString argumentsProblem(const CommandLine &line) const override;
    int change(
        ContainerSession &session, const CommandLine &line, PasswordInput &passwords) override;
};
