// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SealedCommand.h"

#include "PasswordInput.h"
#include "base/FailureText.h"
#include "io/FileProbe.h"
#include "sealed/SealedSession.h"

QList<CliOption> SealedCommand::options() const
{
    return {CliOption::PasswordFile, CliOption::NoPrompt, CliOption::Sealed};
}

QString SealedCommand::optionsAndArgumentsProblem(const CommandLine &line) const
{
    // What only a plain container has is refused as such.
    for (const CliOption option :
        {CliOption::Force, CliOption::Protect, CliOption::NoProtect, CliOption::NewPasswordFile}) {
        if (line.isSet(option) && !options().contains(option)) {
            return tr("%1 does not go with --sealed.")
                .arg(QStringLiteral("--") + optionName(option));
        }
    }
    return CliCommand::optionsAndArgumentsProblem(line);
}

std::optional<QByteArray> passphraseOf(const CommandLine &line, bool fresh, QString *why)
{
    PasswordInput input(
        line.value(CliOption::PasswordFile), QString(), !line.isSet(CliOption::NoPrompt));
    input.setForm(PasswordInput::Form::Utf8);
    return fresh ? input.fresh(why) : input.existing(why);
}

int SealedCommand::noContainer(const CommandLine &, const Outcome &why)
{
    return fail(why);
}

int SealedCommand::run(const CommandLine &line)
{
    SealedSession session;
    if (writes()) {
        if (Outcome probed = probeRegularFile(line.bitmap); !probed)
            return fail(Outcome::failure(Outcome::Kind::BitmapNotFound, fullText(probed)));
        if (Outcome locked = session.lockImage(line.bitmap, line.wait); !locked)
            return fail(locked);
    }
    QString why;
    const std::optional<QByteArray> passphrase = passphraseOf(line, false, &why);
    if (!passphrase) {
        say(why);
        return Failure;
    }
    const Outcome opened = session.open(line.bitmap, *passphrase);
    if (opened.kind() == Outcome::Kind::NoSealedContainer)
        return noContainer(line, opened);
    if (!opened)
        return fail(opened);
    return work(session, line, *passphrase);
}

int SealedCommand::writeBack(
    SealedSession &session, const CommandLine &line, const QByteArray &passphrase)
{
    SealedSession::WriteOptions options;
    options.wait = line.wait;
    if (Outcome written = session.writeBack(line.bitmap, passphrase, options); !written)
        return fail(written);
    for (const QString &note : session.notes())
        say(note);
    return Success;
}
