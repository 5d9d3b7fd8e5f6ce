// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ProtectCommand.h"

#include "container/ContainerSession.h"

QString ProtectCommand::name() const
{
    return m_mode == Protect ? QStringLiteral("protect") : QStringLiteral("unprotect");
}

QList<CliCommand::HelpLine> ProtectCommand::help() const
{
    if (m_mode == Protect)
        return {{QStringLiteral("protect BITMAP"), tr("set or change the password")}};
    return {{QStringLiteral("unprotect BITMAP"), tr("remove the password")}};
}

QList<CliOption> ProtectCommand::options() const
{
    QList<CliOption> taken = WritingCommand::options();
    if (m_mode == Protect)
        taken << CliOption::NewPasswordFile;
    return taken;
}

int ProtectCommand::change(
    ContainerSession &session, const CommandLine &line, PasswordInput &passwords)
{
    if (m_mode == Unprotect) {
        // An image without hidden files stays as it is.
        if (!session.foundContainer())
            return Success;
        return writeBack(session, line, false, QByteArray());
    }
    const std::optional<QByteArray> fresh = freshPassword(passwords);
    return fresh ? writeBack(session, line, true, *fresh) : int(Failure);
}
