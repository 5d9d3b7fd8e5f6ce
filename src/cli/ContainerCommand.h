// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "CliCommand.h"
#include "base/Outcome.h"

class ContainerSession;
class PasswordInput;

// A command on the container hidden in a bitmap. It opens the container,
// with the password from --password-file or else the terminal (never with
// --no-prompt), and warns of an image file cut short and of hidden files
// that could not be read.
class ContainerCommand : public CliCommand {
    Q_DECLARE_TR_FUNCTIONS(ContainerCommand)

public:
    using CliCommand::CliCommand;

    QList<CliOption> options() const override;
    int run(const CommandLine &line) final;

protected:
    // Readies the session before the bitmap is opened.
    virtual Outcome prepare(ContainerSession &session, const CommandLine &line);
    // The command's work on the opened container. passwords has the
    // container's password, and asks for a new one.
    virtual int work(ContainerSession &session, const CommandLine &line, PasswordInput &passwords)
        = 0;
};
