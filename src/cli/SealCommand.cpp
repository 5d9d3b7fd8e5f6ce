// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SealCommand.h"

#include "PasswordInput.h"
#include "SealedCommand.h"
#include "base/FailureText.h"
#include "container/ContainerSession.h"
#include "io/FileProbe.h"
#include "sealed/PlainCarryOver.h"
#include "sealed/SealedSession.h"

#include <QBuffer>

QList<CliCommand::HelpLine> SealCommand::help() const
{
    return {{QStringLiteral("seal BITMAP [FILE...]"),
        tr("make a new sealed container, holding the plain one's files and FILEs")}};
}

QList<CliOption> SealCommand::options() const
{
    return {CliOption::PasswordFile, CliOption::NoPrompt, CliOption::Wait};
}

QString SealCommand::argumentsProblem(const CommandLine &line) const
{
    if (line.arguments.contains(QStringLiteral("-")))
        return tr("seal hides files; standard input can be added afterwards with add --sealed.");
    return {};
}

int SealCommand::run(const CommandLine &line)
{
    SealedSession sealed;
    if (Outcome probed = probeRegularFile(line.bitmap); !probed)
        return fail(Outcome::failure(Outcome::Kind::BitmapNotFound, fullText(probed)));
    if (Outcome locked = sealed.lockImage(line.bitmap, line.wait); !locked)
        return fail(locked);
    // The plain container now in the image; its password, if it has one,
    // only from the terminal: --password-file gives the new passphrase.
    PasswordInput plainPassword(QString(), QString(), !line.isSet(CliOption::NoPrompt));
    ContainerSession plain;
    if (Outcome opened = plain.open(
            line.bitmap, [&plainPassword](QString *why) { return plainPassword.existing(why); });
        !opened)
        return fail(opened);
    if (Outcome whole = plain.checkWritable(); !whole)
        return fail(whole);
    if (Outcome started = sealed.startNew(line.bitmap); !started)
        return fail(started);
    QString carried;
    if (Outcome added = carryOverPlainFiles(plain, sealed, &carried); !added) {
        say(carried + QStringLiteral(": ") + fullText(added));
        say(tr("The image was not changed."));
        return Failure;
    }
    for (const QString &path : line.arguments) {
        if (Outcome added = sealed.add(path, false); !added) {
            say(path + QStringLiteral(": ") + fullText(added));
            say(tr("The image was not changed."));
            return Failure;
        }
    }
    QString why;
    const std::optional<QByteArray> passphrase = passphraseOf(line, true, &why);
    if (!passphrase) {
        say(why);
        return Failure;
    }
    SealedSession::WriteOptions options;
    options.plainBytesToClear = plain.foundContainer() ? plain.report().storedEnd : 0;
    if (Outcome written = sealed.writeBack(line.bitmap, *passphrase, options); !written)
        return fail(written);
    for (const QString &note : sealed.notes())
        say(note);
    return Success;
}

QList<CliCommand::HelpLine> UnsealCommand::help() const
{
    return {
        {QStringLiteral("unseal BITMAP"), tr("turn the sealed container back into a plain one")}};
}

QList<CliOption> UnsealCommand::options() const
{
    return {CliOption::PasswordFile, CliOption::NoPrompt, CliOption::Wait};
}

int UnsealCommand::run(const CommandLine &line)
{
    ContainerSession plain;
    if (Outcome probed = probeRegularFile(line.bitmap); !probed)
        return fail(Outcome::failure(Outcome::Kind::BitmapNotFound, fullText(probed)));
    if (Outcome locked = plain.lockImage(line.bitmap, line.wait); !locked)
        return fail(locked);
    QString why;
    const std::optional<QByteArray> passphrase = passphraseOf(line, false, &why);
    if (!passphrase) {
        say(why);
        return Failure;
    }
    SealedSession sealed;
    if (Outcome opened = sealed.open(line.bitmap, *passphrase); !opened)
        return fail(opened);
    // The image's lowest bits as a plain container sees them: random, so it
    // starts empty.
    if (Outcome opened = plain.open(
            line.bitmap, [](QString *) { return std::optional<QByteArray>(QByteArray()); });
        !opened)
        return fail(opened);
    for (const SealedEntry &entry : sealed.entries()) {
        QBuffer data;
        data.open(QIODevice::WriteOnly);
        if (Outcome read = sealed.streamData(entry.name,
                [&data](const char *bytes, qint64 size) {
                    return data.write(bytes, size) == size ? Outcome::success()
                                                           : Outcome::failure(data.errorString());
                });
            !read)
            return fail(read);
        data.close();
        data.open(QIODevice::ReadOnly);
        if (Outcome added = plain.addFrom(data, entry.name); !added) {
            say(entry.name + QStringLiteral(": ") + fullText(added));
            say(tr("The image was not changed."));
            return Failure;
        }
    }
    ContainerSession::WriteOptions options;
    const qint64 plainEnd = sealed.carrier().pixelOffset() + 8 * plain.file().ContainerSize();
    options.alsoChange = SealedSession::saltWiper(sealed.carrier(), plainEnd);
    if (Outcome written = plain.writeBack(line.bitmap, false, {}, options); !written)
        return fail(written);
    for (const QString &note : plain.notes())
        say(note);
    return Success;
}
