// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "WritingCommand.h"

#include "PasswordInput.h"
#include "base/FailureText.h"
#include "container/ContainerSession.h"
#include "io/FileProbe.h"

QList<CliOption> WritingCommand::options() const
{
    return ContainerCommand::options() << CliOption::Force << CliOption::Wait;
}

Outcome WritingCommand::prepare(ContainerSession &session, const CommandLine &line)
{
    if (Outcome probed = probeRegularFile(line.bitmap); !probed)
        return Outcome::failure(Outcome::Kind::BitmapNotFound, fullText(probed));
    return session.lockImage(line.bitmap, line.wait);
}

int WritingCommand::work(
    ContainerSession &session, const CommandLine &line, PasswordInput &passwords)
{
    if (Outcome writable = session.checkWritable(); !writable)
        return fail(writable);
    return change(session, line, passwords);
}

int WritingCommand::writeBack(ContainerSession &session, const CommandLine &line, bool usePassword,
    const QByteArray &password)
{
    ContainerSession::WriteOptions options;
    options.mayFillMissing = line.isSet(CliOption::Force);
    if (Outcome written = session.writeBack(line.bitmap, usePassword, password, options);
        !written) {
        if (written.kind() == Outcome::Kind::CutShort)
            say(tr("Give --force to write it all the same."));
        return fail(written);
    }
    for (const QString &note : session.notes())
        say(note);
    return Success;
}

std::optional<QByteArray> WritingCommand::freshPassword(PasswordInput &passwords)
{
    QString why;
    const std::optional<QByteArray> fresh = passwords.fresh(&why);
    if (!fresh)
        leaveUnchanged(why);
    return fresh;
}

int WritingCommand::leaveUnchanged(const QString &why)
{
    say(why);
    say(tr("The image was not changed."));
    return Failure;
}
