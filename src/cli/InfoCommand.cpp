// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "InfoCommand.h"

#include "TerminalText.h"

#include "container/ContainerSession.h"

#include <QJsonDocument>
#include <QJsonObject>

QList<CliCommand::HelpLine> InfoCommand::help() const
{
    return {{QStringLiteral("info BITMAP [--json]"),
        tr("capacity, used and free space, files, protection")}};
}

QList<CliOption> InfoCommand::options() const
{
    return ContainerCommand::options() << CliOption::Json;
}

int InfoCommand::work(ContainerSession &session, const CommandLine &line, PasswordInput &)
{
    const ContainerSession::Space space = session.space();
    const qint64 files = session.file().colFiles().count();
    const bool isProtected = session.header().UsePassword;
    if (line.isSet(CliOption::Json)) {
        const QJsonObject object {{"capacity", space.capacity}, {"used", space.used},
            {"free", space.free}, {"files", files}, {"protected", isProtected},
            {"room", space.room}, {"damaged", !session.report().damage.isEmpty()},
            {"unreadable", session.report().unread()}, {"missing_bytes", session.missingBytes()}};
        out() << printableJson(QJsonDocument(object));
        return Success;
    }
    out() << "capacity: " << space.capacity << '\n'
          << "used: " << space.used << '\n'
          << "free: " << space.free << '\n'
          << "files: " << files << '\n'
          << "protected: " << (isProtected ? "yes" : "no") << '\n';
    return Success;
}
