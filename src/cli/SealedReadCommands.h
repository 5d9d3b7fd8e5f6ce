// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "SealedCommand.h"

// info --sealed: the figures of info, and that the container is sealed.
class SealedInfoCommand : public SealedCommand {
    Q_DECLARE_TR_FUNCTIONS(SealedInfoCommand)

public:
    using SealedCommand::SealedCommand;
    QString name() const override { return QStringLiteral("info"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    int noContainer(const CommandLine &line, const Outcome &why) override;
    int work(
        SealedSession &session, const CommandLine &line, const QByteArray &passphrase) override;
};

// list --sealed: every sealed file, as list gives them.
class SealedListCommand : public SealedCommand {
    Q_DECLARE_TR_FUNCTIONS(SealedListCommand)

public:
    using SealedCommand::SealedCommand;
    QString name() const override { return QStringLiteral("list"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    int work(
        SealedSession &session, const CommandLine &line, const QByteArray &passphrase) override;
};

// extract --sealed: sealed files into a folder, or one to standard output.
class SealedExtractCommand : public SealedCommand {
    Q_DECLARE_TR_FUNCTIONS(SealedExtractCommand)

public:
    using SealedCommand::SealedCommand;
    QString name() const override { return QStringLiteral("extract"); }
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    QString argumentsProblem(const CommandLine &line) const override;
    int work(
        SealedSession &session, const CommandLine &line, const QByteArray &passphrase) override;

private:
    int toOutput(const SealedSession &session, const QString &name);
};
