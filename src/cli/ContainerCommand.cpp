// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "ContainerCommand.h"

#include "PasswordInput.h"
#include "container/ContainerSession.h"

QList<CliOption> ContainerCommand::options() const
{
    return {CliOption::PasswordFile, CliOption::NoPrompt};
}

Outcome ContainerCommand::prepare(ContainerSession &, const CommandLine &)
{
    return Outcome::success();
}

int ContainerCommand::run(const CommandLine &line)
{
    ContainerSession session;
    if (Outcome ready = prepare(session, line); !ready)
        return fail(ready);

    PasswordInput passwords(line.value(CliOption::PasswordFile),
        line.value(CliOption::NewPasswordFile), !line.isSet(CliOption::NoPrompt));
    const Outcome opened
        = session.open(line.bitmap, [&passwords](QString *why) { return passwords.existing(why); });
    if (!opened)
        return fail(opened);
    if (const QString cut = session.cutShortWarning(); !cut.isEmpty())
        say(tr("Warning: %1").arg(cut));
    if (!session.report().isComplete())
        say(tr("Warning: %1").arg(session.report().message()));
    return work(session, line, passwords);
}
