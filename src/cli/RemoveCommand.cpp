// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "RemoveCommand.h"

#include "base/FailureText.h"
#include "container/ContainerSession.h"

QList<CliCommand::HelpLine> RemoveCommand::help() const
{
    return {{QStringLiteral("remove BITMAP NAME..."),
        tr("remove hidden files and write the image back")}};
}

QString RemoveCommand::argumentsProblem(const CommandLine &line) const
{
    if (line.arguments.isEmpty())
        return tr("remove needs at least one name.");
    return {};
}

int RemoveCommand::change(ContainerSession &session, const CommandLine &line, PasswordInput &)
{
    for (const QString &hidden : line.arguments) {
        if (Outcome removed = session.file().Remove(hidden); !removed)
            return leaveUnchanged(fullText(removed));
    }
    return writeBack(session, line, session.header().UsePassword, session.password());
}
