// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "CliCommand.h"
#include "base/Outcome.h"

#include <QByteArray>

class PasswordInput;
class SealedSession;

// A command on the sealed container that the passphrase opens (--sealed).
// The passphrase comes from --password-file, or else the terminal (never
// with --no-prompt). Where none opens, the command says "no sealed
// container opens with this passphrase", exits 1 and changes nothing.
class SealedCommand : public CliCommand {
    Q_DECLARE_TR_FUNCTIONS(SealedCommand)

public:
    using CliCommand::CliCommand;

    QList<CliOption> options() const override;
    int run(const CommandLine &line) final;

protected:
    QString optionsAndArgumentsProblem(const CommandLine &line) const override;
    // Writers take the image's lock before it is read.
    virtual bool writes() const { return false; }
    // What the command does where no container opens; by default it fails.
    virtual int noContainer(const CommandLine &line, const Outcome &why);
    // The command's work on the opened container.
    virtual int work(SealedSession &session, const CommandLine &line, const QByteArray &passphrase)
        = 0;
    // Writes the changed container back under passphrase.
    int writeBack(SealedSession &session, const CommandLine &line, const QByteArray &passphrase);
};

// The passphrase of a sealed container, from --password-file or the
// terminal; fresh asks a new one twice.
std::optional<QByteArray> passphraseOf(const CommandLine &line, bool fresh, QString *why);
