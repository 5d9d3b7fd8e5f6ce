// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "CliCommand.h"

// seal: a new sealed container in the image, holding the files of its
// plain container, if it has one (whose bits are then re-randomised), and
// the files named. The passphrase is new: typed twice on a terminal, or
// from --password-file. Whatever the image held before is gone, a sealed
// container under another passphrase included.
class SealCommand : public CliCommand {
    Q_DECLARE_TR_FUNCTIONS(SealCommand)

public:
    using CliCommand::CliCommand;
    QString name() const override { return QStringLiteral("seal"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;
    int run(const CommandLine &line) override;

protected:
    QString argumentsProblem(const CommandLine &line) const override;
};

// unseal: the sealed container the passphrase opens, turned back into a
// plain one; the sealed container is unreadable afterwards.
class UnsealCommand : public CliCommand {
    Q_DECLARE_TR_FUNCTIONS(UnsealCommand)

public:
    using CliCommand::CliCommand;
    QString name() const override { return QStringLiteral("unseal"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;
    int run(const CommandLine &line) override;
};
