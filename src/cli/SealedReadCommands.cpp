// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Veldra developers

#include "SealedReadCommands.h"

#include "TerminalText.h"
#include "base/FailureText.h"
#include "io/FileProbe.h"
#include "sealed/SealedSession.h"

#include <QFileDevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QList<CliCommand::HelpLine> SealedInfoCommand::help() const
{
    return {{QStringLiteral("info BITMAP --sealed [--json]"),
        tr("the same for the sealed container the passphrase opens")}};
}

QList<CliOption> SealedInfoCommand::options() const
{
    return SealedCommand::options() << CliOption::Json;
}

int SealedInfoCommand::noContainer(const CommandLine &line, const Outcome &why)
{
    // What a new sealed container here could hold, for a name of one byte.
    qint64 room = 0;
    if (line.isSet(CliOption::Json)) {
        (void)SealedSession::roomIn(line.bitmap, &room);
        out() << printableJson(QJsonDocument(QJsonObject {{"sealed", false}, {"room", room}}));
    }
    return fail(why);
}

int SealedInfoCommand::work(SealedSession &session, const CommandLine &line, const QByteArray &)
{
    const SealedSession::Space space = session.space();
    const qint64 files = session.entries().size();
    if (line.isSet(CliOption::Json)) {
        const QJsonObject object {{"capacity", space.capacity}, {"used", space.used},
            {"free", space.free}, {"files", files}, {"protected", false}, {"room", space.room},
            {"damaged", false}, {"unreadable", 0},
            {"missing_bytes", session.carrier().missingPixelBytes()}, {"sealed", true}};
        out() << printableJson(QJsonDocument(object));
        return Success;
    }
    out() << "capacity: " << space.capacity << '\n'
          << "used: " << space.used << '\n'
          << "free: " << space.free << '\n'
          << "files: " << files << '\n'
          << "protected: no\n"
          << "sealed: yes\n";
    return Success;
}

QList<CliCommand::HelpLine> SealedListCommand::help() const
{
    return {{QStringLiteral("list BITMAP --sealed [--json]"),
        tr("the files of the sealed container the passphrase opens")}};
}

QList<CliOption> SealedListCommand::options() const
{
    return SealedCommand::options() << CliOption::Json;
}

int SealedListCommand::work(SealedSession &session, const CommandLine &line, const QByteArray &)
{
    if (line.isSet(CliOption::Json)) {
        QJsonArray entries;
        for (const SealedEntry &entry : session.entries())
            entries.append(QJsonObject {{"name", entry.name}, {"size", entry.size}});
        out() << printableJson(QJsonDocument(entries));
        return Success;
    }
    for (const SealedEntry &entry : session.entries())
        out() << entry.size << '\t' << escapeControls(entry.name) << '\n';
    return Success;
}

QList<CliCommand::HelpLine> SealedExtractCommand::help() const
{
    return {{QStringLiteral("extract BITMAP --sealed [NAME...] [-o DIR|-] [--no-clobber]"),
        tr("write sealed files (all when none is named)")}};
}

QList<CliOption> SealedExtractCommand::options() const
{
    return SealedCommand::options() << CliOption::NoClobber << CliOption::Output;
}

QString SealedExtractCommand::argumentsProblem(const CommandLine &line) const
{
    const bool toStandardOutput = line.value(CliOption::Output) == QLatin1String("-");
    if (toStandardOutput && line.arguments.size() != 1)
        return tr("extract -o - writes exactly one named file.");
    if (toStandardOutput && line.isSet(CliOption::NoClobber))
        return tr("--no-clobber does not go with -o -.");
    return {};
}

int SealedExtractCommand::toOutput(const SealedSession &session, const QString &name)
{
    return writeOutput([&](const OutputSink &sink) { return session.streamData(name, sink); });
}

int SealedExtractCommand::work(SealedSession &session, const CommandLine &line, const QByteArray &)
{
    int failures = 0;
    QStringList names;
    for (const SealedEntry &entry : session.entries()) {
        if (line.arguments.isEmpty() || line.arguments.contains(entry.name, Qt::CaseInsensitive))
            names << entry.name;
    }
    for (const QString &asked : line.arguments) {
        if (!names.contains(asked, Qt::CaseInsensitive)) {
            say(tr("\"%1\" is not hidden in this image.").arg(asked));
            ++failures;
        }
    }
    if (line.value(CliOption::Output) == QLatin1String("-"))
        return names.isEmpty() ? int(Failure) : toOutput(session, names.constFirst());
    const QString folder
        = line.isSet(CliOption::Output) ? line.value(CliOption::Output) : QStringLiteral(".");
    if (Outcome ready = prepareFolder(folder); !ready)
        return fail(ready);
    for (const QString &name : std::as_const(names)) {
        if (Outcome written = session.extract(name, folder, line.isSet(CliOption::NoClobber));
            !written) {
            say(name + QStringLiteral(": ") + fullText(written));
            ++failures;
        } else if (const QString used = session.extractionName(name); used != name) {
            say(tr("\"%1\" cannot be a file name as it stands and was written as \"%2\".")
                    .arg(name, used));
        }
    }
    return failures == 0 ? Success : Failure;
}
