// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedCommand.h"

// add --sealed: files, or standard input under --name, into the sealed
// container, which is written anew; all or nothing.
class SealedAddCommand : public SealedCommand {
    Q_DECLARE_TR_FUNCTIONS(SealedAddCommand)

public:
    using SealedCommand::SealedCommand;
    QString name() const override { return QStringLiteral("add"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    bool writes() const override { return true; }
    QString argumentsProblem(const CommandLine &line) const override;
    qsizetype argumentsFromInput(const CommandLine &line) const override;
    int work(
        SealedSession &session, const CommandLine &line, const QByteArray &passphrase) override;
};

// remove --sealed: files out of the sealed container, written anew.
class SealedRemoveCommand : public SealedCommand {
    Q_DECLARE_TR_FUNCTIONS(SealedRemoveCommand)

public:
    using SealedCommand::SealedCommand;
    QString name() const override { return QStringLiteral("remove"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    bool writes() const override { return true; }
    QString argumentsProblem(const CommandLine &line) const override;
    int work(
        SealedSession &session, const CommandLine &line, const QByteArray &passphrase) override;
};
