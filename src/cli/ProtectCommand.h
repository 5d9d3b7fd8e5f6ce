// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#pragma once

#include "WritingCommand.h"

// protect BITMAP sets or changes the password (--new-password-file, or
// asked twice on the terminal); unprotect BITMAP removes it. Either writes
// the image back.
class ProtectCommand : public WritingCommand {
    Q_DECLARE_TR_FUNCTIONS(ProtectCommand)

public:
    enum Mode { Protect, Unprotect };

    ProtectCommand(Mode mode, QTextStream &out, QTextStream &err)
        : WritingCommand(out, err),
          m_mode(mode)
    {
    }

    QString name() const override;
    QList<HelpLine> help() const override;
    QList<CliOption> options() const override;

protected:
    int change(
        ContainerSession &session, const CommandLine &line, PasswordInput &passwords) override;

private:
    Mode m_mode;
};
